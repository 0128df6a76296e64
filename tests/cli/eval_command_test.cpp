// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>

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

TEST(EvalCommand, DoubleComputesAndReadsPointsInDoublePrecision) {
    EXPECT_EQ(runCli({"--double", "eval", "sqrt(x)", "2"}).out, "1.4142135623731\n");
    EXPECT_EQ(runCli({"eval", "x", "0.1", "--double", "pi/2"}).out, "0.1\n1.5707963267949\n");
    EXPECT_EQ(runCli({"eval", "x", "pi/2"}).exitStatus, 2);  // single: no formula as X
    setenv("MEXORA_PRECISION", "double", 1);
    const CliRun fromEnvironment = runCli({"eval", "1e-5", "0"});
    unsetenv("MEXORA_PRECISION");
    EXPECT_EQ(fromEnvironment.out, "1e-05\n");
    EXPECT_EQ(fromEnvironment.err, "");
}

TEST(EvalCommand, CheckReadsTheLanguageOfThePrecision) {
    const CliRun single = runCli({"check", "sqrt(x)"});
    EXPECT_EQ(single.exitStatus, 1);
    EXPECT_NE(single.err.find("Ctrl+Shift+D"), std::string::npos);
    EXPECT_EQ(runCli({"check", "--double", "sqrt(x)"}).exitStatus, 0);
}
