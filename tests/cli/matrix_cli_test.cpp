// SPDX-License-Identifier: GPL-3.0-or-later
// mexora-cli det and mexora-cli matrix, run as a program: output, messages and exit status.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

// Message 129 of the determinant, with the way out.
const std::string kNoRoomForTheMinors =
    "内存不足，无法完成计算。\n"
    "双精度能立即算出这个行列式（窗口中按 Ctrl+Shift+D，命令行加 --double）。";

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
    expectResult(runCli({"det", "2", "-nan 1 1 1"}), "nan\n");
}

TEST(DetCommand, ReportsThePageMessages) {
    expectMessage(runCli({"det", "51", ""}), "请输入行列式");
    expectMessage(runCli({"det", "1", "1"}), "行列式的阶数应该在２～５０之间");
    expectMessage(runCli({"det", "50", "1"}), kNoRoomForTheMinors);
}

// Double precision: exact integers, decimals and fractions, whatever the order.
TEST(DetCommand, DoublePrecisionIsExact) {
    expectResult(runCli({"--double", "det", "5",
                         "1 1/2 1/3 1/4 1/5 1/2 1/3 1/4 1/5 1/6 1/3 1/4 1/5 1/6 1/7 "
                         "1/4 1/5 1/6 1/7 1/8 1/5 1/6 1/7 1/8 1/9"}),
                 "1/266716800000\n");
    expectResult(runCli({"--double", "det", "2", "0.1 0 0 0.3"}), "0.03\n");
    expectResult(runCli({"--double", "det", "50", "1"}), "0\n");  // at once, not 129
    expectResult(runCli({"--double", "det", "2", "inf 0 0 1"}), "inf\n");
}

TEST(DetCommand, RefusesABadCommandLine) {
    expectUsageError(runCli({"det", "3.5", "1 2 3"}), "ORDER");
    expectUsageError(runCli({"det", "3"}), "det ORDER TEXT");
    expectUsageError(runCli({"det", "2", "1 2", "3 4"}), "det ORDER TEXT");
}

TEST(DetCommand, InterruptCancelsALongDeterminantWithoutOutput) {
    // Order 27 on one thread takes seconds; the missing elements are 0.
    const CliRun run = runCli({"det", "27", "1", "--threads", "1"}, {.interruptAfterMs = 300});
    EXPECT_EQ(run.exitStatus, 130);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST(MatrixCommand, DoublePrecisionWritesExactResults) {
    expectResult(
        runCli({"--double", "matrix", "mul", "2", "2", "5678 0 0 1", "2", "2", "1234 1 0 1"}),
        "7006652,5678,\r\n0,1,\r\n");
    expectResult(runCli({"--double", "matrix", "add", "1", "2", "1/3 0.1", "1", "2", "1/3 0.2"}),
                 "2/3,0.3,\r\n");
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
    // A result's own spellings read back as what they show; NaN has one form.
    expectResult(runCli({"matrix", "add", "1", "2", "inf, 6.8e+38", "1", "2", "0 0"}),
                 "inf,inf,\r\n");
    expectResult(runCli({"matrix", "add", "1", "2", "-nan NAN", "1", "2", "nan -inf"}),
                 "nan,nan,\r\n");
}

TEST(MatrixCommand, ReportsThePageMessages) {
    expectMessage(runCli({"matrix", "add", "1", "2", "1 2", "2", "1", "1 2"}),
                  "只有长宽相同的矩阵才能相加。");
    expectMessage(runCli({"matrix", "mul", "2", "3", "1", "2", "3", "1"}),
                  "两矩阵相乘，必须第一个矩阵的列数等于第二个矩阵的行数。\n"
                  "矩阵１是 2×3，矩阵２是 2×3。");
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

// Under a 1 GB address space every request either fits or ends in kMsgNoMemory
// before it starts; none is killed on the way.
TEST(LargeRequests, EndInAResultOrTheNoMemoryMessage) {
#ifdef MEXORA_SANITIZED
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    const CliRunOptions limited{.addressSpaceLimitBytes = 1000000L * 1024};
    const std::vector<std::vector<std::string>> refused{
        {"matrix", "add", "40000", "40000", "1", "40000", "40000", "1"},  // 12.8 GB of operands
        {"matrix", "add", "65536", "65536", "1", "65536", "65536", "1"},  // count out of range
        {"matrix", "sub", "1", "2147483647", "1", "1", "2147483647", "1"},
        // 0.5 GB of operands fit; with their text at its longest they do not.
        {"matrix", "add", "8000", "8000", "1", "8000", "8000", "1"},
        {"matrix", "mul", "100000", "1", "1", "1", "100000", "1"},
        {"det", "50", "1"},
        {"det", "30", "1"},  // 1.2 GB of minors
    };
    for (const std::vector<std::string>& args : refused) {
        SCOPED_TRACE(args[0] + " " + args[1] + " " + args[2]);
        expectMessage(runCli(args, limited),
                      args[0] == "det" ? kNoRoomForTheMinors : "内存不足，无法完成计算。");
    }
    // What fits is computed: 10^6 elements "2,", each row ending in CR LF.
    const CliRun fits =
        runCli({"matrix", "add", "1000", "1000", "1", "1000", "1000", "1"}, limited);
    EXPECT_EQ(fits.exitStatus, 0) << fits.err;
    EXPECT_EQ(fits.out.size(), 1000u * (1000 * 2 + 2));
    EXPECT_TRUE(fits.out.starts_with("2,0,")) << fits.out.substr(0, 10);
}

}  // namespace
