// SPDX-License-Identifier: GPL-3.0-or-later
// The mexora program's own options: --help and --version need no display, and
// an argument that neither it nor Qt takes is a usage error.
#include <gtest/gtest.h>

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
        OptionCase{"StrayArgument", {"formula"}, true, 2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
