// SPDX-License-Identifier: GPL-3.0-or-later
// The calculus pages as a user drives them: type into the edits, click the
// buttons and boxes, read the edits and the messages.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QWindow>
#include <functional>
#include <memory>
#include <variant>

#include "app/widgets/template_widgets.h"
#include "ui_test_support.h"

namespace {

struct Type {
    int id;
    const char* text;
};
struct Click {
    int id;
};
struct Escape {
    int id;
};
using Action = std::variant<Type, Click, Escape>;

struct Shown {
    int id;
    const char* text;
};

struct PageCase {
    const char* name;
    int templateId;
    std::vector<Action> actions;
    std::vector<Shown> shown;  // edits and their texts afterwards
    std::vector<int> messages;
    int focusedId = 0;               // the control with the focus afterwards, when given
    std::vector<int> readOnly = {};  // edits that must be read-only afterwards
    std::vector<int> editable = {};
};
void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }

void perform(TemplatePage& page, const Action& action) {
    if (const auto* type = std::get_if<Type>(&action)) {
        typeInto(page, type->id, QString::fromUtf8(type->text));
    } else if (const auto* click = std::get_if<Click>(&action)) {
        QWidget* control = page.control(click->id);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, control->height() / 2));
    } else {
        QTest::keyClick(page.control(std::get<Escape>(action).id), Qt::Key_Escape);
    }
}

class CalculusPage : public ::testing::TestWithParam<PageCase> {};

TEST_P(CalculusPage, ShowsWhatTheUserExpects) {
    const PageCase& c = GetParam();
    HostedPage hosted(c.templateId);
    ASSERT_TRUE(hosted.shown);
    TemplatePage* page = hosted.page.get();
    const RecordingMessageService& messages = hosted.messages;

    for (const Action& action : c.actions) perform(*page, action);

    EXPECT_TRUE(page->isVisible());
    for (const Shown& s : c.shown) {
        EXPECT_EQ(lineEdit(*page, s.id)->text(), QString::fromUtf8(s.text)) << "edit " << s.id;
    }
    EXPECT_EQ(messages.shown, c.messages);
    if (c.focusedId) {
        EXPECT_EQ(QApplication::focusWidget(), page->control(c.focusedId));
    }
    for (const int id : c.readOnly) EXPECT_TRUE(lineEdit(*page, id)->isReadOnly()) << id;
    for (const int id : c.editable) EXPECT_FALSE(lineEdit(*page, id)->isReadOnly()) << id;
}

// Integral page: 1017 lower, 1016 upper, 1001 integrand, 1019 precision,
// 1020 depth, 1015 "=", 1002 result; 1009 formula, 1023 initial step,
// 1021 precision, 1022 depth, 1010 point, 1018 "=", 1003 result.
const std::vector<Action> kSquareFrom0To1 = {Type{1001, "x^2"}, Type{1016, "1"}, Click{1015}};

