// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "app/shell/mexora_app.h"

int main(int argc, char* argv[]) {
    // --help and --version are answered before QApplication, which needs a display.
    if (const std::optional<int> status = CMexoraApp::AnswerInformationOptions(argc, argv))
        return *status;
    if (const std::optional<int> status = CMexoraApp::RunPlotOption(argc, argv)) return *status;
    if (const std::optional<int> status = CMexoraApp::AnswerWithoutDisplay(argc, argv))
        return *status;
    QApplication app(argc, argv);
    if (!CMexoraApp::ArgumentsAccepted()) return CMexoraApp::kExitUsage;
    CMexoraApp theApp;
    return theApp.InitInstance(app);
}
