// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/mexora_dlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QWindow>

#include "app/dialog/data_exchange.h"
#include "app/dialog/dialog_scale.h"
#include "app/dialog/template_page.h"
#include "app/dialog/window_precision.h"
#include "app/history/history.h"
#include "app/history/history_window.h"
#include "app/history/request_record.h"
#include "app/look/art.h"
#include "app/pages/determinant_page.h"
#include "app/pages/equation_page.h"
#include "app/pages/integral_page.h"
#include "app/pages/matrix_page.h"
#include "app/pages/sum_product_page.h"
#include "app/shell/about_dlg.h"
#include "app/widgets/hyper_link.h"
#include "app/widgets/template_widgets.h"
#include "app/work/long_work.h"
#include "core/string_ids.h"

#ifdef Q_OS_WIN
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace {

struct NavigationEntry {
    int labelId;  // string table
    int picture;  // in kNavigationStrip
};

// Entry index = list item index = page index.
constexpr NavigationEntry kNavigation[CMexoraDlg::kPageCount] = {
    {kNavCover, 1},      {kNavMatrix, 2},   {kNavIntegral, 0},
    {kNavSumProduct, 3}, {kNavEquation, 4}, {kNavDeterminant, 2},
};

constexpr QKeyCombination kPrecisionKey = Qt::CTRL | Qt::SHIFT | Qt::Key_D;

constexpr auto kMailTarget = "mailto:mexora@example.org";
constexpr auto kHomePageTarget = "http://example.org";

const QColor kNavigationText(0, 64, 128);
const QColor kLinkNormal(0, 0, 255);
const QColor kLinkHover(255, 0, 0);

}  // namespace

CMexoraDlg::CMexoraDlg(MessageService* messages, FileChooser* files)
    : DialogWidget(kMainWindowTemplate),
      m_hIcon(applicationIcon()),
      pageMessages_(messages),
      pageFiles_(files),
      history_(new History(this)) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    if (messages) setMessageService(messages);
    if (files) setFileChooser(files);
    // The window comes up at the size and in the precision the user chose
    // last time, before any page computes.
    applyDialogScale(rememberedDialogScale());
    WindowPrecision::instance().loadFromSettings();
}

CMexoraDlg::~CMexoraDlg() {
    // The pages go in index order, before the labels and the list.
    for (TemplatePage*& page : m_pPages) {
        delete page;
        page = nullptr;
    }
}

void CMexoraDlg::DoDataExchange(DataExchange& dx) {
    dx.control(kNavigationList, m_listNav);
    dx.check(kAlwaysOnTop, m_bTopMost);
}

void CMexoraDlg::OnInitDialog() {
    DialogWidget::OnInitDialog();
    setWindowIcon(m_hIcon);
    fillNavigationList();
    bindLinks();
    createPages();
    connect(m_listNav, &QListWidget::clicked, this, &CMexoraDlg::OnClickNavList);
    connect(m_listNav, &QListWidget::doubleClicked, this, &CMexoraDlg::OnClickNavList);
    connect(control<QCheckBox>(kAlwaysOnTop), &QCheckBox::clicked, this, &CMexoraDlg::OnTopMost);
    if (auto* keyed = qobject_cast<ListControl*>(m_listNav)) {
        connect(keyed, &ListControl::currentMovedByKey, this, &CMexoraDlg::showPageOfKey);
    }
    addShortcuts();
    m_nCurrentPage = 0;
    title_ = windowTitle();
    connect(&WindowPrecision::instance(), &WindowPrecision::changed, this, &CMexoraDlg::showTitle);
    showTitle();
    m_listNav->setFocus();
}

void CMexoraDlg::showTitle() {
    QString title = title_;
    if (WindowPrecision::instance().isDouble()) title += loadQString(kTitleDoubleSuffix);
    setWindowTitle(title);
}

void CMexoraDlg::togglePrecision() {
    WindowPrecision& precision = WindowPrecision::instance();
    precision.choose(precision.isDouble() ? Precision::Single : Precision::Double);
}

void CMexoraDlg::fillNavigationList() {
    const QList<QIcon> pictures = navigationIcons();
    QPalette palette = m_listNav->palette();
    palette.setColor(QPalette::Text, kNavigationText);
    m_listNav->setPalette(palette);
    // Six entries do not fit the list's height: one column, scrolled.
    m_listNav->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_listNav->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sizeNavigationList();
    for (const NavigationEntry& entry : kNavigation) {
        auto* item = new QListWidgetItem(loadQString(entry.labelId), m_listNav);
        if (entry.picture < pictures.size()) item->setIcon(pictures[entry.picture]);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
}

void CMexoraDlg::sizeNavigationList() {
    const int picture = scaledPixels(48);
    m_listNav->setIconSize(QSize(picture, picture));
    const int column =
        m_listNav->width() - 2 * m_listNav->frameWidth() -
        m_listNav->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_listNav);
    m_listNav->setGridSize(QSize(column, picture + scaledPixels(26)));
}

