// SPDX-License-Identifier: GPL-3.0-or-later
// Bad input in every field of every page, through the real controls: each
// gets a definite outcome (a result, a message, or progress that cancels),
// nothing crashes or hangs, and no other field the user typed is lost. The
// outcomes are written to build/screens/input_sweep.txt for a reader.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "ui_test_support.h"

namespace {

enum class Kind { Number, Formula, Text };

struct Field {
    int id;
    const char* typical;  // a value the field takes, as the page writes it back
    Kind kind;
};

struct PageUnderTest {
    const char* name;
    int templateId;
    std::vector<Field> fields;
    std::vector<int> boxes;    // check boxes ticked first
    std::vector<int> buttons;  // pressed in turn
    std::vector<int> results;  // edits the page writes its results into
    // Pressed after the fields are checked, with the first stored matrix as
    // both operands; their results replace the edits by design.
    std::vector<int> operations = {};
};

const PageUnderTest kPages[] = {
    {"Integral",
     kIntegralTemplate,
     {{kLower, "0", Kind::Number},
      {kUpper, "1", Kind::Number},
      {kIntegrand, "x^2", Kind::Formula},
      {kIntPrecision, "0.0001", Kind::Number},
      {kIntDepth, "10", Kind::Number},
      {kDiffFormula, "x^3", Kind::Formula},
      {kInitStep, "0.01", Kind::Number},
      {kDiffPrecision, "0.0001", Kind::Number},
      {kDiffDepth, "10", Kind::Number},
      {kPoint, "3", Kind::Number}},
     {},
     {kIntegralEquals, kDerivativeEquals},
     {kIntResult, kDiffResult}},
    {"SumProduct",
     kSumProductTemplate,
     {{kSumFrom, "1", Kind::Number},
      {kSumTo, "10", Kind::Number},
      {kSumFormula, "x", Kind::Formula},
      {kSumStep, "1", Kind::Number},
      {kProdFrom, "1", Kind::Number},
      {kProdTo, "10", Kind::Number},
      {kProdFormula, "x", Kind::Formula},
      {kProdStep, "1", Kind::Number}},
     {kSumStepBox, kProdStepBox},
     {kSumEquals, kProductEquals},
     {kSumResult, kProdResult}},
    {"Equation",
     kEquationTemplate,
     {{kEquationFormula, "x*x-2", Kind::Formula},
      {kLeft, "0", Kind::Number},
      {kRight, "2", Kind::Number},
      {kDelta, "0.01", Kind::Number},
      {kEpsilon, "0.01", Kind::Number}},
     {},
     {kSolve},
     {kRoot}},
    {"Determinant",
     kDeterminantTemplate,
     {{kDeterminantElements, "1 2 3 4", Kind::Text}, {kOrder, "2", Kind::Number}},
     {},
     {kCompute},
     {kDeterminantValue}},
    // Added, then taken as both operands of a sum and of a product.
    {"Matrix",
     kMatrixTemplate,
     {{kMatrixElements, "1 2 3 4", Kind::Text},
      {kMatrixName, "M", Kind::Text},
      {kMatrixRows, "2", Kind::Number},
      {kMatrixCols, "2", Kind::Number}},
     {},
     {kAddMatrix},
     {},
     {kMatrixSum, kMatrixProduct}},
};

struct Input {
    const char* name;
    std::string text;
    bool bulky = false;  // tried in formula and text fields only
};

std::string repeated(const std::string& piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

const std::vector<Input>& inputs() {
    static const std::vector<Input> all = {
        {"empty", ""},
        {"blanks around a number", "  2  "},
        {"letters", "abc"},
        {"beyond a double", "1e999"},
        {"negative zero", "-0"},
        {"nan", "nan"},
        {"inf", "inf"},
        {"hexadecimal", "0x10"},
        {"400 digits", repeated("9", 400)},
        {"full-width digits", "１２"},
        {"line breaks", "1\n2"},
        {"zero", "0"},
        {"one", "1"},
        {"largest integer", "2147483647"},
        {"beyond an integer", "2147483648"},
        {"tiny", "1e-300"},
        {"order 51", "51"},
        {"65536", "65536"},
        {"token of 100 characters", repeated("q", 100)},
        {"2000 elements", repeated("x+", 1999) + "x", true},
        {"nesting 5000 deep", repeated("(", 5000) + "x" + repeated(")", 5000), true},
        {"a megabyte", repeated("1.5,", 256 * 1024), true},
    };
    return all;
}

// Presses a button; long work it starts is cancelled soon after its progress
// dialog shows. True when it was.
bool pressCancellingLongWork(QPushButton* button) {
    bool cancelled = false;
    QTimer watch;
    watch.setInterval(100);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QWidget* dialog = visibleProgressDialog()) {
            cancelled = true;
            QTest::mouseClick(dialog->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
        }
    });
    watch.start();
    QTest::mouseClick(button, Qt::LeftButton);
    return cancelled;
}

