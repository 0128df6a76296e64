// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "cli_runner.h"

namespace {

struct CommandCase {
    std::vector<std::string> args;
    int exitStatus;
    const char* out;
    const char* err;
};

class CalculusCommands : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CalculusCommands, PrintResultsAndMessagesLikeThePages) {
    const CommandCase& c = GetParam();
    const CliRun run = runCli(c.args);
    EXPECT_EQ(run.exitStatus, c.exitStatus);
    EXPECT_EQ(run.out, c.out);
    if (c.exitStatus != 2) {
        EXPECT_EQ(run.err, c.err);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalculusCommands,
    ::testing::Values(
        CommandCase{{"integral", "x^2", "0", "1"}, 0, "0.333333333333333\n", ""},
        CommandCase{{"integral", "x^2", "0", "1", "--depth", "1"},
                    1,
                    "",
                    "该积分在指定精度和深度下不存在\n"},
        CommandCase{{"integral", "x", "0", "1", "--precision", "0"}, 1, "", "精度应大于０\n"},
        CommandCase{{"derivative", "x^3", "1", "--step", "0.5"}, 0, "3.00000762939453\n", ""},
        CommandCase{
            {"derivative", "x", "1", "--step", "0"}, 1, "", "该微分在指定精度和深度下不存在\n"},
        CommandCase{{"sum", "x", "0", "1", "--step", "0.1"}, 0, "5.50000002235174\n", ""},
        CommandCase{{"sum", "-x", "-3", "-1"}, 0, "6\n", ""},
        CommandCase{{"product", "x", "1", "10"}, 0, "3628800\n", ""},
        CommandCase{{"product", "x", "1", "3", "--step", "-1"}, 1, "", "步长应大于０\n"},
        CommandCase{{"sum", "1/x", "-1", "1"}, 1, "", "所求的和不存在或结果过大\n"},
        CommandCase{{"solve", "x*x-2", "0", "2"}, 0, "1.41416307860829\n", ""},
        CommandCase{{"solve", "x*x-2", "0", "1"},
                    1,
                    "",
                    "该方程的解在指定精度下不存在或在指定区间中有多解。\n"},
        CommandCase{{"solve", "x*x-2", "0", "2", "--epsilon", "0"}, 1, "", "精度应大于０\n"},
        CommandCase{{"solve", "tgx", "1", "2"},  // a pole, not a root
                    1,
                    "",
                    "该方程的解在指定精度下不存在或在指定区间中有多解。\n"},
        // read otherwise than it looks: the result as read, and a warning
        CommandCase{{"integral", "x*1e-5", "0", "1"},
                    0,
                    "-4.5\n",
                    "第 3 个字符：“1e-5”中的“-”是运算符，不是指数的符号；请写成 0.00001。\n"},
        // a formula without a value: the page's message, then where and why
        CommandCase{
            {"integral", "x + 1", "0", "1"},
            1,
            "",
            "该积分在指定精度和深度下不存在\n第 2 个字符：公式中不能有空格，请删去这个空格。\n"},
        CommandCase{{"check", "2x"}, 1, "", "第 2 个字符：这里缺少运算符，例如 2x 应写成 2*x。\n"},
        CommandCase{{"check", "x+1"}, 0, "", ""},
        CommandCase{{"--double", "check", "e^x+pi"}, 0, "", ""},  // constants are no misread number
        // double precision: the larger language in formulas and number arguments,
        // a singular end, infinite bounds, and only the digits the error vouches for
        CommandCase{{"--double", "integral", "sin(x)", "0", "pi"}, 0, "2\n", ""},
        CommandCase{{"integral", "1/sqrt(x)", "0", "1", "--double"}, 0, "2\n", ""},
        CommandCase{
            {"--double", "integral", "exp(-x^2)", "-inf", "inf"}, 0, "1.7724538509055\n", ""},
        CommandCase{{"--double", "derivative", "x^3", "3"}, 0, "27\n", ""},
        CommandCase{{"--double", "solve", "x*x-2", "0", "2"}, 0, "1.41421356237309\n", ""},
        CommandCase{{"--double", "integral", "x*1e-5", "0", "1"}, 0, "5e-06\n", ""},
        CommandCase{
            {"--double", "integral", "1/x", "-1", "1"}, 1, "", "该积分在指定精度和深度下不存在\n"},
        // --error: the error of the text above it, in either precision
        CommandCase{{"solve", "x*x-2", "0", "2", "--error"}, 0, "1.41416307860829\n5.05e-05\n", ""},
        CommandCase{{"--double", "sum", "1/x", "1", "100", "--error"},
                    0,
                    "5.18737751763962\n3.77e-15\n",
                    ""},
        // usage errors
        CommandCase{{"integral", "x", "0"}, 2, "", ""},
        CommandCase{{"integral", "x", "0", "one"}, 2, "", ""},
        CommandCase{{"integral", "x", "0", "1", "--depth", "2.5"}, 2, "", ""},
        CommandCase{{"sum", "x", "0", "1", "--step"}, 2, "", ""},
        CommandCase{{"solve", "x", "0", "1", "--precision", "1"}, 2, "", ""}));

TEST(CalculusCommands, InterruptCancelsALongRequestWithoutOutput) {
    const CliRun run =
        runCli({"sum", "x", "0", "1e15", "--threads", "4"}, {.interruptAfterMs = 300});
    EXPECT_EQ(run.exitStatus, 130);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");  // not a terminal: no progress either
}

}  // namespace
