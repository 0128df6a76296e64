// SPDX-License-Identifier: GPL-3.0-or-later
// mexora-cli --help, --version and help COMMAND, run as a program.
#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"
#include "core/version.h"

namespace {

struct HelpCase {
    const char* name;
    std::vector<std::string> args;
    int exitStatus;
    std::string outHas;  // empty: nothing on stdout
};

class HelpCommand : public ::testing::TestWithParam<HelpCase> {};

TEST_P(HelpCommand, AnswersOnStdoutOrRefuses) {
    const HelpCase& c = GetParam();
    const CliRun run = runCli(c.args);
    EXPECT_EQ(run.exitStatus, c.exitStatus) << run.err;
    if (c.outHas.empty())
        EXPECT_EQ(run.out, "");
    else
        EXPECT_NE(run.out.find(c.outHas), std::string::npos) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpCommand,
    ::testing::Values(
        HelpCase{"Version", {"--version"}, 0, "mexora-cli " + std::string(kMexoraVersion) + "\n"},
        HelpCase{"Help", {"--help"}, 0, "  solve       one real root"},
        HelpCase{"HelpOfACommand", {"help", "integral"}, 0, "--depth N      the most levels"},
        HelpCase{"DefaultsInTheHelp", {"derivative", "--help"}, 0, "; default 0.01\n"},
        HelpCase{"HelpOfNoCommand", {"help", "nosuch"}, 2, ""},
        HelpCase{"UnknownOption", {"--bogus"}, 2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