// Takes the first stored matrix as both operands, when there is one.
void pickFirstAsBothOperands(const TemplatePage& page) {
    if (page.control<QComboBox>(kFirstOperand)->count() == 0) return;
    chooseInSelector(page, kFirstOperand, 0);
    chooseInSelector(page, kSecondOperand, 0);
}

// Pastes text into a field.
void putText(TemplatePage& page, int id, const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (QLineEdit* edit = lineEdit(page, id)) {
        edit->setFocus();
        edit->selectAll();
        edit->insert(value);
        return;
    }
    typeInto(page, id, value);
}

QFile& outcomes() {
    static QFile file(QDir(QStringLiteral(MEXORA_SCREENS_DIR)).filePath("input_sweep.txt"));
    if (!file.isOpen()) {
        QDir().mkpath(QStringLiteral(MEXORA_SCREENS_DIR));
        // Each page's sweep adds its lines; a new run starts the file afresh.
        static bool started = false;
        file.open(QIODevice::WriteOnly | QIODevice::Text |
                  (started ? QIODevice::Append : QIODevice::Truncate));
        started = true;
    }
    return file;
}

class InputSweep : public ::testing::TestWithParam<const PageUnderTest*> {};

TEST_P(InputSweep, EveryFieldHasADefiniteOutcomeAndLosesNothingElse) {
    const PageUnderTest& p = *GetParam();
    for (const Field& field : p.fields) {
        for (const Input& input : inputs()) {
            if (input.bulky && field.kind == Kind::Number) continue;
            QWidget window;
            RecordingMessageService messages;
            messages.answers.assign(8, true);
            const std::unique_ptr<TemplatePage> page = makePage(p.templateId);
            page->setMessageService(&messages);
            page->Create(&window);
            window.resize(page->size());
            window.show();
            for (const int box : p.boxes) page->control<QCheckBox>(box)->click();
            for (const Field& other : p.fields) putText(*page, other.id, other.typical);
            putText(*page, field.id, input.text);
            // What the controls hold, after any filtering they do themselves.
            std::map<int, QString> typed;
            for (const Field& other : p.fields) typed[other.id] = shownText(*page, other.id);
            // Formulas and texts take whatever is pasted, however long.
            if (field.kind != Kind::Number && input.text.find('\n') == std::string::npos) {
                EXPECT_EQ(typed[field.id].toStdString().size(), input.text.size())
                    << p.name << " field " << field.id << ", " << input.name;
            }

            QElapsedTimer clock;
            clock.start();
            bool cancelled = false;
            for (const int id : p.buttons)
                cancelled = pressCancellingLongWork(page->button(id)) || cancelled;
            std::map<int, QString> after;
            for (const Field& other : p.fields) after[other.id] = shownText(*page, other.id);
            for (const int id : p.operations) {
                pickFirstAsBothOperands(*page);
                cancelled = pressCancellingLongWork(page->button(id)) || cancelled;
            }

            const std::string where =
                std::string(p.name) + " field " + std::to_string(field.id) + ", " + input.name;
            QString line = QString::fromStdString(where) + ":";
            for (const int id : messages.shown) line += QStringLiteral(" message %1").arg(id);
            for (const int id : p.results) line += " result " + shownText(*page, id);
            if (cancelled) line += " cancelled";
            line += QStringLiteral(" (%1 ms)").arg(clock.elapsed());
            outcomes().write((line + "\n").toUtf8());

            EXPECT_EQ(visibleProgressDialog(), nullptr) << where;
            for (const Field& other : p.fields) {
                if (other.id == field.id) continue;
                EXPECT_EQ(after[other.id], typed[other.id])
                    << where << ": field " << other.id << " lost what was typed";
            }
            // A refused field keeps its text for the user to mend.
            if (!messages.shown.empty() && messages.shown.front() >= kMsgNotANumber) {
                EXPECT_EQ(after[field.id], typed[field.id]) << where;
            }
        }
    }
    outcomes().flush();
}

