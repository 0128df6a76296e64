// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class DialogWidget;
class QWidget;

// Moves values between a dialog's fields and its controls, one control at a
// time in the order the dialog's DoDataExchange names them. Writing shows
// doubles with 15 significant digits and singles with 6. Reading refuses text
// that is not a number (or not an integer): it shows a message, puts the focus
// on that control with its text selected, and skips the rest of the exchange,
// so fields later in the order keep their values. A handler whose read is
// refused ends there: it computes and writes nothing, so every edit keeps
// what the user typed. A double reads as the window's precision reads a
// number field (ReadNumberField); in double precision writing leaves a text
// that already reads as the value alone.
class DataExchange {
  public:
    DataExchange(DialogWidget& dialog, bool saveAndValidate)
        : dialog_(dialog), saveAndValidate_(saveAndValidate) {}

    bool saveAndValidate() const { return saveAndValidate_; }
    bool failed() const { return failed_; }

    // Binds a member to the control with this id.
    template <class Widget>
    void control(int id, Widget*& member);

    void text(int id, std::string& field);
    void text(int id, double& field);
    void text(int id, float& field);
    void text(int id, int& field);
    void check(int id, int& field);

  private:
    // The control to exchange with next, or nullptr when there is none or
    // the exchange has stopped.
    QWidget* next(int id);
    void fail(QWidget* control, int messageId);

    DialogWidget& dialog_;
    bool saveAndValidate_;
    bool failed_ = false;
};

#include "app/dialog/dialog_widget.h"

template <class Widget>
void DataExchange::control(int id, Widget*& member) {
    if (!failed_) member = dialog_.template control<Widget>(id);
}
