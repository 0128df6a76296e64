// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mexora_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>

#include "app/dialog_look.h"
#include "app/long_work.h"
#include "app/mexora_dlg.h"
#include "app/qt_message_service.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"
#include "core/version.h"

namespace {

// The program's own options; Qt's (-platform, -style, ...) are QApplication's.
struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Displays this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Displays version information.")};

    CommandLine() {
        parser.setApplicationDescription(
            QStringLiteral("Desktop calculator for higher mathematics. Also takes Qt's options,\n"
                           "such as -platform NAME; see mexora(1)."));
        parser.addOption(help);
        parser.addOption(version);
    }
};

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

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

std::optional<int> CMexoraApp::AnswerInformationOptions(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    CommandLine line;
    // Qt's own options are unknown here; InitInstance reports what is left.
    line.parser.parse(arguments);
    if (line.parser.isSet(line.help)) {
        const QCoreApplication core(argc, argv);  // names the program in the usage line
        print(stdout, line.parser.helpText());
        return 0;
    }
    if (line.parser.isSet(line.version)) {
        print(stdout, QStringLiteral("mexora %1\n").arg(QLatin1StringView(kMexoraVersion)));
        return 0;
    }
    return std::nullopt;
}

bool CMexoraApp::ArgumentsAccepted() {
    CommandLine line;
    QString error;
    if (!line.parser.parse(QApplication::arguments())) {
        error = line.parser.errorText();
    } else if (!line.parser.positionalArguments().isEmpty()) {
        error =
            QStringLiteral("Unexpected argument '%1'.").arg(line.parser.positionalArguments()[0]);
    } else {
        return true;
    }
    print(stderr, QStringLiteral("mexora: %1\nTry 'mexora --help'.\n").arg(error));
    return false;
}

int CMexoraApp::InitInstance(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("mexora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.mexora"));
    applyDialogStyle(app);
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
