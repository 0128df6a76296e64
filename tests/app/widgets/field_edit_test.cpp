// SPDX-License-Identifier: GPL-3.0-or-later
// A single-line edit holding a text too long for the line edit's own layout:
// keys, clicks and the clipboard act on it as on a short one.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QClipboard>
#include <QImage>
#include <QRegularExpression>
#include <utility>
#include <vector>

#include "app/dialog/accessibility.h"
#include "app/widgets/field_edit.h"
#include "ui_test_support.h"

namespace {

const QString kLong = QStringLiteral("1.5+").repeated(5000);

struct HostedEdit {
    QWidget window;
    FieldEdit* edit = new FieldEdit(&window);
    bool shown = false;

    HostedEdit() {
        edit->setGeometry(10, 10, 300, 24);
        window.resize(320, 44);
        shown = showActive(window);
        edit->setFocus();
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(window.windowHandle(), key, modifiers);
    }
    void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        press(Qt::Key_V, Qt::ControlModifier);
    }
};

TEST(LongFieldEdit, PasteTypingAndTheHistoryKeepEveryCharacter) {
    HostedEdit hosted;
    ASSERT_TRUE(hosted.shown);
    for (const Qt::Key key : {Qt::Key_S, Qt::Key_I, Qt::Key_N, Qt::Key_X}) hosted.press(key);
    hosted.press(Qt::Key_A, Qt::ControlModifier);
    hosted.press(Qt::Key_Y);  // over the selection: a step of its own
    hosted.press(Qt::Key_A, Qt::ControlModifier);
    hosted.paste(kLong);
    ASSERT_TRUE(hosted.edit->text() == kLong);
    EXPECT_TRUE(hosted.edit->showsLongText());
    hosted.press(Qt::Key_7);
    EXPECT_TRUE(hosted.edit->text() == kLong + "7");
    const std::vector<QString> back = {kLong, "y", "sinx", ""};  // "sinx" is one step
    for (const QString& text : back) {
        hosted.press(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(hosted.edit->text() == text) << hosted.edit->text().size() << " characters";
    }
    EXPECT_FALSE(hosted.edit->showsLongText());
    for (int step = 0; step < 3; ++step) hosted.press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(hosted.edit->text() == kLong);
}

struct KeyCase {
    const char* name;
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    qsizetype cursor;  // -1 is the end, -2 the one before it
    QString selected = {};
    QString clipboard = {};
    qsizetype removed = 0;
};

TEST(LongFieldEdit, CursorKeysStepOverCharactersAndWords) {
    const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    const KeyCase cases[] = {
        {"arrows", {{Qt::Key_Home, none}, {Qt::Key_Right, none}, {Qt::Key_Right, none}}, 2},
        {"word", {{Qt::Key_Home, none}, {Qt::Key_Right, ctrl}}, 1},
        {"separator word", {{Qt::Key_Home, none}, {Qt::Key_Right, ctrl}, {Qt::Key_Right, ctrl}}, 2},
        {"word back", {{Qt::Key_End, none}, {Qt::Key_Left, ctrl}}, -2},
        {"arrow ends a selection",
         {{Qt::Key_Home, none},
          {Qt::Key_Right, shift},
          {Qt::Key_Right, shift},
          {Qt::Key_Left, none}},
         0},
        {"copy",
         {{Qt::Key_Home, none},
          {Qt::Key_Right, shift},
          {Qt::Key_Right, shift},
          {Qt::Key_Right, shift},
          {Qt::Key_C, ctrl}},
         3,
         "1.5",
         "1.5"},
        {"cut",
         {{Qt::Key_Home, none}, {Qt::Key_Right, ctrl | shift}, {Qt::Key_X, ctrl}},
         0,
         "",
         "1",
         1},
        {"delete", {{Qt::Key_Home, none}, {Qt::Key_Delete, none}}, 0, "", "", 1},
        {"erase a word", {{Qt::Key_End, none}, {Qt::Key_Backspace, ctrl}}, -1, "", "", 1},
    };
    for (const KeyCase& c : cases) {
        HostedEdit hosted;
        ASSERT_TRUE(hosted.shown);
        hosted.paste(kLong);
        QApplication::clipboard()->clear();
        for (const auto& [key, modifiers] : c.keys) hosted.press(key, modifiers);
        const qsizetype size = hosted.edit->text().size();
        EXPECT_EQ(hosted.edit->cursorPosition(), c.cursor < 0 ? size + 1 + c.cursor : c.cursor)
            << c.name;
        EXPECT_EQ(hosted.edit->selectedText(), c.selected) << c.name;
        EXPECT_EQ(QApplication::clipboard()->text(), c.clipboard) << c.name;
        EXPECT_EQ(size, kLong.size() - c.removed) << c.name;
    }
}

TEST(LongFieldEdit, ShowsTheTextAtTheCursorAndPlacesClicksInIt) {
    HostedEdit hosted;
    ASSERT_TRUE(hosted.shown);
    hosted.paste(kLong);
    const QImage shot = hosted.edit->grab().toImage();
    int inked = 0;
    for (int x = 4; x < shot.width() - 4; ++x) {
        for (int y = 4; y < shot.height() - 4; ++y) inked += qGray(shot.pixel(x, y)) < 128;
    }
    EXPECT_GT(inked, 100) << "the text is drawn";
    QWindow* window = hosted.window.windowHandle();
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(16, 22));
    EXPECT_GT(hosted.edit->cursorPosition(), kLong.size() - 200) << "the view ends at the cursor";
    EXPECT_LT(hosted.edit->cursorPosition(), kLong.size() - 20);
}

TEST(LongFieldEdit, AScreenReaderReadsAndEditsTheWholeText) {
    installAccessibleInterfaces();
    HostedEdit hosted;
    ASSERT_TRUE(hosted.shown);
    hosted.paste(kLong);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(hosted.edit);
    ASSERT_NE(reader, nullptr);
    EXPECT_FALSE(reader->state().passwordEdit);
    EXPECT_TRUE(reader->text(QAccessible::Value) == kLong);
    QAccessibleTextInterface* text = reader->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), kLong.size());
    EXPECT_EQ(text->text(0, 4), "1.5+");
    reader->editableTextInterface()->replaceText(0, 4, "x*");
    EXPECT_TRUE(hosted.edit->text() == "x*" + kLong.mid(4));
    hosted.press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(hosted.edit->text() == kLong);
}

TEST(LongFieldEdit, ANumberFieldStillRefusesWhatItCannotHold) {
    HostedEdit hosted;
    ASSERT_TRUE(hosted.shown);
    hosted.edit->acceptOnly(QRegularExpression(QStringLiteral("[0-9]*")));
    hosted.paste(QStringLiteral("12a").repeated(5000));
    EXPECT_EQ(hosted.edit->text(), "");
    hosted.paste(QStringLiteral("9").repeated(20000));
    EXPECT_EQ(hosted.edit->text().size(), 20000);
}

}  // namespace
