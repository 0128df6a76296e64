// SPDX-License-Identifier: GPL-3.0-or-later
// mexora-cli: the calculations of the pages, for scripts and terminals.
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/help_text.h"

namespace {

const std::vector<CliCommand> kCommands = {
    {"eval", runEvalCommand},
    {"check", runCheckCommand},
    {"det", runDeterminantCommand},
    {"matrix", runMatrixCommand},
};

int unknownCommand(const std::string& name) {
    std::cerr << "mexora-cli: unknown command '" << name << "'\n";
    printOverview(std::cerr);
    return kExitUsage;
}

// mexora-cli help [COMMAND]
int runHelp(const std::vector<std::string>& args) {
    if (args.empty()) {
        printOverview(std::cout);
        return kExitResult;
    }
    if (args.size() > 1) return usageError("help takes one command", "help [COMMAND]");
    const CommandHelp* command = findCommandHelp(args[0]);
    if (!command) return unknownCommand(args[0]);
    printCommandHelp(std::cout, *command);
    return kExitResult;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> all(argv + 1, argv + argc);
    if (!takeThreadsOption(all)) return kExitUsage;
    const Precision precision = takePrecisionOption(all);
    if (all.empty()) {
        printOverview(std::cerr);
        return kExitUsage;
    }
    const std::string name = all.front();
    const std::vector<std::string> args(all.begin() + 1, all.end());
    if (name == "--help" || name == "-h" || name == "help") return runHelp(args);
    if (name == "--version") {
        printVersion(std::cout);
        return kExitResult;
    }
    // "mexora-cli COMMAND --help" is "mexora-cli help COMMAND".
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) return runHelp({name});
    for (const CliCommand& command : kCommands) {
        if (command.name == name) return command.run(args, precision);
    }
    if (const std::optional<int> status = runCalculusCommand(name, args, precision)) {
        return *status;
    }
    return unknownCommand(name);
}
