// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string temporaryFile() {
    char name[] = "/tmp/mexora-cli-test-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    return name;
}

}  // namespace

CliRun runCli(const std::vector<std::string>& args, const CliRunOptions& options) {
    const std::string outPath = temporaryFile();
    const std::string errPath = temporaryFile();
    const std::string inPath = temporaryFile();
    std::ofstream(inPath, std::ios::binary) << options.input;
    std::vector<char*> argv;
    std::string program = MEXORA_CLI_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);

    CliRun run;
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_TRUNC);
        const int err = open(errPath.c_str(), O_WRONLY | O_TRUNC);
        const int in = open(inPath.c_str(), O_RDONLY);
        dup2(out, 1);
        dup2(err, 2);
        dup2(in, 0);
        if (options.addressSpaceLimitBytes > 0) {
            const rlimit limit{static_cast<rlim_t>(options.addressSpaceLimitBytes),
                               static_cast<rlim_t>(options.addressSpaceLimitBytes)};
            setrlimit(RLIMIT_AS, &limit);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (child > 0 && options.interruptAfterMs > 0) {
        usleep(static_cast<useconds_t>(options.interruptAfterMs) * 1000);
        kill(child, SIGINT);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.exitStatus = WEXITSTATUS(status);
    }
    run.out = readWhole(outPath);
    run.err = readWhole(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    std::remove(inPath.c_str());
    return run;
}
