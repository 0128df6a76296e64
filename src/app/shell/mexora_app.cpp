// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/mexora_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTranslator>
#include <cmath>
#include <cstdio>

#include "app/look/dialog_look.h"
#include "app/plot/plot_command.h"
#include "app/shell/mexora_dlg.h"
#include "app/shell/show_request.h"
#include "app/shell/single_instance.h"
#include "app/shell/termination_signals.h"
#include "app/work/long_work.h"
#include "app/work/qt_message_service.h"
#include "core/number_text.h"
#include "core/string_table.h"
#include "core/version.h"
#include "expr/number_field.h"

namespace {

// The program's own options; Qt's (-platform, -style, ...) are QApplication's.
struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Displays this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Displays version information.")};
    // A picture of a formula, drawn with no window.
    QCommandLineOption plot{QStringLiteral("plot"), loadQString(kOptionPlotHelp),
                            QStringLiteral("FORMULA")};
    QCommandLineOption from{QStringLiteral("from"), loadQString(kOptionFromHelp),
                            QStringLiteral("A")};
    QCommandLineOption to{QStringLiteral("to"), loadQString(kOptionToHelp), QStringLiteral("B")};
    QCommandLineOption output{QStringLiteral("output"), loadQString(kOptionOutputHelp),
                              QStringLiteral("FILE")};
    QCommandLineOption size{QStringLiteral("size"), loadQString(kOptionSizeHelp),
                            QStringLiteral("WxH")};

    CommandLine() {
        parser.setApplicationDescription(
            QStringLiteral("Desktop calculator for higher mathematics. Also takes Qt's options,\n"
                           "such as -platform NAME; see mexora(1)."));
        parser.addOption(help);
        parser.addOption(version);
        for (const QCommandLineOption* option : {&plot, &from, &to, &output, &size})
            parser.addOption(*option);
    }

    const QCommandLineOption* plotOptionSet() const {
        for (const QCommandLineOption* option : {&from, &to, &output, &size}) {
            if (parser.isSet(*option)) return option;
        }
        return nullptr;
    }
};

QStringList argumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

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
        printMessage(kMsgAlreadyRunning);
        return;
    }
    QMessageBox::information(nullptr, QCoreApplication::applicationName(),
                             loadQString(kMsgAlreadyRunning));
}

}  // namespace

std::optional<int> CMexoraApp::AnswerInformationOptions(int argc, char* argv[]) {
    const QStringList arguments = argumentList(argc, argv);
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

namespace {

// The error of a command line that QCommandLineParser took, or an empty text.
QString argumentError(const CommandLine& line, bool parsed) {
    if (!parsed) return line.parser.errorText();
    if (!line.parser.positionalArguments().isEmpty())
        return QStringLiteral("Unexpected argument '%1'.")
            .arg(line.parser.positionalArguments()[0]);
    return {};
}

bool refuse(const QString& error) {
    print(stderr, QStringLiteral("mexora: %1\nTry 'mexora --help'.\n").arg(error));
    return false;
}

QString usageText(int id, const QString& first, const QString& second = {}) {
    return QString::fromStdString(FormatString(id, {first.toStdString(), second.toStdString()}));
}

// Reads the picture's options; false after a usage error on stderr.
bool readPlotOptions(const CommandLine& line, HeadlessPlot& plot) {
    const QCommandLineParser& parser = line.parser;
    if (!parser.isSet(line.from) || !parser.isSet(line.to) || !parser.isSet(line.output))
        return refuse(loadQString(kOptionPlotNeedsMore));
    plot.formula = parser.value(line.plot).toStdString();
    // As mexora-cli, the picture follows MEXORA_PRECISION, not the window's setting.
    plot.precision = PrecisionFromEnvironment();
    for (const auto& [option, value] : {std::pair{&line.from, &plot.from}, {&line.to, &plot.to}}) {
        const QString text = parser.value(*option);
        const std::optional<double> number = ReadNumberField(text.toStdString(), plot.precision);
        if (!number || !std::isfinite(*number))
            return refuse(
                usageText(kOptionNotANumber, QStringLiteral("--") + option->names()[0], text));
        *value = *number;
    }
    plot.output = parser.value(line.output);
    const QString suffix = QFileInfo(plot.output).suffix().toLower();
    if (suffix != QLatin1String("svg") && suffix != QLatin1String("png"))
        return refuse(usageText(kOptionBadOutput, plot.output));
    if (parser.isSet(line.size)) {
        const QString text = parser.value(line.size);
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("^([0-9]{2,5})x([0-9]{2,5})$")).match(text);
        const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
        const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
        if (width < 16 || width > 10000 || height < 16 || height > 10000)
            return refuse(usageText(kOptionBadSize, text));
        plot.size = QSize(width, height);
    }
    return true;
}

}  // namespace

