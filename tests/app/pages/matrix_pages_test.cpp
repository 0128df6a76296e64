// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix page and the determinant page as a user drives them: type into
// the edits, pick names in the selectors, click, answer the questions, and
// read the edits, the selectors and the messages.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>
#include <variant>

#include "ui_test_support.h"

namespace {

struct Type {
    int id;
    std::string text;
};
struct Click {
    int id;
};
struct Pick {
    int selectorId;
    int position;
};
struct Answer {
    bool yes;
};
struct Open {  // Ctrl+O on a file holding bytes
    std::string bytes;
};
using Action = std::variant<Type, Click, Pick, Answer, Open>;
using Actions = std::vector<Action>;

// Types a matrix into the four edits and presses "添加".
Actions add(const std::string& name, int rows, int cols, const std::string& elements) {
    return {Type{1001, elements}, Type{1004, std::to_string(rows)},
            Type{1005, std::to_string(cols)}, Type{1009, name}, Click{1002}};
}

Actions join(std::initializer_list<Actions> parts) {
    Actions all;
    for (const Actions& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Actions kFour = join({add("P", 1, 1, "1"), add("Q", 1, 2, "2 2"), add("R", 1, 3, "3 3 3"),
                            add("S", 1, 4, "4 4 4 4")});

// A user's pick in a drop-down list: open it and click the name.
void pick(QComboBox* box, int position) {
    box->showPopup();
    QAbstractItemView* view = box->view();
    const QRect item = view->visualRect(view->model()->index(position, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
}

// Ctrl+key in the page's window, with the focus in the page.
void pressCtrl(TemplatePage& page, Qt::Key key) {
    page.control(1009)->setFocus();
    QTest::keyClick(page.window()->windowHandle(), key, Qt::ControlModifier);
}

std::string entry(const std::string& name, const char* rows, const char* cols, const char* text) {
    return std::string("{\"name\": \"") + name + "\", \"rows\": " + rows + ", \"cols\": " + cols +
           ", \"elements\": \"" + text + "\"}";
}

std::string list(const std::vector<std::string>& entries) {
    std::string json = R"({"format": "mexora-matrices", "version": 1, "matrices": [)";
    for (const std::string& one : entries) json += (&one == &entries[0] ? "" : ", ") + one;
    return json + "]}";
}

// 1001 new names, then one that "添加" refuses.
std::string overfull() {
    std::vector<std::string> entries;
    for (int i = 0; i <= 1000; ++i)
        entries.push_back(entry(std::string("n").append(std::to_string(i)), "1", "1", "1"));
    entries.push_back(entry("bad", "0", "0", ""));
    return list(entries);
}

void openFile(TemplatePage& page, const std::string& bytes) {
    QTemporaryDir dir;
    ScriptedFiles files;
    files.path = dir.filePath("list.mexora");
    QFile file(files.path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.close();
    page.setFileChooser(&files);
    pressCtrl(page, Qt::Key_O);
    page.setFileChooser(nullptr);
}

void perform(TemplatePage& page, RecordingMessageService& messages, const Action& action) {
    if (const auto* type = std::get_if<Type>(&action)) {
        typeInto(page, type->id, QString::fromStdString(type->text));
    } else if (const auto* click = std::get_if<Click>(&action)) {
        QTest::mouseClick(page.button(click->id), Qt::LeftButton);
    } else if (const auto* choice = std::get_if<Pick>(&action)) {
        pick(page.control<QComboBox>(choice->selectorId), choice->position);
    } else if (const auto* open = std::get_if<Open>(&action)) {
        openFile(page, open->bytes);
    } else {
        messages.answers.push_back(std::get<Answer>(action).yes);
    }
}

struct Shown {
    int id;
    const char* text;
};

struct MatrixCase {
    const char* name;
    Actions actions;
    QStringList names;                          // in all three selectors
    std::array<int, 3> selections{-1, -1, -1};  // list, first operand, second operand
    std::vector<Shown> shown;
    std::vector<int> messages;
    std::vector<int> questions = {};
    std::vector<std::string> details = {};  // under the messages, when given
};
void PrintTo(const MatrixCase& c, std::ostream* os) { *os << c.name; }

class MatrixPageUse : public ::testing::TestWithParam<MatrixCase> {};

TEST_P(MatrixPageUse, ShowsWhatTheUserExpects) {
    const MatrixCase& c = GetParam();
    HostedPage hosted(129);
    ASSERT_TRUE(hosted.shown);
    TemplatePage& page = *hosted.page;
    RecordingMessageService& messages = hosted.messages;

    for (const Action& action : c.actions) perform(page, messages, action);

    const int selectorIds[] = {1008, 1006, 1007};
    for (int i = 0; i < 3; ++i) {
        const QComboBox* box = page.control<QComboBox>(selectorIds[i]);
        QStringList items;
        for (int k = 0; k < box->count(); ++k) items << box->itemText(k);
        EXPECT_EQ(items, c.names) << "selector " << selectorIds[i];
        EXPECT_EQ(box->currentIndex(), c.selections[i]) << "selector " << selectorIds[i];
        if (c.names.isEmpty()) {
            EXPECT_EQ(box->currentText(), "");
        }
    }
    for (const Shown& s : c.shown) {
        EXPECT_EQ(shownText(page, s.id), QString::fromUtf8(s.text)) << "edit " << s.id;
    }
    EXPECT_EQ(messages.shown, c.messages);
    EXPECT_EQ(messages.asked, c.questions);
    if (!c.details.empty()) {
        EXPECT_EQ(messages.details, c.details);
    }
}

Actions thousandNames() {
    Actions actions;
    for (int i = 0; i < 1000; ++i) {
        const Actions one =
            add(std::string(1, 'n').append(std::to_string(i)), 1, 1, std::to_string(i));
        actions.insert(actions.end(), one.begin(), one.end());
    }
    return actions;
}

QStringList numberedNames(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i) names << QStringLiteral("n%1").arg(i);
    return names;
}

const MatrixCase kMatrixCases[] = {
    // The second add of A (as "a", then as "A") overwrites entry 0, never AB's.
    {"SameNamesAskAndOverwriteTheFirstEntry",
     join({add("A", 2, 2, "1 2 3 4"),
           {Click{1011}, Answer{true}},
           add("a", 2, 2, "5 6 7 8"),
           add("AB", 1, 1, "9"),
           {Answer{true}},
           add("A", 1, 2, "3 3"),
           {Pick{1008, 1}, Pick{1008, 0}}}),
     {"A", "AB"},
     {0, -1, -1},
     {{1001, "3 3"}, {1004, "1"}, {1005, "2"}, {1009, "A"}},
     {102},
     {109, 109}},
    {"AddChecksRunInOrder",
     {Click{1002}, Type{1001, "1"}, Click{1002}, Type{1004, "1"}, Type{1005, "0"}, Click{1002},
      Type{1005, "1"}, Click{1002}},
     {},
     {-1, -1, -1},
     {{1001, "1"}},
     {106, 107, 107, 108}},
    {"DeletingAMiddleNameSelectsItsSuccessor",
     join({kFour, {Pick{1008, 2}, Pick{1006, 2}, Pick{1007, 0}, Answer{true}, Click{1010}}}),
     {"P", "Q", "S"},
     {2, 2, 0},
     {{1001, "4 4 4 4"}, {1004, "1"}, {1005, "4"}, {1009, "S"}},
     {},
     {112}},
    {"DeletingTheLastNameSelectsTheNewLast",
     join({kFour, {Answer{true}, Click{1010}}}),
     {"P", "Q", "R"},
     {2, -1, -1},
     {{1001, "3 3 3"}, {1009, "R"}},
     {},
     {112}},
    {"DeletingTheOnlyMatrixEmptiesTheSelectors",
     join({add("A", 2, 3, "1 2 3 4 5 6"),
           {Pick{1006, 0}, Pick{1007, 0}, Answer{true}, Click{1010}}}),
     {},
     {-1, -1, -1},
     {{1001, ""}, {1009, ""}, {1004, "2"}, {1005, "3"}},
     {},
     {112}},
    {"DeletingFromAnEmptyListAsksNothing", {Click{1010}}, {}, {-1, -1, -1}, {}, {111}},
    {"NoToTheDeleteQuestionKeepsEverything",
     join({add("P", 1, 1, "1"), add("Q", 1, 1, "2"), {Answer{false}, Click{1010}}}),
     {"P", "Q"},
     {1, -1, -1},
     {{1001, "2"}, {1009, "Q"}},
     {},
     {112}},
    {"AFullListRefusesNewNamesButOffersOverwriting",
     join({thousandNames(), add("new", 1, 1, "1"), {Answer{true}}, add("N5", 1, 1, "1")}),
     numberedNames(1000),
     {999, -1, -1},
     {},
     {110},
     {109}},
    {"PickingANameReplacesUnsavedTyping",
     join({add("P", 1, 1, "1"),
           add("Q", 1, 2, "2 2"),
           {Type{1001, "unsaved"}, Type{1009, "zzz"}, Type{1004, "7"}, Type{1005, "7"},
            Pick{1008, 0}}}),
     {"P", "Q"},
     {0, -1, -1},
     {{1001, "1"}, {1009, "P"}, {1004, "1"}, {1005, "1"}},
     {}},
    {"ARefusedShapeAddsNothingAndKeepsTheTyping",
     join({add("P", 1, 1, "1"), {Type{1001, "5 6"}, Type{1009, "Q"}, Type{1004, ""}, Click{1002}}}),
     {"P"},
     {0, -1, -1},
     {{1001, "5 6"}, {1009, "Q"}, {1004, ""}, {1005, "1"}},
     {202}},
    {"PickingANameAfterARefusedShapeShowsAllFourEdits",
     join({add("P", 1, 1, "1"), {Type{1004, ""}, Click{1002}, Pick{1008, 0}}}),
     {"P"},
     {0, -1, -1},
     {{1001, "1"}, {1009, "P"}, {1004, "1"}, {1005, "1"}},
     {202},
     {}},
    {"AProductShowsItsTextShapeAndName",
     join({add("P", 1, 3, "1 2 3"),
           add("Q", 3, 1, "4 5 6"),
           {Pick{1006, 0}, Pick{1007, 1}, Click{1013}}}),
     {"P", "Q"},
     {1, 0, 1},
     {{1001, "32,\n"}, {1004, "1"}, {1005, "1"}, {1009, "Product"}},
     {}},
    {"AMissingOperandKeepsTheTyping",
     join({add("P", 1, 1, "1"), {Pick{1006, 0}, Type{1001, "typed"}, Click{1011}}}),
     {"P"},
     {0, 0, -1},
     {{1001, "typed"}},
     {102}},
    // A file's matrices go in by the rules of "添加".
    {"OpeningAListedNameAsksAndOverwritesIt",
     join({add("A", 1, 1, "1"),
           {Answer{true}, Open{list({entry("a", "1", "2", "5 6"), entry("矩阵", "1", "1", "7")})},
            Pick{1008, 0}}}),
     {"A", "矩阵"},
     {0, -1, -1},
     {{1001, "5 6"}, {1005, "2"}, {1009, "A"}},
     {},
     {109}},
    {"OpeningIntoAFullListLeavesTheRestOut",
     {Open{overfull()}},
     numberedNames(1000),
     {999, -1, -1},
     {{1009, "n999"}},
     {110}},
    {"OpeningSkipsAndCountsWhatAddRefuses",
     {Open{list({entry("E", "1", "1", ""), entry("Z", "0", "1", "1"), entry("", "1", "1", "1"),
                 entry("S", "\"2\"", "1", "1"), entry("C", "2", "1", "3 4")})}},
     {"C"},
     {0, -1, -1},
     {{1001, "3 4"}, {1004, "2"}, {1009, "C"}},
     {446},
     {},
     {"跳过了 4 个矩阵。"}},
    {"AForeignFileIsRefusedAndTheListStays",
     join({add("P", 1, 1, "1"), {Open{R"({"format": "other", "matrices": []})"}}}),
     {"P"},
     {0, -1, -1},
     {{1009, "P"}},
     {442}},
    {"ATruncatedFileIsRefused",
     {Open{list({entry("A", "1", "1", "1")}).substr(0, 70)}},
     {},
     {-1, -1, -1},
     {},
     {443}},
    {"AFileNotInUtf8IsRefused",
     {Open{list({entry("\xBE\xD8", "1", "1", "1")})}},
     {},
     {-1, -1, -1},
     {},
     {444}},
    {"AShapeMessageShowsTheFieldsAgain",
     join({add("P", 1, 2, "1 2"),
           add("Q", 2, 1, "3 4"),
           {Pick{1006, 0}, Pick{1007, 1}, Type{1001, "unsaved"}, Click{1011}}}),
     {"P", "Q"},
     {1, 0, 1},
     {{1001, "3 4"}, {1009, "Q"}},
     {103}},
};
INSTANTIATE_TEST_SUITE_P(Cases, MatrixPageUse, ::testing::ValuesIn(kMatrixCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Save, then open into an empty list: the same names, shapes and texts.
TEST(MatrixListFile, ASavedListOpensTheSameIntoAnEmptyList) {
    QTemporaryDir dir;
    ScriptedFiles files;
    files.path = dir.filePath("list.mexora");
    std::vector<NamedMatrix> saved;
    {
        HostedPage page(129);
        ASSERT_TRUE(page.shown);
        page.page->setFileChooser(&files);
        for (const Action& action : join({kFour, add("T", 2, 2, "1，2\n3 4")}))
            perform(*page.page, page.messages, action);
        pressCtrl(*page.page, Qt::Key_S);
        saved = static_cast<CMatrixPage&>(*page.page).logic().namedMatrices();
    }
    for (int i = 0; i < 5; ++i) ProgramMatrixStore().write(i, {});
    HostedPage page(129);
    ASSERT_TRUE(page.shown);
    page.page->setFileChooser(&files);
    pressCtrl(*page.page, Qt::Key_O);
    EXPECT_EQ(saved.size(), 5u);
    EXPECT_EQ(static_cast<CMatrixPage&>(*page.page).logic().namedMatrices(), saved);
    EXPECT_TRUE(page.messages.shown.empty());
}

struct DeterminantCase {
    const char* name;
    const char* elements;
    const char* order;
    const char* result;
    std::vector<int> messages;
};
void PrintTo(const DeterminantCase& c, std::ostream* os) { *os << c.name; }

class DeterminantPageUse : public ::testing::TestWithParam<DeterminantCase> {};

TEST_P(DeterminantPageUse, ShowsWhatTheUserExpects) {
    const DeterminantCase& c = GetParam();
    HostedPage hosted(134);
    ASSERT_TRUE(hosted.shown);
    TemplatePage& page = *hosted.page;
    const RecordingMessageService& messages = hosted.messages;
    typeInto(page, 1001, QString::fromUtf8(c.elements));
    typeInto(page, 1034, QString::fromUtf8(c.order));
    QTest::mouseClick(page.button(1035), Qt::LeftButton);
    EXPECT_EQ(shownText(page, 1009), c.result);
    EXPECT_EQ(messages.shown, c.messages);
}

// The element edit says, as it is typed, how much of the text is used.
TEST(DeterminantPageText, DescribesWhatWillBeRead) {
    HostedPage hosted(134);
    ASSERT_TRUE(hosted.shown);
    typeInto(*hosted.page, 1001, "1 2 3 4 5");
    typeInto(*hosted.page, 1034, "2");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return hosted.page->control(1001)->accessibleDescription().startsWith(
                "读到 5 个数，2×2 的行列式只用前 4 个。\n★输入方法");
        },
        kDescribedWithinMs));
}

const DeterminantCase kDeterminantCases[] = {
    {"OrderTwo", "1 2 3 4", "2", "-2", {}},
    {"OrderThree", "1 2 3 4 5 6 7 8 10", "3", "-3", {}},
    {"SurplusElementsAreIgnored", "1 2 3 4 5", "2", "-2", {}},
    {"OrderOneIsRefused", "1", "1", "0", {127}},
    {"OrderFiftyOneIsRefused", "1 2 3 4", "51", "0", {127}},
    {"AnEmptyTextComesFirst", "", "51", "0", {126}},
    {"ANonIntegerOrderIsRefusedAlone", "1 2 3 4", "2.5", "0", {202}},
    {"OrderFiftyHasNoRoomToBeComputed", "1 2 3 4", "50", "0", {129}},
};
INSTANTIATE_TEST_SUITE_P(Cases, DeterminantPageUse, ::testing::ValuesIn(kDeterminantCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
