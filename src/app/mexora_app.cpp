#include "app/mexora_app.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QStyleFactory>
#include <QTranslator>

#include "app/dialog_look.h"
#include "app/long_work.h"
#include "app/mexora_dlg.h"
#include "app/qt_message_service.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"

namespace {

// Qt's own Chinese texts, so the platform's buttons read 确定, 是, 否, 取消.
void loadQtTranslation(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(translator);
    } else {
        delete translator;
    }
}

void showAlreadyRunning() {
    if (messagesGoToStderr()) {
        printMessage(CMexoraApp::kAlreadyRunningMessage);
        return;
    }
    QMessageBox::information(nullptr, QCoreApplication::applicationName(),
                             loadQString(CMexoraApp::kAlreadyRunningMessage));
}

}  // namespace

int CMexoraApp::InitInstance(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("mexora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.mexora"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    loadQtTranslation(app);
    applyDialogFont(app);

    if (takeSingleInstanceMarker(QString::fromLatin1(kMarkerName)) == MarkerState::AlreadyTaken) {
        // Shown before the dialog colours are set: in the desktop's own colours.
        showAlreadyRunning();
        return 0;
    }

    applyDialogColours(app);
    QuitOnTerminationSignals(app);
    // Quitting in any way stops running work first, so the program ends promptly.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &LongWork::cancelRunning);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &LongWork::cancelRunning);
    CMexoraDlg window;
    window.Create(nullptr);
    window.show();
    return app.exec();
}
