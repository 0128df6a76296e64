// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/work/long_work.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <atomic>
#include <memory>
#include <new>
#include <thread>
#include <utility>
#include <vector>

#include "app/work/progress_dialog.h"

namespace {

constexpr std::chrono::milliseconds kRefreshInterval{50};

// The control of the work that runs now; touched on the user-interface thread only.
WorkControl* runningControl = nullptr;

// What whenEnded holds back until the running work has ended.
struct AfterWork {
    QPointer<QObject> context;
    std::function<void()> action;
};
std::vector<AfterWork> afterWork;

// Posted, so that it runs once the handler that ran the work has returned.
void post(const AfterWork& after) {
    if (after.context) QTimer::singleShot(0, after.context, after.action);
}

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
    }
}

// Withholds user input from every window but the progress dialog while work
// runs. This, rather than a modal dialog, keeps the main window's close
// button working: the window system withholds even closing from a window
// that a modal dialog blocks.
class InputBlocker : public QObject {
  public:
    void setDialog(ProgressDialog* dialog) { dialog_ = dialog; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!isUserInput(event->type())) return false;
        if (dialog_ && isInDialog(watched)) return false;
        if (dialog_ && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            dialog_->cancel();
        }
        return true;
    }

  private:
    // Input reaches a window's QWindow before any of its widgets; both belong
    // to the dialog when their top-level window is the dialog's.
    bool isInDialog(QObject* watched) const {
        if (auto* widget = qobject_cast<QWidget*>(watched)) return widget->window() == dialog_;
        if (auto* window = qobject_cast<QWindow*>(watched)) {
            return window == dialog_->windowHandle();
        }
        return false;
    }

    QPointer<ProgressDialog> dialog_;
};

}  // namespace

WorkEnd LongWork::run(QWidget* owner, const std::function<void(WorkControl&)>& work) {
    if (runningControl) return WorkEnd::Cancelled;
    WorkControl control;
    runningControl = &control;
    const QPointer<QWidget> focus = QApplication::focusWidget();
    InputBlocker blocker;
    qApp->installEventFilter(&blocker);

    QEventLoop loop;
    std::atomic<bool> finished{false};
    std::atomic<bool> outOfMemory{false};
    std::thread worker([&] {
        try {
            work(control);
        } catch (const std::bad_alloc&) {
            outOfMemory.store(true);
        }
        finished.store(true);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    std::unique_ptr<ProgressDialog> dialog;
    QTimer refresh;
    refresh.setInterval(kRefreshInterval);
    QObject::connect(&refresh, &QTimer::timeout, [&] { dialog->refresh(); });
    QTimer delay;
    delay.setSingleShot(true);
    QObject::connect(&delay, &QTimer::timeout, [&] {
        dialog = std::make_unique<ProgressDialog>(control, owner ? owner->window() : nullptr);
        blocker.setDialog(dialog.get());
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
        refresh.start();
    });
    delay.start(kDialogDelay);

    // Ends when the work does, or early when the program quits.
    if (!finished.load()) loop.exec();
    if (!finished.load()) control.requestCancel();
    worker.join();

    refresh.stop();
    qApp->removeEventFilter(&blocker);
    runningControl = nullptr;
    if (dialog) {
        dialog.reset();
        if (focus) {
            focus->activateWindow();
            focus->setFocus(Qt::OtherFocusReason);
        }
    }
    for (const AfterWork& after : std::exchange(afterWork, {})) post(after);
    if (outOfMemory.load()) return WorkEnd::OutOfMemory;
    return control.cancelRequested() ? WorkEnd::Cancelled : WorkEnd::Done;
}

void LongWork::cancelRunning() {
    if (runningControl) runningControl->requestCancel();
}

bool LongWork::running() { return runningControl != nullptr; }

void LongWork::whenEnded(QObject* context, std::function<void()> action) {
    AfterWork after{context, std::move(action)};
    if (running()) {
        afterWork.push_back(std::move(after));
    } else {
        post(after);
    }
}