std::vector<Action> then(std::vector<Action> first, const std::vector<Action>& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

const PageCase kIntegralCases[] = {
    {"SquareFrom0To1", 131, kSquareFrom0To1, {{1002, "0.333333333333333"}, {1016, "1"}}, {}},
    {"PrecisionZeroIsRefusedAndTheResultStays",
     131,
     then(kSquareFrom0To1, {Type{1019, "0"}, Type{1001, "x"}, Click{1015}}),
     {{1002, "0.333333333333333"}, {1019, "0"}},
     {113}},
    {"DepthOneFailsAndTheOldResultStays",
     131,
     then(kSquareFrom0To1, {Type{1020, "1"}, Click{1015}}),
     {{1002, "0.333333333333333"}},
     {122}},
    {"LogarithmFrom0To1HasNoIntegral",
     131,
     {Type{1001, "ln(x)"}, Type{1016, "1"}, Click{1015}},
     {{1002, "0"}},
     {122}},
    // A refused read ends the request: nothing is computed or written, the
    // old result stays beside what the user typed.
    {"ARefusedNumberEndsTheRequest",
     131,
     then(kSquareFrom0To1, {Type{1017, "abc"}, Type{1016, "3"}, Type{1001, "x"}, Click{1015}}),
     {{1002, "0.333333333333333"}, {1017, "abc"}, {1016, "3"}, {1001, "x"}},
     {201},
     1017},
    {"DerivativeOfACube",
     131,
     {Type{1009, "x^3"}, Type{1010, "3"}, Click{1018}},
     {{1003, "27.0008087158203"}, {1002, "0"}},
     {}},
    {"DerivativeInitialStepZeroFails",
     131,
     {Type{1009, "x^3"}, Type{1010, "3"}, Type{1023, "0"}, Click{1018}},
     {{1003, "0"}},
     {123}},
    {"DerivativeDepthOneGivesUp",
     131,
     {Type{1009, "x^3"}, Type{1010, "3"}, Type{1022, "1"}, Click{1018}},
     {{1003, "0"}},
     {123}},
    {"DerivativePrecisionNegativeIsRefused",
     131,
     {Type{1009, "x^3"}, Type{1021, "-1"}, Click{1018}},
     {{1003, "0"}, {1021, "-1"}},
     {113}},
    {"EscapeChangesNothing",
     131,
     {Type{1001, "x^2"}, Escape{1001}, Escape{1015}},
     {{1001, "x^2"}, {1002, "0"}},
     {}},
};
INSTANTIATE_TEST_SUITE_P(Integral, CalculusPage, ::testing::ValuesIn(kIntegralCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Sum and product page: 1002 from, 1001 to, 1020 formula, 1022 box, 1023 step,
// 1026 "=", 1009 result; 1004 from, 1003 to, 1021 formula, 1024 box,
// 1025 step, 1005 "=", 1010 result.
const PageCase kSumProductCases[] = {
    {"StepEditsStartReadOnly",
     132,
     {},
     {{1023, "0"}, {1025, "0"}, {1009, "0"}},
     {},
     0,
     {1023, 1025, 1009, 1010}},
    {"SumOfXFrom1To100",
     132,
     {Type{1020, "x"}, Type{1002, "1"}, Type{1001, "100"}, Click{1026}},
     {{1009, "5050"}},
     {}},
    {"ProductOfXFrom1To10",
     132,
     {Type{1021, "x"}, Type{1004, "1"}, Type{1003, "10"}, Click{1005}},
     {{1010, "3628800"}},
     {}},
    {"LowerAboveUpperGivesZeroAndOne",
     132,
     {Type{1020, "x"}, Type{1002, "5"}, Type{1001, "1"}, Click{1026}, Type{1021, "x"},
      Type{1004, "5"}, Type{1003, "1"}, Click{1005}},
     {{1009, "0"}, {1010, "1"}},
     {}},
    {"AStepOfOneTenthTakesElevenPoints",
     132,
     {Type{1020, "x"}, Type{1001, "1"}, Click{1022}, Type{1023, "0.1"}, Click{1026}},
     {{1009, "5.50000002235174"}, {1023, "0.1"}},
     {},
     0,
     {},
     {1023}},
    // The typed step stays visible but the clear box makes the step 1.
    {"AClearBoxIgnoresTheStepEdit",
     132,
     {Type{1020, "x"}, Type{1001, "3"}, Click{1022}, Type{1023, "0.5"}, Click{1022}, Click{1026}},
     {{1009, "6"}, {1023, "0.5"}},
     {},
     0,
     {1023}},
    {"ASetBoxWithStepZeroIsRefused",
     132,
     {Type{1021, "x"}, Type{1003, "3"}, Click{1024}, Type{1025, "0"}, Click{1005}},
     {{1010, "0"}, {1025, "0"}},
     {125},
     0,
     {},
     {1025}},
    {"ARefusedNumberEndsTheRequest",
     132,
     {Type{1020, "x"}, Type{1001, "100"}, Click{1026}, Type{1002, "abc"}, Type{1020, "x^2"},
      Click{1026}},
     {{1009, "5050"}, {1002, "abc"}, {1020, "x^2"}},
     {201},
     1002},
    {"AnInfiniteTermFailsTheSum",
     132,
     {Type{1020, "1/x"}, Type{1002, "-1"}, Type{1001, "1"}, Click{1026}},
     {{1009, "0"}},
     {120}},
    {"AnInfiniteFactorFailsTheProduct",
     132,
     {Type{1021, "1/x"}, Type{1004, "-1"}, Type{1003, "1"}, Click{1005}},
     {{1010, "0"}},
     {121}},
    {"EscapeChangesNothing",
     132,
     {Type{1020, "x"}, Escape{1020}, Escape{1022}},
     {{1020, "x"}, {1009, "0"}},
     {}},
};
INSTANTIATE_TEST_SUITE_P(SumProduct, CalculusPage, ::testing::ValuesIn(kSumProductCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Equation page: 1001 formula, 1027 left, 1028 right, 1029 delta,
// 1030 epsilon, 1031 "解出", 1032 root.
const std::vector<Action> kSquareRootOfTwo = {Type{1001, "x*x-2"}, Type{1028, "2"}, Click{1031}};

const PageCase kEquationCases[] = {
    {"SquareRootOfTwo", 133, kSquareRootOfTwo, {{1032, "1.41416307860829"}}, {}},
    {"NoSignChangeFails",
     133,
     {Type{1001, "x*x-2"}, Type{1028, "1"}, Click{1031}},
     {{1032, "0"}},
     {114}},
    {"RootAtZero",
     133,
     {Type{1001, "x"}, Type{1027, "-1"}, Type{1028, "1"}, Click{1031}},
     {{1032, "0"}, {1027, "-1"}},
     {}},
    {"ABracketNarrowerThanEpsilonGivesItsMidpoint",
     133,
     {Type{1001, "x*x-2"}, Type{1027, "1.4"}, Type{1028, "1.42"}, Type{1029, "0.001"},
      Type{1030, "0.1"}, Click{1031}},
     {{1032, "1.41"}},
     {}},
    {"DeltaZeroIsRefusedAndTheRootStays",
     133,
     then(kSquareRootOfTwo, {Type{1029, "0"}, Click{1031}}),
     {{1032, "1.41416307860829"}},
     {113}},
    {"EpsilonZeroIsRefused",
     133,
     {Type{1001, "x"}, Type{1027, "-1"}, Type{1030, "0"}, Click{1031}},
     {{1032, "0"}, {1030, "0"}},
     {113}},
    {"ARefusedNumberEndsTheRequest",
     133,
     then(kSquareRootOfTwo, {Type{1001, "x*x-3"}, Type{1028, "abc"}, Click{1031}}),
     {{1032, "1.41416307860829"}, {1001, "x*x-3"}, {1028, "abc"}},
     {201},
     1028},
    {"APoleIsNoRoot",
     133,
     {Type{1001, "1/x"}, Type{1027, "-1"}, Type{1028, "1"}, Click{1031}},
     {{1032, "0"}},
     {114}},
    {"EscapeChangesNothing",
     133,
     {Type{1001, "x"}, Escape{1001}, Escape{1031}},
     {{1001, "x"}, {1032, "0"}},
     {}},
};
INSTANTIATE_TEST_SUITE_P(Equation, CalculusPage, ::testing::ValuesIn(kEquationCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Typed as through the window, an unreadable formula is marked and described
// within a moment; the request's message box then adds the same words.
TEST(CalculusPageFormula, SaysWhatIsWrongWhileTypedAndWhenRequested) {
    HostedPage hosted(131);
    ASSERT_TRUE(hosted.shown);
    QWindow* window = hosted.window.windowHandle();
    auto* integrand = hosted.page->control<FieldEdit>(1001);
    const QString line = "第 2 个字符：公式中不能有空格，请删去这个空格。";
    integrand->setFocus();
    for (const char c : std::string("x + 1")) QTest::keyClick(window, c);
    EXPECT_TRUE(QTest::qWaitFor([&] { return integrand->accessibleDescription() == line; },
                                kDescribedWithinMs));
    EXPECT_EQ(integrand->toolTip(), line);
    EXPECT_EQ(integrand->markIndex(), 1);

    QPushButton* equals = hosted.page->button(1015);
    QTest::mouseClick(window, Qt::LeftButton, {}, equals->mapTo(&hosted.window, QPoint(8, 8)));
    EXPECT_EQ(hosted.messages.shown, std::vector<int>{122});
    EXPECT_EQ(hosted.messages.details, std::vector<std::string>{line.toStdString()});

    integrand->setFocus();
    integrand->selectAll();
    for (const char c : std::string("x+1")) QTest::keyClick(window, c);
    EXPECT_TRUE(QTest::qWaitFor([&] { return integrand->accessibleDescription().isEmpty(); },
                                kDescribedWithinMs));
    EXPECT_EQ(integrand->markIndex(), -1);
}

TEST(CalculusPageResult, CanBeSelectedAndCopied) {
    HostedPage hosted(131);
    ASSERT_TRUE(hosted.shown);
    for (const Action& action : kSquareFrom0To1) perform(*hosted.page, action);
    QLineEdit* result = lineEdit(*hosted.page, 1002);
    QTest::mouseDClick(result, Qt::LeftButton);
    QTest::keyClick(result, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "0.333333333333333");
    EXPECT_TRUE(result->isReadOnly());
}

}  // namespace
