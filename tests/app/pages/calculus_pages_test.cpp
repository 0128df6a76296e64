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

#include "app/look/dialog_look.h"
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
// Through the window: typed over the edit's text, then Enter in an edit.
struct Keys {
    int id;
    const char* text;
};
struct Enter {
    int id;
};
struct InDouble {};  // the window's precision from here on
using Action = std::variant<Type, Click, Escape, Keys, Enter, InDouble>;

// A result marked stale (grey, and said so) or not marked.
enum class Mark { Unchecked, Fresh, Stale };
struct Shown {
    int id;
    const char* text;
    Mark mark = Mark::Unchecked;
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
    } else if (const auto* keys = std::get_if<Keys>(&action)) {
        lineEdit(page, keys->id)->setFocus();
        lineEdit(page, keys->id)->selectAll();
        for (const char* c = keys->text; *c; ++c)
            QTest::keyClick(page.window()->windowHandle(), *c);
        QCoreApplication::processEvents();
    } else if (const auto* enter = std::get_if<Enter>(&action)) {
        lineEdit(page, enter->id)->setFocus();
        QTest::keyClick(page.window()->windowHandle(), Qt::Key_Return);
    } else if (std::holds_alternative<InDouble>(action)) {
        WindowPrecision::instance().set(Precision::Double);
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
    QCoreApplication::processEvents();
    for (const Shown& s : c.shown) {
        QLineEdit* edit = lineEdit(*page, s.id);
        EXPECT_EQ(edit->text(), QString::fromUtf8(s.text)) << "edit " << s.id;
        if (s.mark == Mark::Unchecked) continue;
        const bool stale = s.mark == Mark::Stale;
        EXPECT_EQ(edit->accessibleDescription(),
                  stale ? loadQString(kHintStaleResult) : edit->toolTip());
        EXPECT_EQ(edit->toolTip().startsWith("误差"), !stale) << s.id;  // fresh: its error estimate
        EXPECT_EQ(edit->palette().color(QPalette::Text) == kDialogText, !stale) << s.id;
    }
    EXPECT_EQ(messages.shown, c.messages);
    if (c.focusedId) {
        EXPECT_EQ(QApplication::focusWidget(), page->control(c.focusedId));
    }
    for (const int id : c.readOnly) EXPECT_TRUE(lineEdit(*page, id)->isReadOnly()) << id;
    for (const int id : c.editable) EXPECT_FALSE(lineEdit(*page, id)->isReadOnly()) << id;
}

// The integral and derivative page.
const std::vector<Action> kSquareFrom0To1 = {Type{kIntegrand, "x^2"}, Type{kUpper, "1"},
                                             Click{kIntegralEquals}};

