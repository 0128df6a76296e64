// mexora-cli: the calculations of the pages, for scripts and terminals.
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"

namespace {

const std::vector<CliCommand> kCommands = {
    {"eval", "eval FORMULA X [X ...]", runEvalCommand},
    {"integral", "integral FORMULA LOWER UPPER [--precision P] [--depth N]", runIntegralCommand},
    {"derivative", "derivative FORMULA POINT [--step H] [--precision P] [--depth N]",
     runDerivativeCommand},
    {"sum", "sum FORMULA FROM TO [--step S]", runSumCommand},
    {"product", "product FORMULA FROM TO [--step S]", runProductCommand},
    {"solve", "solve FORMULA LEFT RIGHT [--delta D] [--epsilon E]", runSolveCommand},
    {"det", "det ORDER TEXT", runDeterminantCommand},
    {"matrix", "matrix add|sub|mul ROWS1 COLS1 TEXT1 ROWS2 COLS2 TEXT2", runMatrixCommand},
};

void printUsage(std::ostream& out) {
    out << "usage:\n";
    for (const CliCommand& command : kCommands) out << "  mexora-cli " << command.usage << '\n';
    out << "A FORMULA or TEXT written @FILE is read from FILE, written - from standard input.\n"
           "--threads N (anywhere) computes on N threads; MEXORA_THREADS=N does the same.\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!takeThreadsOption(args)) return kExitUsage;
    if (args.empty()) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    const std::string name = args.front();
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(std::cout);
        return kExitResult;
    }
    for (const CliCommand& command : kCommands) {
        if (command.name == name)
            return command.run(std::vector<std::string>(args.begin() + 1, args.end()));
    }
    std::cerr << "mexora-cli: unknown command '" << name << "'\n";
    printUsage(std::cerr);
    return kExitUsage;
}