void CMexoraDlg::scaleChanged() {
    sizeNavigationList();
    if (QListWidgetItem* current = m_listNav->currentItem()) m_listNav->scrollToItem(current);
}

void CMexoraDlg::addShortcuts() {
    const auto add = [this](QList<QKeySequence> keys, auto action) {
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(keys);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    add({Qt::Key_F6}, [this] { moveFocusBetweenPageAndList(); });
    add({Qt::CTRL | Qt::Key_PageDown}, [this] { showNeighbourPage(1); });
    add({Qt::CTRL | Qt::Key_PageUp}, [this] { showNeighbourPage(-1); });
    add({Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::Key_Plus}, [this] { changeScale(1); });
    add({Qt::CTRL | Qt::Key_Minus}, [this] { changeScale(-1); });
    add({Qt::CTRL | Qt::Key_0}, [this] { changeScale(0); });
    add({Qt::CTRL | Qt::Key_H}, [this] { showHistory(); });
    add({kPrecisionKey}, [this] { togglePrecision(); });
}

void CMexoraDlg::bindLinks() {
    const QCursor hand = pointingHandCursor();
    const std::pair<int, const char*> bindings[] = {{kMailLink, kMailTarget},
                                                    {kHomePageLink, kHomePageTarget}};
    for (std::size_t i = 0; i < links_.size(); ++i) {
        links_[i] = std::make_unique<CHyperLink>();
        links_[i]->BindLabel(control(bindings[i].first), this, kLinkNormal, kLinkHover,
                             QString::fromLatin1(bindings[i].second));
    }
    for (auto& link : links_) link->m_hCursor = hand;
}

void CMexoraDlg::createPages() {
    m_pPages = {new TemplatePage(kCoverTemplate),
                new CMatrixPage,
                new CIntegralPage,
                new CSumProductPage,
                new CEquationPage,
                new CDeterminantPage};
    for (std::size_t i = 0; i < m_pPages.size(); ++i) {
        TemplatePage* page = m_pPages[i];
        if (pageMessages_) page->setMessageService(pageMessages_);
        if (pageFiles_) page->setFileChooser(pageFiles_);
        connect(page, &TemplatePage::calculated, this, [this, i](int request) {
            if (std::optional<HistoryRow> row =
                    RecordRequest(*m_pPages[i], static_cast<int>(i), request))
                history_->append(std::move(*row));
        });
        page->setAccessibleName(loadQString(kNavigation[i].labelId));
        page->Create(this);
        page->move(0, 0);
        if (i != 0) page->hide();
    }
}

bool CMexoraDlg::switchPage(int index) {
    if (index < 0 || index >= kPageCount || index == m_nCurrentPage) return false;
    m_pPages[m_nCurrentPage]->hide();
    m_pPages[index]->show();
    m_nCurrentPage = index;
    return true;
}

void CMexoraDlg::SelectPage(int index) {
    if (switchPage(index) && index != 0) m_pPages[index]->takeFocus();
}

void CMexoraDlg::OnClickNavList(const QModelIndex& index) { SelectPage(index.row()); }

// The focus stays in the list, so that the next key moves on from there.
void CMexoraDlg::showPageOfKey(int row) { switchPage(row); }

void CMexoraDlg::moveFocusBetweenPageAndList() {
    TemplatePage* page = m_pPages[m_nCurrentPage];
    const QWidget* focus = QApplication::focusWidget();
    // The cover has nothing to focus: the focus then goes to, or stays in, the list.
    if ((focus && page->isAncestorOf(focus)) || !page->takeFocus()) {
        m_listNav->setFocus(Qt::ShortcutFocusReason);
    }
}

void CMexoraDlg::showNeighbourPage(int step) {
    const int index = (m_nCurrentPage + step + kPageCount) % kPageCount;
    switchPage(index);
    m_listNav->setCurrentRow(index);
    if (!m_pPages[index]->focusFirstControl()) m_listNav->setFocus(Qt::ShortcutFocusReason);
}

void CMexoraDlg::changeScale(int steps) {
    const int scale = steps == 0 ? kDesignScale : neighbourDialogScale(dialogScale(), steps);
    if (scale == dialogScale()) return;
    applyDialogScale(scale);
    rememberDialogScale(scale);
}

void CMexoraDlg::OnTopMost() {
    UpdateData(true);
    // Through the window itself: only the stacking changes, nothing is
    // re-created, moved or resized.
    const bool onTop = m_bTopMost != 0;
    if (QWindow* window = windowHandle()) {
        window->setFlag(Qt::WindowStaysOnTopHint, onTop);
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
}

void CMexoraDlg::OnSysCommand(int id) {
    if ((id & 0xFFF0) != kAboutCommand) return;
    CAboutDlg about(this);
    about.exec();
}

void CMexoraDlg::addSystemMenuEntries(QMenu& menu) {
    const QString text = loadQString(kAboutMenuEntry);
    if (text.isEmpty()) return;
    menu.addSeparator();
    menu.addAction(text, this, [this] { OnSysCommand(kAboutCommand); });
}

void CMexoraDlg::showHistory() {
    if (!historyWindow_) {
        historyWindow_ = new HistoryWindow(*history_, files(), messages(), this);
        historyWindow_->move(frameGeometry().bottomLeft());
        connect(historyWindow_, &HistoryWindow::restoreRequested, this,
                &CMexoraDlg::restoreHistoryRow);
    }
    historyWindow_->showNewest();
}

void CMexoraDlg::restoreHistoryRow(int row) {
    if (row < 0 || row >= history_->size()) return;
    const HistoryRow& entry = history_->at(row);
    if (entry.page <= 0 || entry.page >= kPageCount) return;
    RestoreRowPrecision(entry);
    RestoreRequest(*m_pPages[entry.page], entry);
    SelectPage(entry.page);
    m_listNav->setCurrentRow(entry.page);
    activateWindow();
}

void CMexoraDlg::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape are withheld: neither closes the window.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            DialogWidget::keyPressEvent(event);
    }
}

