// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <array>
#include <memory>

#include "app/dialog/dialog_widget.h"
#include "app/shell/main_window_controls.h"

class CHyperLink;
class History;
class HistoryWindow;
class QListWidget;
class QMenu;
class QModelIndex;
class TemplatePage;

// The main window: the navigation list on the right, the page
// area on the left holding the cover and the five calculation pages, and along
// the bottom the always-on-top check box, the author label and two links.
class CMexoraDlg : public DialogWidget {
    Q_OBJECT
  public:
    // messages, when given, replaces the message boxes of every page, and
    // files the file dialogs.
    explicit CMexoraDlg(MessageService* messages = nullptr, FileChooser* files = nullptr);
    ~CMexoraDlg() override;

    static constexpr int kPageCount = 6;
    static constexpr int kMatrixPage = 1;

    // Shows page index in place of the current one; an index below 0 or the
    // current one changes nothing. A calculation page takes the focus.
    void SelectPage(int index);

    // The keys beyond the dialog's own: F6 moves the focus between the page
    // and the list, Ctrl+PgDn and Ctrl+PgUp show the next and the previous
    // page (round from the last to the cover and back), Ctrl+= (Ctrl++),
    // Ctrl+- and Ctrl+0 make everything larger, smaller and of its design size.
    // Ctrl+Shift+D, also in the context menu, switches the whole window
    // between single and double precision and keeps the choice for the next
    // start; the title says when it is double.
    void moveFocusBetweenPageAndList();
    void showNeighbourPage(int step);
    void changeScale(int steps);
    void togglePrecision();

    // The About command, from the context menu or the window's system menu.
    void OnSysCommand(int id);
    static constexpr int kAboutCommand = 16;

    // The entries that the window adds to its system menu: a separator and
    // "关于mexora". Offered as the context menu of the window.
    void addSystemMenuEntries(QMenu& menu);

    // Ctrl+H and the context menu: the history window, the newest row
    // selected. A row asked back there puts its inputs into its page and
    // shows the page.
    void showHistory();
    void restoreHistoryRow(int row);
    const History& history() const { return *history_; }
    HistoryWindow* historyWindow() const { return historyWindow_; }

    TemplatePage* page(int index) const { return m_pPages.at(index); }
    CHyperLink* link(int index) const { return links_.at(index).get(); }

    int m_nCurrentPage = 0;
    std::array<TemplatePage*, kPageCount> m_pPages{};
    QListWidget* m_listNav = nullptr;
    int m_bTopMost = 0;
    QIcon m_hIcon;

  protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
    void scaleChanged() override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void OnClickNavList(const QModelIndex& index);
    void OnTopMost();
    bool switchPage(int index);
    void showPageOfKey(int row);
    void fillNavigationList();
    void sizeNavigationList();
    void addShortcuts();
    void showTitle();
    void bindLinks();
    void createPages();
    void appendToSystemMenu();
    bool matrixListUnsaved() const;
    bool matrixListSettled();

    MessageService* pageMessages_;
    FileChooser* pageFiles_;
    History* history_;
    HistoryWindow* historyWindow_ = nullptr;
    std::array<std::unique_ptr<CHyperLink>, 2> links_;
    bool systemMenuExtended_ = false;
    QString title_;  // the template's caption, in single precision the whole title
};