// An empty clipboard or selection pastes nothing, whichever way it comes:
// Ctrl+V, Shift+Insert or a middle click, each delivered to the window.
TEST_P(InputSweep, AnEmptyClipboardPastesNothing) {
    const PageUnderTest& p = *GetParam();
    HostedPage hosted(p.templateId);
    ASSERT_TRUE(hosted.shown);
    QWindow* window = hosted.window.windowHandle();
    std::vector<int> edits = p.results;
    for (const Field& field : p.fields) edits.push_back(field.id);
    for (const int id : edits) {
        QWidget* edit = hosted.page->control(id);
        const QString before = shownText(*hosted.page, id);
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->setMimeData(new QMimeData);
        if (clipboard->supportsSelection())
            clipboard->setMimeData(new QMimeData, QClipboard::Selection);
        const QPoint centre = edit->mapTo(&hosted.window, edit->rect().center());
        QTest::mouseClick(window, Qt::LeftButton, {}, centre);
        QTest::keyClick(window, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(window, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::mouseClick(window, Qt::MiddleButton, {}, centre);
        EXPECT_EQ(shownText(*hosted.page, id), before) << p.name << " edit " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, InputSweep,
                         ::testing::Values(&kPages[0], &kPages[1], &kPages[2], &kPages[3],
                                           &kPages[4]),
                         [](const auto& info) { return std::string(info.param->name); });

// Absurd shapes end in a message, never in the program being killed for
// memory: the matrix is added, then summed with and multiplied by itself.
struct ShapeCase {
    const char* rows;
    const char* cols;
    std::vector<int> messages;
};

TEST(InputSweep, AbsurdShapesEndInAMessage) {
    const ShapeCase cases[] = {
        {"0", "5", {kMsgShapeNotPositive, kMsgChooseMatrices, kMsgChooseMatrices}},
        {"1", "2147483647", {kMsgNoMemory, kMsgProductShapes}},
        {"65536", "65536", {kMsgNoMemory, kMsgNoMemory}},
    };
    for (const ShapeCase& c : cases) {
        QWidget window;
        RecordingMessageService messages;
        CMatrixPage page;
        page.setMessageService(&messages);
        page.Create(&window);
        for (const auto& [id, text] :
             {std::pair{kMatrixElements, "1 2"}, std::pair{kMatrixRows, c.rows},
              std::pair{kMatrixCols, c.cols}, std::pair{kMatrixName, "M"}})
            putText(page, id, text);
        QTest::mouseClick(page.button(kAddMatrix), Qt::LeftButton);
        for (const int id : {kMatrixSum, kMatrixProduct}) {
            pickFirstAsBothOperands(page);
            EXPECT_FALSE(pressCancellingLongWork(page.button(id))) << c.rows << " x " << c.cols;
        }
        EXPECT_EQ(messages.shown, c.messages) << c.rows << " x " << c.cols;
    }
}

}  // namespace
