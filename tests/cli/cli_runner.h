// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Runs mexora-cli with the given arguments (no shell in between) and collects
// what it wrote and how it ended.
struct CliRun {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

struct CliRunOptions {
    int interruptAfterMs = 0;         // > 0: send SIGINT after that many milliseconds
    long addressSpaceLimitBytes = 0;  // > 0: run under that address-space limit
    std::string input{};              // standard input (else /dev/null)
};

CliRun runCli(const std::vector<std::string>& args, const CliRunOptions& options = {});
