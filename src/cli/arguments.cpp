// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <utility>

#include "core/number_text.h"
#include "core/string_table.h"
#include "core/thread_pool.h"
#include "expr/number_field.h"

namespace {

bool isOptionName(std::string_view arg) {
    return arg.size() > 2 && arg.substr(0, 2) == "--" &&
           std::isalpha(static_cast<unsigned char>(arg[2]));
}

// The whole of in, less one line end at its end; nullopt on a read error.
std::optional<std::string> readAll(std::istream& in) {
    std::string text;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) text.append(buffer, in.gcount());
    if (in.bad()) return std::nullopt;
    if (text.ends_with('\n')) {
        text.pop_back();
        if (text.ends_with('\r')) text.pop_back();
    }
    return text;
}

}  // namespace

std::optional<CommandArguments> splitArguments(
    const std::vector<std::string>& args, const std::vector<std::string_view>& allowedOptions) {
    CommandArguments result;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !isOptionName(arg)) {
            result.plain.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2);
        if (std::find(allowedOptions.begin(), allowedOptions.end(), name) == allowedOptions.end()) {
            std::cerr << "mexora-cli: unknown option " << arg << '\n';
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            std::cerr << "mexora-cli: option " << arg << " needs a value\n";
            return std::nullopt;
        }
        result.options[name] = args[++i];
    }
    return result;
}

std::optional<double> readNumberArgument(std::string_view text, std::string_view what,
                                         Precision precision) {
    if (auto value = ReadNumberField(text, precision)) return value;
    std::cerr << "mexora-cli: " << what << " is not a number: '" << text << "'\n";
    return std::nullopt;
}

std::optional<int> readIntArgument(std::string_view text, std::string_view what) {
    if (auto value = parseIntField(text)) return value;
    std::cerr << "mexora-cli: " << what << " is not an integer: '" << text << "'\n";
    return std::nullopt;
}

int usageError(std::string_view text, std::string_view usage) {
    std::cerr << "mexora-cli: " << text << "\nusage: mexora-cli " << usage << '\n';
    return kExitUsage;
}

int reportMessage(int stringId, std::string_view detail) {
    std::cerr << LoadString(stringId) << '\n';
    if (!detail.empty()) std::cerr << detail << '\n';
    return kExitMessage;
}

int reportFirstMessage(const RecordingMessageService& messages) {
    return reportMessage(messages.shown.front(), messages.details.front());
}

int reportResult(double value) {
    std::cout << formatDouble(value) << '\n';
    return kExitResult;
}

std::optional<std::string> readTextArgument(const std::string& arg, std::string_view what) {
    const bool fromStdin = arg == "-";
    if (!fromStdin && !arg.starts_with('@')) return arg;
    const std::string_view path = std::string_view(arg).substr(1);
    static bool stdinTaken = false;
    if (fromStdin && std::exchange(stdinTaken, true)) {
        std::cerr << "mexora-cli: " << what << ": standard input was read already\n";
        return std::nullopt;
    }
    std::ifstream file;
    if (!fromStdin) file.open(std::string(path), std::ios::binary);
    std::istream& in = fromStdin ? std::cin : file;
    std::optional<std::string> text;
    if (in) text = readAll(in);
    if (!text) {
        std::cerr << "mexora-cli: " << what << ": cannot read ";
        if (fromStdin) {
            std::cerr << "standard input";
        } else {
            std::cerr << '\'' << path << '\'';
        }
        std::cerr << ": " << std::strerror(errno) << '\n';
    }
    return text;
}

bool takeThreadsOption(std::vector<std::string>& args) {
    auto arg = args.begin();
    while (arg != args.end() && *arg != "--") {
        if (*arg != "--threads") {
            ++arg;
            continue;
        }
        if (arg + 1 == args.end()) {
            std::cerr << "mexora-cli: option --threads needs a value\n";
            return false;
        }
        const std::optional<int> threads = parseIntField(arg[1]);
        if (!threads || *threads < 1 || *threads > kMaxThreads) {
            std::cerr << "mexora-cli: --threads takes a whole number from 1 to " << kMaxThreads
                      << ": '" << arg[1] << "'\n";
            return false;
        }
        SetSharedThreadCount(*threads);
        arg = args.erase(arg, arg + 2);
    }
    return true;
}

bool takeFlag(std::vector<std::string>& args, std::string_view flag) {
    const auto end = std::find(args.begin(), args.end(), "--");
    const auto kept = std::remove(args.begin(), end, flag);
    const bool given = kept != end;
    args.erase(kept, end);
    return given;
}

Precision takePrecisionOption(std::vector<std::string>& args) {
    return takeFlag(args, "--double") ? Precision::Double : PrecisionFromEnvironment();
}
