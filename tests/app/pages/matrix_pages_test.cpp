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
struct Undo {  // Ctrl+Z in an edit
    int id;
};
using Action = std::variant<Type, Click, Pick, Answer, Open, Undo>;
using Actions = std::vector<Action>;

// Types a matrix into the four edits and presses "添加".
Actions add(const std::string& name, int rows, int cols, const std::string& elements) {
    return {Type{kMatrixElements, elements}, Type{kMatrixRows, std::to_string(rows)},
            Type{kMatrixCols, std::to_string(cols)}, Type{kMatrixName, name}, Click{kAddMatrix}};
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
void pressCtrl(TemplatePage& page, Qt::Key key, int focusId = kMatrixName) {
    page.control(focusId)->setFocus();
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
        const QPushButton* button = page.button(click->id);
        QTest::mouseClick(page.window()->windowHandle(), Qt::LeftButton, {},
                          button->mapTo(page.window(), button->rect().center()));
    } else if (const auto* undo = std::get_if<Undo>(&action)) {
        pressCtrl(page, Qt::Key_Z, undo->id);
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
    HostedPage hosted(kMatrixTemplate);
    ASSERT_TRUE(hosted.shown);
    TemplatePage& page = *hosted.page;
    RecordingMessageService& messages = hosted.messages;

    for (const Action& action : c.actions) perform(page, messages, action);

    const int selectorIds[] = {kMatrixList, kFirstOperand, kSecondOperand};
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
           {Click{kMatrixSum}, Answer{true}},
           add("a", 2, 2, "5 6 7 8"),
           add("AB", 1, 1, "9"),
           {Answer{true}},
           add("A", 1, 2, "3 3"),
           {Pick{kMatrixList, 1}, Pick{kMatrixList, 0}}}),
     {"A", "AB"},
     {0, -1, -1},
     {{kMatrixElements, "3 3"}, {kMatrixRows, "1"}, {kMatrixCols, "2"}, {kMatrixName, "A"}},
     {kMsgChooseMatrices},
     {kAskOverwrite, kAskOverwrite}},
    {"AddChecksRunInOrder",
     {Click{kAddMatrix}, Type{kMatrixElements, "1"}, Click{kAddMatrix}, Type{kMatrixRows, "1"},
      Type{kMatrixCols, "0"}, Click{kAddMatrix}, Type{kMatrixCols, "1"}, Click{kAddMatrix}},
     {},
     {-1, -1, -1},
     {{kMatrixElements, "1"}},
     {kMsgEnterMatrix, kMsgShapeNotPositive, kMsgShapeNotPositive, kMsgEnterName}},
    {"DeletingAMiddleNameSelectsItsSuccessor",
     join({kFour,
           {Pick{kMatrixList, 2}, Pick{kFirstOperand, 2}, Pick{kSecondOperand, 0}, Answer{true},
            Click{kDeleteMatrix}}}),
     {"P", "Q", "S"},
     {2, 2, 0},
     {{kMatrixElements, "4 4 4 4"}, {kMatrixRows, "1"}, {kMatrixCols, "4"}, {kMatrixName, "S"}},
     {},
     {kAskDelete}},
    {"DeletingTheLastNameSelectsTheNewLast",
     join({kFour, {Answer{true}, Click{kDeleteMatrix}}}),
     {"P", "Q", "R"},
     {2, -1, -1},
     {{kMatrixElements, "3 3 3"}, {kMatrixName, "R"}},
     {},
     {kAskDelete}},
    {"DeletingTheOnlyMatrixEmptiesTheSelectors",
     join({add("A", 2, 3, "1 2 3 4 5 6"),
           {Pick{kFirstOperand, 0}, Pick{kSecondOperand, 0}, Answer{true}, Click{kDeleteMatrix}}}),
     {},
     {-1, -1, -1},
     {{kMatrixElements, ""}, {kMatrixName, ""}, {kMatrixRows, "2"}, {kMatrixCols, "3"}},
     {},
     {kAskDelete}},
    {"DeletingFromAnEmptyListAsksNothing",
     {Click{kDeleteMatrix}},
     {},
     {-1, -1, -1},
     {},
     {kMsgListEmpty}},
    {"NoToTheDeleteQuestionKeepsEverything",
     join({add("P", 1, 1, "1"), add("Q", 1, 1, "2"), {Answer{false}, Click{kDeleteMatrix}}}),
     {"P", "Q"},
     {1, -1, -1},
     {{kMatrixElements, "2"}, {kMatrixName, "Q"}},
     {},
     {kAskDelete}},
    {"AFullListRefusesNewNamesButOffersOverwriting",
     join({thousandNames(), add("new", 1, 1, "1"), {Answer{true}}, add("N5", 1, 1, "1")}),
     numberedNames(1000),
     {999, -1, -1},
     {},
     {kMsgListFull},
     {kAskOverwrite}},
    {"PickingANameReplacesUnsavedTyping",
     join({add("P", 1, 1, "1"),
           add("Q", 1, 2, "2 2"),
           {Type{kMatrixElements, "unsaved"}, Type{kMatrixName, "zzz"}, Type{kMatrixRows, "7"},
            Type{kMatrixCols, "7"}, Pick{kMatrixList, 0}}}),
     {"P", "Q"},
     {0, -1, -1},
     {{kMatrixElements, "1"}, {kMatrixName, "P"}, {kMatrixRows, "1"}, {kMatrixCols, "1"}},
     {}},
    {"ARefusedShapeAddsNothingAndKeepsTheTyping",
     join({add("P", 1, 1, "1"),
           {Type{kMatrixElements, "5 6"}, Type{kMatrixName, "Q"}, Type{kMatrixRows, ""},
            Click{kAddMatrix}}}),
     {"P"},
     {0, -1, -1},
     {{kMatrixElements, "5 6"}, {kMatrixName, "Q"}, {kMatrixRows, ""}, {kMatrixCols, "1"}},
     {kMsgNotAnInteger}},
    {"PickingANameAfterARefusedShapeShowsAllFourEdits",
     join({add("P", 1, 1, "1"), {Type{kMatrixRows, ""}, Click{kAddMatrix}, Pick{kMatrixList, 0}}}),
     {"P"},
     {0, -1, -1},
     {{kMatrixElements, "1"}, {kMatrixName, "P"}, {kMatrixRows, "1"}, {kMatrixCols, "1"}},
     {kMsgNotAnInteger},
     {}},
    {"AProductShowsItsTextShapeAndName",
     join({add("P", 1, 3, "1 2 3"),
           add("Q", 3, 1, "4 5 6"),
           {Pick{kFirstOperand, 0}, Pick{kSecondOperand, 1}, Click{kMatrixProduct}}}),
     {"P", "Q"},
     {1, 0, 1},
     {{kMatrixElements, "32,\n"}, {kMatrixRows, "1"}, {kMatrixCols, "1"}, {kMatrixName, "Product"}},
     {}},
    {"CtrlZAfterAProductBringsTheTypingBack",
     join({add("P", 1, 3, "1 2 3"),
           add("Q", 3, 1, "4 5 6"),
           {Pick{kFirstOperand, 0}, Pick{kSecondOperand, 1}, Type{kMatrixElements, "typed"},
            Click{kMatrixProduct}, Undo{kMatrixElements}}}),
     {"P", "Q"},
     {1, 0, 1},
     {{kMatrixElements, "typed"}},
     {}},
    {"ShapesThatCannotBeMultipliedAreNamed",
     join({add("P", 2, 3, "1"),
           add("Q", 2, 2, "1"),
           {Pick{kFirstOperand, 0}, Pick{kSecondOperand, 1}, Click{kMatrixProduct}}}),
     {"P", "Q"},
     {1, 0, 1},
     {},
     {kMsgProductShapes},
     {},
     {"矩阵１是 2×3，矩阵２是 2×2。"}},
    {"AMissingOperandKeepsTheTyping",
     join({add("P", 1, 1, "1"),
           {Pick{kFirstOperand, 0}, Type{kMatrixElements, "typed"}, Click{kMatrixSum}}}),
     {"P"},
     {0, 0, -1},
     {{kMatrixElements, "typed"}},
     {kMsgChooseMatrices}},
    // A file's matrices go in by the rules of "添加".
    {"OpeningAListedNameAsksAndOverwritesIt",
     join({add("A", 1, 1, "1"),
           {Answer{true}, Open{list({entry("a", "1", "2", "5 6"), entry("矩阵", "1", "1", "7")})},
            Pick{kMatrixList, 0}}}),
     {"A", "矩阵"},
     {0, -1, -1},
     {{kMatrixElements, "5 6"}, {kMatrixCols, "2"}, {kMatrixName, "A"}},
     {},
     {kAskOverwrite}},
    {"OpeningIntoAFullListLeavesTheRestOut",
     {Open{overfull()}},
     numberedNames(1000),
     {999, -1, -1},
     {{kMatrixName, "n999"}},
     {kMsgListFull}},
    {"OpeningSkipsAndCountsWhatAddRefuses",
     {Open{list({entry("E", "1", "1", ""), entry("Z", "0", "1", "1"), entry("", "1", "1", "1"),
                 entry("S", "\"2\"", "1", "1"), entry("C", "2", "1", "3 4")})}},
     {"C"},
     {0, -1, -1},
     {{kMatrixElements, "3 4"}, {kMatrixRows, "2"}, {kMatrixName, "C"}},
     {kMsgEntriesSkipped},
     {},
     {"跳过了 4 个矩阵。"}},
    {"AForeignFileIsRefusedAndTheListStays",
     join({add("P", 1, 1, "1"), {Open{R"({"format": "other", "matrices": []})"}}}),
     {"P"},
     {0, -1, -1},
     {{kMatrixName, "P"}},
     {kMsgNotAMatrixList}},
    {"ATruncatedFileIsRefused",
     {Open{list({entry("A", "1", "1", "1")}).substr(0, 70)}},
     {},
     {-1, -1, -1},
     {},
     {kMsgTruncatedList}},
    {"AFileNotInUtf8IsRefused",
     {Open{list({entry("\xBE\xD8", "1", "1", "1")})}},
     {},
     {-1, -1, -1},
     {},
     {kMsgNotUtf8}},
    {"AShapeMessageShowsTheFieldsAgain",
     join({add("P", 1, 2, "1 2"),
           add("Q", 2, 1, "3 4"),
           {Pick{kFirstOperand, 0}, Pick{kSecondOperand, 1}, Type{kMatrixElements, "unsaved"},
            Click{kMatrixSum}}}),
     {"P", "Q"},
     {1, 0, 1},
     {{kMatrixElements, "3 4"}, {kMatrixName, "Q"}},
     {kMsgSumShapes}},
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
        HostedPage page(kMatrixTemplate);
        ASSERT_TRUE(page.shown);
        page.page->setFileChooser(&files);
        for (const Action& action : join({kFour, add("T", 2, 2, "1，2\n3 4")}))
            perform(*page.page, page.messages, action);
        pressCtrl(*page.page, Qt::Key_S);
        saved = static_cast<CMatrixPage&>(*page.page).logic().namedMatrices();
    }
    for (int i = 0; i < 5; ++i) ProgramMatrixStore().write(i, {});
    HostedPage page(kMatrixTemplate);
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
    HostedPage hosted(kDeterminantTemplate);
    ASSERT_TRUE(hosted.shown);
    TemplatePage& page = *hosted.page;
    const RecordingMessageService& messages = hosted.messages;
    typeInto(page, kDeterminantElements, QString::fromUtf8(c.elements));
    typeInto(page, kOrder, QString::fromUtf8(c.order));
    QTest::mouseClick(page.button(kCompute), Qt::LeftButton);
    EXPECT_EQ(shownText(page, kDeterminantValue), c.result);
    EXPECT_EQ(messages.shown, c.messages);
}

