// mexora-cli: the calculations of the pages, for scripts and terminals.
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"

namespace {

const std::vector<CliCommand> kCommands = {
    {"det", "det ORDER TEXT", runDeterminantCommand},
    {"matrix", "matrix add|sub|mul ROWS1 COLS1 TEXT1 ROWS2 COLS2 TEXT2", runMatrixCommand},
};

void printUsage(std::ostream& out) {
    out << "usage:\n";
    for (const CliCommand& command : kCommands) out << "  mexora-cli " << command.usage << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(std::cout);
        return kExitResult;
    }
    for (const CliCommand& command : kCommands) {
        if (command.name == name)
            return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
    std::cerr << "mexora-cli: unknown command '" << name << "'\n";
    printUsage(std::cerr);
    return kExitUsage;
}
