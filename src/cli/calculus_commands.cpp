// SPDX-License-Identifier: GPL-3.0-or-later
// mexora-cli integral, derivative, sum, product and solve: the requests of the
// calculus pages, with the pages' defaults.
#include <optional>
#include <string>
#include <vector>

#include "calculus/requests.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/help_text.h"
#include "cli/long_request.h"

namespace {

// Reads the plain arguments after the formula as numbers, and the options
// given (others keep their defaults). nullopt after a usage error.
struct Reader {
    const CommandArguments& args;
    std::string_view usage;
    bool ok = true;

    double number(std::size_t index, std::string_view what) {
        if (!ok) return 0.0;
        const auto value = readNumberArgument(args.plain[index], what);
        ok = value.has_value();
        return value.value_or(0.0);
    }
    double option(std::string_view name, double fallback) {
        const auto it = args.options.find(name);
        if (!ok || it == args.options.end()) return fallback;
        const auto value = readNumberArgument(it->second, std::string("--") + std::string(name));
        ok = value.has_value();
        return value.value_or(fallback);
    }
    // Runs the request on the formula once every argument has been read; a
    // usage error when one did not parse.
    template <class Request>
    int run(Request request) const {
        if (!ok) return kExitUsage;
        const std::optional<std::string> formula = readTextArgument(args.plain[0], "FORMULA");
        if (!formula) return kExitUsage;
        const RequestOutcome outcome =
            runLongRequest([&](WorkControl* control) { return request(*formula, control); });
        const int status = reportOutcome(outcome);
        if (outcome.kind == RequestOutcome::Kind::Message && outcome.formulaHasNoValue) {
            reportFormulaDiagnosis(*formula);
        }
        return status;
    }

    int intOption(std::string_view name, int fallback) {
        const auto it = args.options.find(name);
        if (!ok || it == args.options.end()) return fallback;
        const auto value = readIntArgument(it->second, std::string("--") + std::string(name));
        ok = value.has_value();
        return value.value_or(fallback);
    }
};

std::optional<CommandArguments> parse(const std::vector<std::string>& args,
                                      const std::vector<std::string_view>& options,
                                      std::size_t plainCount, std::string_view usage) {
    auto split = splitArguments(args, options);
    if (!split) {
        usageError("bad arguments", usage);
        return std::nullopt;
    }
    if (split->plain.size() != plainCount) {
        usageError("expected " + std::to_string(plainCount) + " arguments", usage);
        return std::nullopt;
    }
    return split;
}

template <class Request>
int runProgressionCommand(const std::vector<std::string>& argv, std::string_view usage,
                          Request request) {
    const auto args = parse(argv, {"step"}, 3, usage);
    if (!args) return kExitUsage;
    Reader read{*args, usage};
    const double from = read.number(1, "FROM");
    const double to = read.number(2, "TO");
    const bool stepSet = args->options.count("step") != 0;
    const double step = read.option("step", 0.0);
    return read.run([&](const std::string& formula, WorkControl* control) {
        return request(formula, from, to, stepSet, step, control);
    });
}

}  // namespace

int runIntegralCommand(const std::vector<std::string>& argv) {
    const std::string_view usage = commandUsage("integral");
    const auto args = parse(argv, {"precision", "depth"}, 3, usage);
    if (!args) return kExitUsage;
    Reader read{*args, usage};
    const double lower = read.number(1, "LOWER");
    const double upper = read.number(2, "UPPER");
    const double precision = read.option("precision", kDefaultPrecision);
    const int depth = read.intOption("depth", kDefaultDepth);
    return read.run([&](const std::string& formula, WorkControl* control) {
        int failed = 0;
        return RunIntegralRequest(formula, lower, upper, precision, depth, failed, control);
    });
}

int runDerivativeCommand(const std::vector<std::string>& argv) {
    const std::string_view usage = commandUsage("derivative");
    const auto args = parse(argv, {"step", "precision", "depth"}, 2, usage);
    if (!args) return kExitUsage;
    Reader read{*args, usage};
    const double point = read.number(1, "POINT");
    const double step = read.option("step", kDefaultInitialStep);
    const double precision = read.option("precision", kDefaultPrecision);
    const int depth = read.intOption("depth", kDefaultDepth);
    return read.run([&](const std::string& formula, WorkControl* control) {
        int failed = 0;
        return RunDerivativeRequest(formula, point, step, precision, depth, failed, control);
    });
}

int runSumCommand(const std::vector<std::string>& argv) {
    return runProgressionCommand(argv, commandUsage("sum"), RunSumRequest);
}

int runProductCommand(const std::vector<std::string>& argv) {
    return runProgressionCommand(argv, commandUsage("product"), RunProductRequest);
}

int runSolveCommand(const std::vector<std::string>& argv) {
    const std::string_view usage = commandUsage("solve");
    const auto args = parse(argv, {"delta", "epsilon"}, 3, usage);
    if (!args) return kExitUsage;
    Reader read{*args, usage};
    const double left = read.number(1, "LEFT");
    const double right = read.number(2, "RIGHT");
    const double delta = read.option("delta", kDefaultDelta);
    const double epsilon = read.option("epsilon", kDefaultEpsilon);
    return read.run([&](const std::string& formula, WorkControl* control) {
        int noRoot = 0;
        return RunSolveRequest(formula, left, right, delta, epsilon, noRoot, control);
    });
}
