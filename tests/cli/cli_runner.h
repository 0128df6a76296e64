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

CliRun runCli(const std::vector<std::string>& args);