bool CMexoraApp::ArgumentsAccepted() { return argumentsAccepted(QApplication::arguments()); }

std::optional<int> CMexoraApp::AnswerWithoutDisplay(int argc, char* argv[]) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(name)) return std::nullopt;
    }
    const QStringList arguments = argumentList(argc, argv);
    // Qt's own option chooses a platform, perhaps one without a display.
    if (arguments.contains(QStringLiteral("-platform"))) return std::nullopt;
    if (!argumentsAccepted(arguments)) return kExitUsage;
    print(stderr, QStringLiteral("mexora: %1\n").arg(loadQString(kOptionNoDisplay)));
    return 1;
}

bool CMexoraApp::argumentsAccepted(const QStringList& arguments) {
    CommandLine line;
    const bool parsed = line.parser.parse(arguments);
    if (const QString error = argumentError(line, parsed); !error.isEmpty()) return refuse(error);
    if (const QCommandLineOption* alone = line.plotOptionSet())
        return refuse(usageText(kOptionOfPlot, QStringLiteral("--") + alone->names()[0]));
    return true;
}

std::optional<int> CMexoraApp::RunPlotOption(int& argc, char* argv[]) {
    const QStringList arguments = argumentList(argc, argv);
    {
        CommandLine line;
        line.parser.parse(arguments);  // Qt's own options are unknown here
        if (!line.parser.isSet(line.plot)) return std::nullopt;
    }
    // No display is needed, and none is looked for: a picture is drawn offscreen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyDialogFont(app);
    CommandLine line;
    const bool parsed = line.parser.parse(QApplication::arguments());
    if (const QString error = argumentError(line, parsed); !error.isEmpty()) {
        refuse(error);
        return kExitUsage;
    }
    HeadlessPlot plot;
    if (!readPlotOptions(line, plot)) return kExitUsage;
    return RunHeadlessPlot(plot);
}

int CMexoraApp::InitInstance(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("mexora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.mexora"));
    applyDialogStyle(app);
    loadQtTranslation(app);
    applyDialogFont(app);

    const QString marker = QString::fromLatin1(kMarkerName);
    const MarkerState state = takeSingleInstanceMarker(marker);
    if (state == MarkerState::AlreadyTaken) {
        // Shown before the dialog colours are set: in the desktop's own colours.
        showAlreadyRunning();
        // Once the user has read it, the window already open comes forward.
        requestShow(singleInstanceSocket(marker));
        return 0;
    }
    ShowRequestServer showRequests;
    if (state == MarkerState::Taken) showRequests.listen(singleInstanceSocket(marker));

    applyDialogColours(app);
    QuitOnTerminationSignals(app);
    // Quitting in any way stops running work first, so the program ends promptly.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &LongWork::cancelRunning);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &LongWork::cancelRunning);
    CMexoraDlg window;
    window.Create(nullptr);
    window.show();
    QObject::connect(&showRequests, &ShowRequestServer::showRequested, &window,
                     [&window] { bringForward(window); });
    return app.exec();
}
