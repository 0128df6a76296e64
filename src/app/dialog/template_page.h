// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

#include "app/dialog/dialog_widget.h"

class QPushButton;

// A page of the main window: a child dialog made from its template, shown and
// hidden by the main window. Every calculation page has a hidden default
// button (kDefaultButtonId): Enter that no control takes goes to the default button if it
// is visible, so on a page it does nothing. Escape never acts on a page. A
// hidden page keeps its fields, its controls' contents and its focus.
class TemplatePage : public DialogWidget {
    Q_OBJECT
  public:
    explicit TemplatePage(int templateId);

    // The push button with this id, or nullptr: handlers attach to its clicked().
    QPushButton* button(int id) const;

    // Puts the focus on the control that had it last, else on the first
    // visible tab-stop control in template order. false: the page has no
    // control that can take it (the cover).
    bool takeFocus();

    // Puts the focus on the first visible tab-stop control in template order.
    bool focusFirstControl();

    static constexpr int kDefaultButton = kDefaultButtonId;

  signals:
    // A request has shown its result: the one of the button requestId. Only
    // success says so; refusals, failures and cancelled work stay silent.
    void calculated(int requestId);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPointer<QWidget> lastFocus_;
};