void CMexoraDlg::contextMenuEvent(QContextMenuEvent* event) {
    // The window manager's menu is out of reach on most desktops; the window
    // offers the same entries on a right click.
    QMenu menu(this);
    menu.addAction(loadQString(kHistoryTitle), QKeySequence(Qt::CTRL | Qt::Key_H), this,
                   &CMexoraDlg::showHistory);
    QAction* precision = menu.addAction(loadQString(kMenuDoublePrecision), kPrecisionKey, this,
                                        &CMexoraDlg::togglePrecision);
    precision->setCheckable(true);
    precision->setChecked(WindowPrecision::instance().isDouble());
    addSystemMenuEntries(menu);
    if (!menu.isEmpty()) menu.exec(event->globalPos());
}

void CMexoraDlg::showEvent(QShowEvent* event) {
    DialogWidget::showEvent(event);
    appendToSystemMenu();
}

void CMexoraDlg::closeEvent(QCloseEvent* event) {
    // Closing during long work stops it; the handler that runs it then
    // returns without writing anything, and the program ends.
    LongWork::cancelRunning();
    if (LongWork::running() && matrixListUnsaved()) {
        // No window but the progress dialog takes input until the work has
        // ended: the question about the list comes after it.
        event->ignore();
        LongWork::whenEnded(this, [this] { close(); });
        return;
    }
    if (!matrixListSettled()) return event->ignore();
    DialogWidget::closeEvent(event);
}

bool CMexoraDlg::matrixListUnsaved() const {
    const auto* matrices = static_cast<const CMatrixPage*>(m_pPages[kMatrixPage]);
    return matrices && matrices->listUnsaved();
}

// Offers to save a matrix list that no file holds; true when the window may
// close: nothing to save, the answer No, or the list saved.
bool CMexoraDlg::matrixListSettled() {
    if (!matrixListUnsaved()) return true;
    switch (messages().askYesNoCancel(kAskSaveList)) {
        case MessageService::Answer::Yes:
            return static_cast<CMatrixPage*>(m_pPages[kMatrixPage])->saveMatrixList();
        case MessageService::Answer::No:
            return true;
        case MessageService::Answer::Cancel:
            break;
    }
    return false;
}

void CMexoraDlg::appendToSystemMenu() {
#ifdef Q_OS_WIN
    if (systemMenuExtended_) return;
    systemMenuExtended_ = true;
    const QString text = loadQString(kAboutMenuEntry);
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    if (menu && !text.isEmpty()) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, kAboutCommand, reinterpret_cast<LPCWSTR>(text.utf16()));
    }
#else
    systemMenuExtended_ = true;
#endif
}

bool CMexoraDlg::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
#ifdef Q_OS_WIN
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kAboutCommand) {
        OnSysCommand(static_cast<int>(msg->wParam));
        *result = 0;
        return true;
    }
#endif
    return DialogWidget::nativeEvent(eventType, message, result);
}