// The element edit says, as it is typed, how much of the text is used.
TEST(DeterminantPageText, DescribesWhatWillBeRead) {
    HostedPage hosted(kDeterminantTemplate);
    ASSERT_TRUE(hosted.shown);
    typeInto(*hosted.page, kDeterminantElements, "1 2 3 4 5");
    typeInto(*hosted.page, kOrder, "2");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return hosted.page->control(kDeterminantElements)
                ->accessibleDescription()
                .startsWith("读到 5 个数，2×2 的行列式只用前 4 个。\n★输入方法");
        },
        kDescribedWithinMs));
}

const DeterminantCase kDeterminantCases[] = {
    {"OrderTwo", "1 2 3 4", "2", "-2", {}},
    {"OrderThree", "1 2 3 4 5 6 7 8 10", "3", "-3", {}},
    {"SurplusElementsAreIgnored", "1 2 3 4 5", "2", "-2", {}},
    {"OrderOneIsRefused", "1", "1", "0", {kMsgOrderOutOfRange}},
    {"OrderFiftyOneIsRefused", "1 2 3 4", "51", "0", {kMsgOrderOutOfRange}},
    {"AnEmptyTextComesFirst", "", "51", "0", {kMsgEnterDeterminant}},
    {"ANonIntegerOrderIsRefusedAlone", "1 2 3 4", "2.5", "0", {kMsgNotAnInteger}},
    {"OrderFiftyHasNoRoomToBeComputed", "1 2 3 4", "50", "0", {kMsgNoMemory}},
};
INSTANTIATE_TEST_SUITE_P(Cases, DeterminantPageUse, ::testing::ValuesIn(kDeterminantCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