std::vector<Action> then(std::vector<Action> first, const std::vector<Action>& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

const PageCase kIntegralCases[] = {
    {"SquareFrom0To1",
     kIntegralTemplate,
     kSquareFrom0To1,
     {{kIntResult, "0.333333333333333"}, {kUpper, "1"}},
     {}},
    {"PrecisionZeroIsRefusedAndTheResultStays",
     kIntegralTemplate,
     then(kSquareFrom0To1,
          {Type{kIntPrecision, "0"}, Type{kIntegrand, "x"}, Click{kIntegralEquals}}),
     {{kIntResult, "0.333333333333333"}, {kIntPrecision, "0"}},
     {kMsgPrecisionNotPositive}},
    {"DepthOneFailsAndTheOldResultStays",
     kIntegralTemplate,
     then(kSquareFrom0To1, {Type{kIntDepth, "1"}, Click{kIntegralEquals}}),
     {{kIntResult, "0.333333333333333"}},
     {kMsgIntegralFailed}},
    {"LogarithmFrom0To1HasNoIntegral",
     kIntegralTemplate,
     {Type{kIntegrand, "ln(x)"}, Type{kUpper, "1"}, Click{kIntegralEquals}},
     {{kIntResult, "0"}},
     {kMsgIntegralFailed}},
    // A refused read ends the request: nothing is computed or written, the
    // old result stays beside what the user typed.
    {"ARefusedNumberEndsTheRequest",
     kIntegralTemplate,
     then(kSquareFrom0To1,
          {Type{kLower, "abc"}, Type{kUpper, "3"}, Type{kIntegrand, "x"}, Click{kIntegralEquals}}),
     {{kIntResult, "0.333333333333333"}, {kLower, "abc"}, {kUpper, "3"}, {kIntegrand, "x"}},
     {kMsgNotANumber},
     kLower},
    {"DerivativeOfACube",
     kIntegralTemplate,
     {Type{kDiffFormula, "x^3"}, Type{kPoint, "3"}, Click{kDerivativeEquals}},
     {{kDiffResult, "27.0008087158203"}, {kIntResult, "0"}},
     {}},
    {"DerivativeInitialStepZeroFails",
     kIntegralTemplate,
     {Type{kDiffFormula, "x^3"}, Type{kPoint, "3"}, Type{kInitStep, "0"}, Click{kDerivativeEquals}},
     {{kDiffResult, "0"}},
     {kMsgDerivativeFailed}},
    {"DerivativeDepthOneGivesUp",
     kIntegralTemplate,
     {Type{kDiffFormula, "x^3"}, Type{kPoint, "3"}, Type{kDiffDepth, "1"},
      Click{kDerivativeEquals}},
     {{kDiffResult, "0"}},
     {kMsgDerivativeFailed}},
    {"DerivativePrecisionNegativeIsRefused",
     kIntegralTemplate,
     {Type{kDiffFormula, "x^3"}, Type{kDiffPrecision, "-1"}, Click{kDerivativeEquals}},
     {{kDiffResult, "0"}, {kDiffPrecision, "-1"}},
     {kMsgPrecisionNotPositive}},
    {"EscapeChangesNothing",
     kIntegralTemplate,
     {Type{kIntegrand, "x^2"}, Escape{kIntegrand}, Escape{kIntegralEquals}},
     {{kIntegrand, "x^2"}, {kIntResult, "0"}},
     {}},
    {"EnterInTheIntegrandComputes",
     kIntegralTemplate,
     {Type{kUpper, "1"}, Keys{kIntegrand, "x^2"}, Enter{kIntegrand}},
     {{kIntResult, "0.333333333333333", Mark::Fresh}},
     {}},
    {"ANewUpperLimitLeavesTheResultStale",
     kIntegralTemplate,
     then(kSquareFrom0To1, {Keys{kUpper, "2"}}),
     {{kIntResult, "0.333333333333333", Mark::Stale}},
     {}},
    {"ANewResultIsFresh",
     kIntegralTemplate,
     then(kSquareFrom0To1, {Keys{kUpper, "2"}, Click{kIntegralEquals}}),
     {{kIntResult, "2.66666666666667", Mark::Fresh}},
     {}},
};
INSTANTIATE_TEST_SUITE_P(Integral, CalculusPage, ::testing::ValuesIn(kIntegralCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The sum and product page.
const PageCase kSumProductCases[] = {
    {"StepEditsStartReadOnly",
     kSumProductTemplate,
     {},
     {{kSumStep, "0"}, {kProdStep, "0"}, {kSumResult, "0"}},
     {},
     0,
     {kSumStep, kProdStep, kSumResult, kProdResult}},
    {"SumOfXFrom1To100",
     kSumProductTemplate,
     {Type{kSumFormula, "x"}, Type{kSumFrom, "1"}, Type{kSumTo, "100"}, Click{kSumEquals}},
     {{kSumResult, "5050"}},
     {}},
    {"ProductOfXFrom1To10",
     kSumProductTemplate,
     {Type{kProdFormula, "x"}, Type{kProdFrom, "1"}, Type{kProdTo, "10"}, Click{kProductEquals}},
     {{kProdResult, "3628800"}},
     {}},
    {"LowerAboveUpperGivesZeroAndOne",
     kSumProductTemplate,
     {Type{kSumFormula, "x"}, Type{kSumFrom, "5"}, Type{kSumTo, "1"}, Click{kSumEquals},
      Type{kProdFormula, "x"}, Type{kProdFrom, "5"}, Type{kProdTo, "1"}, Click{kProductEquals}},
     {{kSumResult, "0"}, {kProdResult, "1"}},
     {}},
    {"AStepOfOneTenthTakesElevenPoints",
     kSumProductTemplate,
     {Type{kSumFormula, "x"}, Type{kSumTo, "1"}, Click{kSumStepBox}, Type{kSumStep, "0.1"},
      Click{kSumEquals}},
     {{kSumResult, "5.50000002235174"}, {kSumStep, "0.1"}},
     {},
     0,
     {},
     {kSumStep}},
    // The typed step stays visible but the clear box makes the step 1.
    {"AClearBoxIgnoresTheStepEdit",
     kSumProductTemplate,
     {Type{kSumFormula, "x"}, Type{kSumTo, "3"}, Click{kSumStepBox}, Type{kSumStep, "0.5"},
      Click{kSumStepBox}, Click{kSumEquals}},
     {{kSumResult, "6"}, {kSumStep, "0.5"}},
     {},
     0,
     {kSumStep}},
    {"ASetBoxWithStepZeroIsRefused",
     kSumProductTemplate,
     {Type{kProdFormula, "x"}, Type{kProdTo, "3"}, Click{kProdStepBox}, Type{kProdStep, "0"},
      Click{kProductEquals}},
     {{kProdResult, "0"}, {kProdStep, "0"}},
     {kMsgStepNotPositive},
     0,
     {},
     {kProdStep}},
    {"ARefusedNumberEndsTheRequest",
     kSumProductTemplate,
     {Type{kSumFormula, "x"}, Type{kSumTo, "100"}, Click{kSumEquals}, Type{kSumFrom, "abc"},
      Type{kSumFormula, "x^2"}, Click{kSumEquals}},
     {{kSumResult, "5050"}, {kSumFrom, "abc"}, {kSumFormula, "x^2"}},
     {kMsgNotANumber},
     kSumFrom},
    {"AnInfiniteTermFailsTheSum",
     kSumProductTemplate,
     {Type{kSumFormula, "1/x"}, Type{kSumFrom, "-1"}, Type{kSumTo, "1"}, Click{kSumEquals}},
     {{kSumResult, "0"}},
     {kMsgSumFailed}},
    {"AnInfiniteFactorFailsTheProduct",
     kSumProductTemplate,
     {Type{kProdFormula, "1/x"}, Type{kProdFrom, "-1"}, Type{kProdTo, "1"}, Click{kProductEquals}},
     {{kProdResult, "0"}},
     {kMsgProductFailed}},
    {"PiIsRefusedInSingleAndANumberInDouble",
     kSumProductTemplate,
     {Type{kSumFormula, "x"}, Type{kSumTo, "pi"}, Click{kSumEquals}, InDouble{}, Click{kSumEquals}},
     {{kSumResult, "6", Mark::Fresh}, {kSumTo, "pi"}},
     {kMsgNotANumber}},
    {"EscapeChangesNothing",
     kSumProductTemplate,
     {Type{kSumFormula, "x"}, Escape{kSumFormula}, Escape{kSumStepBox}},
     {{kSumFormula, "x"}, {kSumResult, "0"}},
     {}},
};
INSTANTIATE_TEST_SUITE_P(SumProduct, CalculusPage, ::testing::ValuesIn(kSumProductCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The equation page.
const std::vector<Action> kSquareRootOfTwo = {Type{kEquationFormula, "x*x-2"}, Type{kRight, "2"},
                                              Click{kSolve}};

const PageCase kEquationCases[] = {
    {"SquareRootOfTwo", kEquationTemplate, kSquareRootOfTwo, {{kRoot, "1.41416307860829"}}, {}},
    {"NoSignChangeFails",
     kEquationTemplate,
     {Type{kEquationFormula, "x*x-2"}, Type{kRight, "1"}, Click{kSolve}},
     {{kRoot, "0"}},
     {kMsgNoRoot}},
    {"RootAtZero",
     kEquationTemplate,
     {Type{kEquationFormula, "x"}, Type{kLeft, "-1"}, Type{kRight, "1"}, Click{kSolve}},
     {{kRoot, "0"}, {kLeft, "-1"}},
     {}},
    {"ABracketNarrowerThanEpsilonGivesItsMidpoint",
     kEquationTemplate,
     {Type{kEquationFormula, "x*x-2"}, Type{kLeft, "1.4"}, Type{kRight, "1.42"},
      Type{kDelta, "0.001"}, Type{kEpsilon, "0.1"}, Click{kSolve}},
     {{kRoot, "1.41"}},
     {}},
    {"DeltaZeroIsRefusedAndTheRootStays",
     kEquationTemplate,
     then(kSquareRootOfTwo, {Type{kDelta, "0"}, Click{kSolve}}),
     {{kRoot, "1.41416307860829"}},
     {kMsgPrecisionNotPositive}},
    {"EpsilonZeroIsRefused",
     kEquationTemplate,
     {Type{kEquationFormula, "x"}, Type{kLeft, "-1"}, Type{kEpsilon, "0"}, Click{kSolve}},
     {{kRoot, "0"}, {kEpsilon, "0"}},
     {kMsgPrecisionNotPositive}},
    {"ARefusedNumberEndsTheRequest",
     kEquationTemplate,
     then(kSquareRootOfTwo, {Type{kEquationFormula, "x*x-3"}, Type{kRight, "abc"}, Click{kSolve}}),
     {{kRoot, "1.41416307860829"}, {kEquationFormula, "x*x-3"}, {kRight, "abc"}},
     {kMsgNotANumber},
     kRight},
    {"APoleIsNoRoot",
     kEquationTemplate,
     {Type{kEquationFormula, "1/x"}, Type{kLeft, "-1"}, Type{kRight, "1"}, Click{kSolve}},
     {{kRoot, "0"}},
     {kMsgNoRoot}},
    {"EscapeChangesNothing",
     kEquationTemplate,
     {Type{kEquationFormula, "x"}, Escape{kEquationFormula}, Escape{kSolve}},
     {{kEquationFormula, "x"}, {kRoot, "0"}},
     {}},
};
INSTANTIATE_TEST_SUITE_P(Equation, CalculusPage, ::testing::ValuesIn(kEquationCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Typed as through the window, an unreadable formula is marked and described
// within a moment; the request's message box then adds the same words.
TEST(CalculusPageFormula, SaysWhatIsWrongWhileTypedAndWhenRequested) {
    HostedPage hosted(kIntegralTemplate);
    ASSERT_TRUE(hosted.shown);
    QWindow* window = hosted.window.windowHandle();
    auto* integrand = hosted.page->control<FieldEdit>(kIntegrand);
    const QString line = "第 2 个字符：公式中不能有空格，请删去这个空格。";
    integrand->setFocus();
    for (const char c : std::string("x + 1")) QTest::keyClick(window, c);
    EXPECT_TRUE(QTest::qWaitFor([&] { return integrand->accessibleDescription() == line; },
                                kDescribedWithinMs));
    EXPECT_EQ(integrand->toolTip(), line);
    EXPECT_EQ(integrand->markIndex(), 1);

    QPushButton* equals = hosted.page->button(kIntegralEquals);
    QTest::mouseClick(window, Qt::LeftButton, {}, equals->mapTo(&hosted.window, QPoint(8, 8)));
    EXPECT_EQ(hosted.messages.shown, std::vector<int>{kMsgIntegralFailed});
    EXPECT_EQ(hosted.messages.details, std::vector<std::string>{line.toStdString()});

    integrand->setFocus();
    integrand->selectAll();
    for (const char c : std::string("x+1")) QTest::keyClick(window, c);
    EXPECT_TRUE(QTest::qWaitFor([&] { return integrand->accessibleDescription().isEmpty(); },
                                kDescribedWithinMs));
    EXPECT_EQ(integrand->markIndex(), -1);
}

// A formula that reads otherwise than it looks is warned of with an orange
// mark, not the red one of a fault.
TEST(CalculusPageFormula, MarksAWarningInOrange) {
    HostedPage hosted(kIntegralTemplate);
    ASSERT_TRUE(hosted.shown);
    auto* integrand = hosted.page->control<FieldEdit>(kIntegrand);
    integrand->setFocus();
    for (const char c : std::string("x*1e-5")) QTest::keyClick(hosted.window.windowHandle(), c);
    const QString line = "第 3 个字符：“1e-5”中的“-”是运算符，不是指数的符号；请写成 0.00001。";
    EXPECT_TRUE(QTest::qWaitFor([&] { return integrand->accessibleDescription() == line; },
                                kDescribedWithinMs));
    const QImage shown = integrand->grab().toImage();
    int orange = 0, red = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            orange += c.red() > 200 && c.green() > 100 && c.green() < 180 && c.blue() < 60;
            red += c.red() > 180 && c.green() < 60 && c.blue() < 60;
        }
    }
    EXPECT_GT(orange, 0);
    EXPECT_EQ(red, 0);
}

TEST(CalculusPageResult, CanBeSelectedAndCopied) {
    HostedPage hosted(kIntegralTemplate);
    ASSERT_TRUE(hosted.shown);
    for (const Action& action : kSquareFrom0To1) perform(*hosted.page, action);
    QLineEdit* result = lineEdit(*hosted.page, kIntResult);
    QTest::mouseDClick(result, Qt::LeftButton);
    QTest::keyClick(result, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "0.333333333333333");
    EXPECT_TRUE(result->isReadOnly());
}

}  // namespace
