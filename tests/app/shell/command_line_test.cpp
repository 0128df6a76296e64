// SPDX-License-Identifier: GPL-3.0-or-later
// The mexora program's own options: --help and --version need no display, and
// an argument that neither it nor Qt takes is a usage error.
#include <gtest/gtest.h>

#include <sys/file.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "core/version.h"

namespace {

struct OptionCase {
    const char* name;
    QStringList args;
    bool display;  // false: no display and no platform plugin chosen
    int exitStatus;
    QString outHas;  // empty: nothing on stdout
};

class CommandLine : public ::testing::TestWithParam<OptionCase> {};

TEST_P(CommandLine, AnswersWithTheRightStatus) {
    const OptionCase& c = GetParam();
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (c.display) environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", runtime.path());  // never meets the user's Mexora
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MEXORA_PROGRAM), c.args);
    ASSERT_TRUE(process.waitForFinished(10000)) << "still running";
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), c.exitStatus);
    if (c.outHas.isEmpty())
        EXPECT_EQ(out, "");
    else
        EXPECT_TRUE(out.contains(c.outHas)) << out.toStdString();
}

const QString kVersionLine = QStringLiteral("mexora %1\n").arg(QLatin1StringView(kMexoraVersion));

INSTANTIATE_TEST_SUITE_P(
    Options, CommandLine,
    ::testing::Values(
        OptionCase{"VersionWithoutDisplay", {"--version"}, false, 0, kVersionLine},
        OptionCase{"HelpWithoutDisplay", {"--help"}, false, 0, "--version"},
        OptionCase{"HelpAfterAQtOption", {"-platform", "offscreen", "-h"}, false, 0, "--version"},
        OptionCase{"UnknownOption", {"--bogus"}, true, 2, ""},
        OptionCase{"StrayArgument", {"formula"}, true, 2, ""},
        OptionCase{"UnknownOptionWithoutDisplay", {"--bogus"}, false, 2, ""},
        OptionCase{"NoDisplay", {}, false, 1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct PlotCase {
    const char* name;
    QStringList args;  // OUT stands for the output file
    const char* output;
    int exitStatus;
    QByteArray fileBegins;  // empty: no file may be written
};

class PlotOption : public ::testing::TestWithParam<PlotCase> {};

// With no display, and beside a running Mexora (whose marker the test holds).
TEST_P(PlotOption, DrawsIntoTheFileOrSaysWhyNot) {
    const PlotCase& c = GetParam();
    QTemporaryDir runtime;
    QFile marker(runtime.filePath("Mexora 1.0.lock"));
    ASSERT_TRUE(marker.open(QIODevice::ReadWrite));
    ASSERT_EQ(::flock(marker.handle(), LOCK_EX | LOCK_NB), 0);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    const QString output = runtime.filePath(c.output);
    QStringList args = c.args;
    args.replaceInStrings(QStringLiteral("OUT"), output);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MEXORA_PROGRAM), args);
    ASSERT_TRUE(process.waitForFinished(10000)) << "still running";
    EXPECT_EQ(process.exitCode(), c.exitStatus);
    QFile written(output);
    if (c.fileBegins.isEmpty()) {
        EXPECT_FALSE(written.exists());
        EXPECT_FALSE(process.readAllStandardError().isEmpty());
    } else {
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll().startsWith(c.fileBegins));
    }
}

const QStringList kSine = {"--plot",           "sinx",     "--from", "0", "--to",
                           "3.14159265358979", "--output", "OUT"};

INSTANTIATE_TEST_SUITE_P(Plot, PlotOption,
                         ::testing::Values(PlotCase{"Svg", kSine, "sine.svg", 0, "<?xml"},
                                           PlotCase{"Png", kSine + QStringList{"--size", "320x200"},
                                                    "sine.png", 0, "\x89PNG"},
                                           PlotCase{"UnreadableFormula",
                                                    {"--plot", "x + 1", "--from", "0", "--to", "1",
                                                     "--output", "OUT"},
                                                    "bad.png",
                                                    1,
                                                    ""},
                                           PlotCase{"BadSize", kSine + QStringList{"--size", "9x9"},
                                                    "small.png", 2, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
