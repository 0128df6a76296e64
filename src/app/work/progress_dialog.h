// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include "core/time_left.h"

class QLabel;
class QProgressBar;
class QPushButton;
class WorkControl;

// The dialog shown while long work runs: a bar (the fraction done where the
// work reports one, a busy bar where it does not), the count of points done
// where the work counts them, the time left once the work moves at a steady
// rate, and one button "取消". The button, Escape and
// the dialog's close button all ask the work to stop; the dialog goes away
// when the work has ended, or at once when it is closed.
class ProgressDialog : public QDialog {
    Q_OBJECT
  public:
    ProgressDialog(WorkControl& control, QWidget* parent);

    // Reads the progress the work has reported.
    void refresh();

    // Asks the work to stop; the button then stays down.
    void cancel();

  protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    WorkControl& control_;
    QLabel* label_;
    QProgressBar* bar_;
    QLabel* timeLeft_;
    QElapsedTimer clock_;
    TimeLeftEstimator estimate_;
    QPushButton* cancelButton_;
};
