// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.h"

#include <algorithm>
#include <cctype>
#include <iostream>

#include "core/number_text.h"
#include "core/string_table.h"

namespace {

bool isOptionName(std::string_view arg) {
    return arg.size() > 2 && arg.substr(0, 2) == "--" &&
           std::isalpha(static_cast<unsigned char>(arg[2]));
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

std::optional<double> readNumberArgument(std::string_view text, std::string_view what) {
    if (auto value = parseDoubleField(text)) return value;
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

int reportMessage(int stringId) {
    std::cerr << LoadString(stringId) << '\n';
    return kExitMessage;
}

int reportResult(double value) {
    std::cout << formatDouble(value) << '\n';
    return kExitResult;
}
