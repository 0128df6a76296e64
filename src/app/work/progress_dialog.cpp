// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/work/progress_dialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialog/dialog_scale.h"
#include "app/work/qt_message_service.h"
#include "core/work_control.h"

namespace {

constexpr int kBarSteps = 1000;

}  // namespace

ProgressDialog::ProgressDialog(WorkControl& control, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                          Qt::WindowCloseButtonHint),
      control_(control),
      label_(new QLabel(loadQString(kProgressWorking), this)),
      bar_(new QProgressBar(this)),
      timeLeft_(new QLabel(this)),
      cancelButton_(new QPushButton(loadQString(kProgressCancel), this)) {
    setObjectName(QStringLiteral("progressDialog"));
    setWindowTitle(QCoreApplication::applicationName());
    bar_->setTextVisible(false);
    bar_->setAccessibleName(loadQString(kNameProgress));
    bar_->setMinimumWidth(scaledPixels(260));
    timeLeft_->setObjectName(QStringLiteral("timeLeft"));
    // The line is there from the start, so the dialog keeps its size when it fills.
    timeLeft_->setMinimumHeight(timeLeft_->fontMetrics().height());
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addWidget(timeLeft_);
    layout->addWidget(cancelButton_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(cancelButton_, &QPushButton::clicked, this, &ProgressDialog::cancel);
    clock_.start();
    refresh();
}

void ProgressDialog::refresh() {
    const double fraction = control_.fraction();
    if (fraction > 0) {
        bar_->setRange(0, kBarSteps);
        bar_->setValue(static_cast<int>(fraction * kBarSteps));
        // Long work moves by less than a step of the bar for hours; the
        // number shows that it moves.
        const double percent = 100.0 * fraction;
        bar_->setFormat(QStringLiteral("%1%").arg(percent, 0, 'f', percent < 10 ? 2 : 1));
        bar_->setTextVisible(true);
    } else {
        bar_->setRange(0, 0);  // busy
        bar_->setTextVisible(false);
    }
    if (const unsigned long long points = control_.points(); points > 0) {
        label_->setText(loadQString(kProgressPoints).arg(points));
    }
    estimate_.add(static_cast<double>(clock_.elapsed()) / 1000.0, fraction);
    const std::optional<double> seconds = estimate_.secondsLeft();
    const std::optional<TimeLeftParts> left = seconds ? SplitTimeLeft(*seconds) : std::nullopt;
    timeLeft_->setText(left ? QString::fromStdString(TimeLeftText(*left)) : QString());
}

void ProgressDialog::cancel() {
    control_.requestCancel();
    cancelButton_->setEnabled(false);
}

void ProgressDialog::reject() { cancel(); }

// Closing is cancelling. The dialog goes at once, so that closing every
// window (the program quitting) is never refused here.
void ProgressDialog::closeEvent(QCloseEvent* event) {
    cancel();
    event->accept();
}
