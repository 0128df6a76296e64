// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the program as it starts for a user, starts a sum of a trillion terms
// on its page, and after a moment ends the program the way the first argument
// says: "close" (the window's close button) or "sigterm". Prints how long the
// program took to end after that and exits with the program's own status.
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "app/dialog/template_page.h"
#include "app/shell/mexora_app.h"
#include "app/shell/mexora_dlg.h"
#include "ui_test_support.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool bySignal = argc > 1 && QByteArray(argv[1]) == "sigterm";
    QElapsedTimer sinceQuit;
    QTimer::singleShot(0, [&] {
        CMexoraDlg* window = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<CMexoraDlg*>(widget)) window = found;
        }
        if (!window) return;
        window->SelectPage(3);
        TemplatePage* page = window->page(3);
        retype(lineEdit(*page, kSumFormula), "sin(x)");
        retype(lineEdit(*page, kSumTo), "1e12");
        QTimer::singleShot(700, [&, window] {
            sinceQuit.start();
            if (bySignal) {
                ::kill(getpid(), SIGTERM);
            } else {
                window->close();
            }
        });
        page->button(kSumEquals)->click();
    });
    const int status = CMexoraApp().InitInstance(app);
    std::printf("ended %lld ms after quitting\n",
                sinceQuit.isValid() ? static_cast<long long>(sinceQuit.elapsed()) : -1LL);
    return status;
}
