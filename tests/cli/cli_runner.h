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

// With interruptAfterMs > 0, the program gets SIGINT after that many milliseconds.
CliRun runCli(const std::vector<std::string>& args, int interruptAfterMs = 0);
