// SPDX-License-Identifier: GPL-3.0-or-later
// Where mexora-cli reads a formula or a matrix text from, and --threads.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "cli_runner.h"

namespace {

class TextSources : public testing::Test {
  protected:
    // A file holding text; "@" and its path name it on the command line.
    std::string file(const std::string& text) {
        const std::string path = "/tmp/mexora-text-" + std::to_string(files_.size()) + "-" +
                                 testing::UnitTest::GetInstance()->current_test_info()->name();
        std::ofstream(path, std::ios::binary) << text;
        files_.push_back(path);
        return "@" + path;
    }
    void TearDown() override {
        for (const std::string& path : files_) std::remove(path.c_str());
    }

  private:
    std::vector<std::string> files_;
};

TEST_F(TextSources, FormulaFromAFileLessItsLineEnd) {
    const CliRun run = runCli({"sum", file("x\r\n"), "1", "100"});
    EXPECT_EQ(run.out, "5050\n") << run.err;
    EXPECT_EQ(runCli({"eval", file("2*x\n"), "4"}).out, "8\n");
}

TEST_F(TextSources, MatrixTextsFromAFileAndStandardInput) {
    EXPECT_EQ(
        runCli({"matrix", "mul", "1", "3", file("1 2 3"), "3", "1", "-"}, {.input = "4 5 6\n"}).out,
        "32,\r\n");
    EXPECT_EQ(runCli({"det", "2", "-"}, {.input = "1 2\n3 4\n"}).out, "-2\n");
}

TEST_F(TextSources, UnreadableSourcesAreUsageErrors) {
    const CliRun missing = runCli({"det", "2", "@/nonexistent/elements"});
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_NE(missing.err.find("/nonexistent/elements"), std::string::npos) << missing.err;
    const CliRun twice = runCli({"matrix", "add", "1", "1", "-", "1", "1", "-"}, {.input = "1"});
    EXPECT_EQ(twice.exitStatus, 2);
    EXPECT_NE(twice.err.find("standard input"), std::string::npos) << twice.err;
}

TEST(ThreadsOption, SetsTheThreadsAnywhereAndRefusesNonsense) {
    EXPECT_EQ(runCli({"--threads", "3", "sum", "x", "1", "100"}).out, "5050\n");
    EXPECT_EQ(runCli({"product", "x", "1", "10", "--threads", "1"}).out, "3628800\n");
    for (const char* bad : {"0", "-2", "two", "100000"}) {
        const CliRun run = runCli({"--threads", bad, "sum", "x", "1", "100"});
        EXPECT_EQ(run.exitStatus, 2) << bad;
        EXPECT_NE(run.err.find("--threads"), std::string::npos) << run.err;
    }
}

}  // namespace
