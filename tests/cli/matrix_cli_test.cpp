// SPDX-License-Identifier: GPL-3.0-or-later
// mexora-cli det and mexora-cli matrix, run as a program: output, messages and exit status.
#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"

namespace {

void expectResult(const CliRun& run, const std::string& out) {
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, out);
    EXPECT_EQ(run.err, "");
}

void expectMessage(const CliRun& run, const std::string& message) {
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, message + "\n");
}

void expectUsageError(const CliRun& run, const std::string& mentioned) {
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(mentioned), std::string::npos) << run.err;
}

TEST(DetCommand, PrintsTheSingleResultWithSixDigits) {
    expectResult(runCli({"det", "3", "1 2 3 4 5 6 7 8 10"}), "-3\n");
    expectResult(runCli({"det", "2", "4097 0 0 4097"}), "1.67854e+07\n");
    expectResult(runCli({"det", "2", "1e30 1e30 -1e30 1e30"}), "inf\n");
}

TEST(DetCommand, ReportsThePageMessages) {
    expectMessage(runCli({"det", "51", ""}), "请输入行列式");
    expectMessage(runCli({"det", "1", "1"}), "行列式的阶数应该在２～５０之间");
    expectMessage(runCli({"det", "50", "1"}), "内存不足，无法完成计算。");
}

TEST(DetCommand, RefusesABadCommandLine) {
    expectUsageError(runCli({"det", "3.5", "1 2 3"}), "ORDER");
    expectUsageError(runCli({"det", "3"}), "det ORDER TEXT");
    expectUsageError(runCli({"det", "2", "1 2", "3 4"}), "det ORDER TEXT");
}

TEST(MatrixCommand, WritesExactlyTheResultText) {
    expectResult(runCli({"matrix", "mul", "1", "3", "1 2 3", "3", "1", "4 5 6"}), "32,\r\n");
    expectResult(runCli({"matrix", "add", "1", "2",
                         "0.1\xEF\xBC\x8C"
                         "2",
                         "1", "2", "0.2 -5"}),
                 "0.3,-3,\r\n");
    expectResult(runCli({"matrix", "sub", "2", "2", "-1", "2", "2", "-1 -1 -1 -1"}),
                 "0,1,\r\n1,1,\r\n");
}

TEST(MatrixCommand, ReportsThePageMessages) {
    expectMessage(runCli({"matrix", "add", "1", "2", "1 2", "2", "1", "1 2"}),
                  "只有长宽相同的矩阵才能相加。");
    expectMessage(runCli({"matrix", "mul", "2", "3", "1", "2", "3", "1"}),
                  "两矩阵相乘，必须第一个矩阵的行数等于第二个矩阵的列数。");
    expectMessage(runCli({"matrix", "add", "1", "1", "1", "1", "1", ""}), "请输入矩阵。");
    expectMessage(runCli({"matrix", "add", "1", "0", "1", "1", "1", "1"}),
                  "矩阵的长与宽均应大于零。");
    expectMessage(runCli({"matrix", "mul", "100000", "1", "1", "1", "100000", "1"}),
                  "内存不足，无法完成计算。");
}

TEST(MatrixCommand, RefusesABadCommandLine) {
    expectUsageError(runCli({"matrix", "div", "1", "1", "1", "1", "1", "1"}), "div");
    expectUsageError(runCli({"matrix", "add", "1", "1", "1"}), "ROWS1 COLS1 TEXT1");
    expectUsageError(runCli({"matrix", "add", "1", "x", "1", "1", "1", "1"}), "COLS1");
}

TEST(MatrixCommand, ElementsThatCannotBeAllocatedGiveAMessage) {
#ifdef MEXORA_SANITIZED
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    // 1.6e9 singles each: within the count range, beyond a 1 GB address space.
    expectMessage(runCli({"matrix", "add", "40000", "40000", "1", "40000", "40000", "1"},
                         {.addressSpaceLimitBytes = 1000000L * 1024}),
                  "内存不足，无法完成计算。");
}

}  // namespace
