// SPDX-License-Identifier: GPL-3.0-or-later
// mexora-cli integral, derivative, sum, product and solve: the requests of the
// calculus pages, with the pages' defaults. They share one shape, FORMULA,
// numbers, options, so one table describes them and one runner reads them.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "calculus/requests.h"
#include "calculus/result_text.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/help_text.h"
#include "cli/long_request.h"
#include "core/string_table.h"

namespace {

// What a command's request is given: the numbers after FORMULA, then its
// options in the order of its help, each the default where it is not given
// (an integer option's value is exact in a double); and whether --step was
// given.
struct CalculusValues {
    std::vector<double> values;
    bool stepGiven = false;

    double operator[](std::size_t i) const { return values[i]; }
    int integer(std::size_t i) const { return static_cast<int>(values[i]); }
};

using CalculusRun = RequestOutcome (*)(const std::string& formula, const CalculusValues& v,
                                       WorkControl* control, Precision mode);

struct CalculusCommand {
    std::string_view name;
    std::vector<std::string_view> numbers;  // the plain arguments after FORMULA
    CalculusRun run;
};

const std::vector<CalculusCommand>& calculusCommands() {
    static const std::vector<CalculusCommand> commands = {
        {"integral",
         {"LOWER", "UPPER"},
         [](const std::string& formula, const CalculusValues& v, WorkControl* control,
            Precision mode) {
             int failed = 0;
             return RunIntegralRequest(formula, v[0], v[1], v[2], v.integer(3), failed, control,
                                       mode);
         }},
        {"derivative",
         {"POINT"},
         [](const std::string& formula, const CalculusValues& v, WorkControl* control,
            Precision mode) {
             int failed = 0;
             return RunDerivativeRequest(formula, v[0], v[1], v[2], v.integer(3), failed, control,
                                         mode);
         }},
        {"sum",
         {"FROM", "TO"},
         [](const std::string& formula, const CalculusValues& v, WorkControl* control,
            Precision mode) {
             return RunSumRequest(formula, v[0], v[1], v.stepGiven, v[2], control, mode);
         }},
        {"product",
         {"FROM", "TO"},
         [](const std::string& formula, const CalculusValues& v, WorkControl* control,
            Precision mode) {
             return RunProductRequest(formula, v[0], v[1], v.stepGiven, v[2], control, mode);
         }},
        {"solve",
         {"LEFT", "RIGHT"},
         [](const std::string& formula, const CalculusValues& v, WorkControl* control,
            Precision mode) {
             int noRoot = 0;
             return RunSolveRequest(formula, v[0], v[1], v[2], v[3], noRoot, control, mode);
         }},
    };
    return commands;
}

// Reads the values in order; after the first that does not read (its error
// written), the rest are not read.
std::optional<CalculusValues> readValues(const CalculusCommand& command, const CommandHelp& help,
                                         const CommandArguments& args, Precision precision) {
    CalculusValues read;
    for (std::size_t i = 0; i < command.numbers.size(); ++i) {
        const auto value = readNumberArgument(args.plain[i + 1], command.numbers[i], precision);
        if (!value) return std::nullopt;
        read.values.push_back(*value);
    }
    for (const OptionHelp& option : help.options) {
        const auto given = args.options.find(option.name);
        if (given == args.options.end()) {
            read.values.push_back(option.fallback);
            continue;
        }
        const std::string what = "--" + std::string(option.name);
        std::optional<double> value;
        if (option.integer) {
            if (const auto integer = readIntArgument(given->second, what)) value = *integer;
        } else {
            value = readNumberArgument(given->second, what, precision);
        }
        if (!value) return std::nullopt;
        read.values.push_back(*value);
    }
    read.stepGiven = args.options.count("step") != 0;
    return read;
}

int runCalculusCommand(const CalculusCommand& command, std::vector<std::string> argv,
                       Precision precision) {
    const CommandHelp& help = *findCommandHelp(command.name);
    const bool writeError = takeFlag(argv, "--error");
    std::vector<std::string_view> optionNames;
    for (const OptionHelp& option : help.options) optionNames.push_back(option.name);
    const auto args = splitArguments(argv, optionNames);
    if (!args) return usageError("bad arguments", help.usage);
    const std::size_t plainCount = command.numbers.size() + 1;
    if (args->plain.size() != plainCount)
        return usageError("expected " + std::to_string(plainCount) + " arguments", help.usage);
    const std::optional<CalculusValues> values = readValues(command, help, *args, precision);
    if (!values) return kExitUsage;
    const std::optional<std::string> formula = readTextArgument(args->plain[0], "FORMULA");
    if (!formula) return kExitUsage;
    reportFormulaWarnings(*formula, precision);
    const RequestOutcome outcome = runLongRequest(
        [&](WorkControl* control) { return command.run(*formula, *values, control, precision); });
    const int status = reportOutcome(outcome, precision);
    if (writeError && outcome.kind == RequestOutcome::Kind::Value)
        std::cout << ErrorNumberText(outcome.value, outcome.error, precision) << '\n';
    if (!outcome.diagnosis.empty()) std::cerr << outcome.diagnosis << '\n';
    return status;
}

}  // namespace

std::optional<int> runCalculusCommand(std::string_view name, const std::vector<std::string>& args,
                                      Precision precision) {
    for (const CalculusCommand& command : calculusCommands()) {
        if (command.name == name) return runCalculusCommand(command, args, precision);
    }
    return std::nullopt;
}
