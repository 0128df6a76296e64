// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/text_description.h"

#include <gtest/gtest.h>

namespace {

struct DescriptionCase {
    const char* text;
    std::optional<TextShape> shape;
    const char* said;
};

class MatrixTextDescription : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(MatrixTextDescription, SaysWhatWillBeRead) {
    EXPECT_EQ(DescribeMatrixText(GetParam().text, GetParam().shape), GetParam().said);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MatrixTextDescription,
    ::testing::Values(
        DescriptionCase{"1 2 3 4 5", TextShape{2, 2, true},
                        "读到 5 个数，2×2 的行列式只用前 4 个。"},
        DescriptionCase{"1，2\n3", TextShape{2, 2, false},
                        "读到 3 个数，2×2 的矩阵要 4 个，缺少的按 0 计。"},
        DescriptionCase{
            "abc [1 inf 3;4", TextShape{2, 2, false},
            "读到 4 个数，正好是 2×2 的矩阵。“abc”、“[1”不是数，按 0 计。“3;4”只读出 3。"},
        DescriptionCase{"1\t2", std::nullopt,
                        "读到 1 个数。“1\t2”只读出 1。文本中有 1 "
                        "个制表符，制表符不分隔数，请改用空格、逗号或回车。"},
        DescriptionCase{"", TextShape{2, 2, true}, ""}));

TEST(DeterminantOrderDescription, SaysTheMemoryAndTheTime) {
    EXPECT_EQ(DescribeDeterminantOrder(1, std::nullopt, 1u << 30), "");
    // Order 20 keeps two layers of minors, C(20, 10) + C(20, 9) singles, in MiB.
    EXPECT_EQ(DescribeDeterminantOrder(20, DeterminantRun{20, 0.25}, 1ull << 40),
              "阶数 20：计算要 1.3 MB 内存。上次计算用了 0.25 秒。");
    // Order 21 does 2 x 21/20 the work of order 20.
    EXPECT_TRUE(DescribeDeterminantOrder(21, DeterminantRun{20, 10}, 1ull << 40)
                    .ends_with("内存。约需 21 秒。"));
    EXPECT_TRUE(DescribeDeterminantOrder(40, std::nullopt, 1u << 30)
                    .ends_with("无法计算。双精度能立即算出这个行列式（窗口中按 Ctrl+Shift+D，"
                               "命令行加 --double）。"));
}

}  // namespace
