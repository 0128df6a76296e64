// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "cli_runner.h"

TEST(EvalCommand, WritesOneLinePerPointWithFifteenDigits) {
    const CliRun run = runCli({"eval", "sin(2*(x+1))*cos(x)", "2", "-1"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "0.116277873516083\n0\n");
    EXPECT_EQ(run.err, "");
}

TEST(EvalCommand, TakesNegativeNumbersAndLeadingMinusFormulasAsArguments) {
    EXPECT_EQ(runCli({"eval", "-x^2", "-2"}).out, "-4\n");
    EXPECT_EQ(runCli({"eval", "-x", "--", "-1.5"}).out, "1.5\n");
}

TEST(EvalCommand, AFormulaWithoutValueGivesNan) {
    const CliRun run = runCli({"eval", "2*-3", "0"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "nan\n");
}

TEST(EvalCommand, RefusesAPointThatIsNotANumber) {
    for (const char* bad : {"abc", "1,5", "", "1e999"}) {
        const CliRun run = runCli({"eval", "x", "1", bad});
        EXPECT_EQ(run.exitStatus, 2) << bad;
        EXPECT_EQ(run.out, "") << "no partial output for " << bad;
        EXPECT_NE(run.err.find("not a number"), std::string::npos) << bad;
    }
}

TEST(EvalCommand, UsageErrors) {
    EXPECT_EQ(runCli({"eval", "x"}).exitStatus, 2);
    EXPECT_EQ(runCli({"eval", "x", "--bogus", "1"}).exitStatus, 2);
    EXPECT_EQ(runCli({"nosuchcommand"}).exitStatus, 2);
    EXPECT_EQ(runCli({}).exitStatus, 2);
}
