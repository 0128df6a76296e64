// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAccessible>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QUrl>

#include "app/shell/mexora_dlg.h"
#include "app/widgets/hyper_link.h"
#include "app/widgets/template_widgets.h"
#include "ui_test_support.h"

namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

// Receives the addresses handed to the desktop's URL handler.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened.append(url); }
};

QColor textColour(const QWidget* label) { return label->palette().color(QPalette::WindowText); }

void enter(QWidget* label) {
    QEnterEvent event(QPointF(2, 2), label->mapTo(label->window(), QPointF(2, 2)),
                      label->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(label, &event);
}

void leave(QWidget* label) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(label, &event);
}

class HyperLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window.Create(nullptr);
        ASSERT_TRUE(showActive(window));
        for (const char* scheme : {"mailto", "http"}) {
            QDesktopServices::setUrlHandler(scheme, &recorder, "open");
        }
    }
    void TearDown() override {
        for (const char* scheme : {"mailto", "http"}) QDesktopServices::unsetUrlHandler(scheme);
    }
    CMexoraDlg window;
    UrlRecorder recorder;
};

TEST_F(HyperLinkTest, TurnsRedWhileThePointerIsOverIt) {
    for (const int id : {kMailLink, kHomePageLink}) {
        QWidget* label = window.control(id);
        EXPECT_EQ(textColour(label), kBlue) << id;
        enter(label);
        EXPECT_EQ(textColour(label), kRed) << id;
        EXPECT_EQ(label->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(label->cursor().hotSpot(), QPoint(5, 0));
        leave(label);
        EXPECT_EQ(textColour(label), kBlue) << id;
    }
    // The author label is no link.
    QWidget* author = nullptr;
    for (const CreatedControl& created : window.controls()) {
        if (created.id == kNoControlId && qobject_cast<StaticText*>(created.widget)) {
            author = created.widget;
        }
    }
    ASSERT_NE(author, nullptr);
    const QColor before = textColour(author);
    enter(author);
    EXPECT_EQ(textColour(author), before);
}

TEST_F(HyperLinkTest, OpensItsTargetOnThePressNotOnTheRelease) {
    QWidget* mail = window.control(kMailLink);
    QTest::mousePress(mail, Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened[0], QUrl("mailto:mexora@example.org"));
    QTest::mouseRelease(mail, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(recorder.opened.size(), 1);

    QTest::mousePress(mail, Qt::RightButton, {}, QPoint(4, 4));
    EXPECT_EQ(recorder.opened.size(), 1);
    // Held, the button would keep every later click on this label.
    QTest::mouseRelease(mail, Qt::RightButton, {}, QPoint(4, 4));

    QTest::mouseClick(window.control(kHomePageLink), Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_EQ(recorder.opened.size(), 2);
    EXPECT_EQ(recorder.opened[1], QUrl("http://example.org"));
}

// From the keyboard: Tab reaches the links, Enter and Space open them, and a
// screen reader's press does too.
TEST_F(HyperLinkTest, OpensFromTheKeyboardAndTheScreenReader) {
    QWidget* mail = window.control(kMailLink);
    mail->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.control(kHomePageLink));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space})
        QTest::keyClick(window.windowHandle(), key);
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(mail);
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    const QList<QUrl> expected{QUrl("http://example.org"), QUrl("http://example.org"),
                               QUrl("mailto:mexora@example.org")};
    EXPECT_EQ(recorder.opened, expected);
}

TEST_F(HyperLinkTest, NoLinkKeepsTheStoredTarget) {
    StaticText label("EMAIL:x", Qt::AlignLeft, false, &window);
    CHyperLink link;
    ASSERT_TRUE(link.BindLabel(&label, &window, kBlue, kRed, CHyperLink::kNoLink));
    EXPECT_TRUE(link.m_strTarget.isEmpty());
    // A press with no target asks for nothing that can be opened, silently.
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_TRUE(recorder.opened.isEmpty());

    CHyperLink relinked;
    ASSERT_TRUE(relinked.BindLabel(&label, &window, kBlue, kRed, "http://example.org/a"));
    ASSERT_TRUE(relinked.BindLabel(&label, &window, kBlue, kRed, CHyperLink::kNoLink));
    EXPECT_EQ(relinked.m_strTarget, "http://example.org/a");
}

TEST_F(HyperLinkTest, BindingFailsForAControlOutsideTheParent) {
    QWidget elsewhere;
    StaticText stray("EMAIL:y", Qt::AlignLeft, false, &elsewhere);
    CHyperLink link;
    EXPECT_FALSE(link.BindLabel(&stray, &window, kBlue, kRed, "mailto:y@example.org"));
    EXPECT_FALSE(link.BindLabel(nullptr, &window, kBlue, kRed, "mailto:y@example.org"));
    EXPECT_TRUE(link.m_strTarget.isEmpty());
    enter(&stray);
    EXPECT_NE(textColour(&stray), kRed);
}

TEST_F(HyperLinkTest, DrawsNoBackgroundOfItsOwn) {
    QWidget* home = window.control(kHomePageLink);
    EXPECT_FALSE(home->autoFillBackground());
    const QImage image = window.grab().toImage();
    // Right of the text, inside the label: the window's grey.
    const QPoint inside = home->geometry().topRight() + QPoint(-2, 2);
    EXPECT_EQ(QColor(image.pixel(inside * image.devicePixelRatio())), QColor(192, 192, 192));
}

}  // namespace

#include "hyper_link_test.moc"
