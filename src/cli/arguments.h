// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/message_service.h"
#include "core/precision.h"

// Exit statuses of mexora-cli.
inline constexpr int kExitResult = 0;   // a result on stdout
inline constexpr int kExitMessage = 1;  // a message of the string table on stderr
inline constexpr int kExitUsage = 2;    // a bad command line

// A subcommand's arguments: plain ones in order, and "--name value" options.
// Negative numbers and formulas that begin with "-" are plain arguments; only
// "--" followed by a letter starts an option, and a lone "--" ends the options.
struct CommandArguments {
    std::vector<std::string> plain;
    std::map<std::string, std::string, std::less<>> options;
};

// Splits args; an option not in allowedOptions, or one without its value, is a
// usage error: it is written to stderr and nullopt returned.
std::optional<CommandArguments> splitArguments(const std::vector<std::string>& args,
                                               const std::vector<std::string_view>& allowedOptions);

// Reads a TEXT argument (a formula or a matrix's elements): "@FILE" is the
// content of FILE, "-" that of standard input (once only), anything else the
// text itself. One line end at the end of a file's text is dropped, so a
// formula saved by an editor still reads. On failure writes a clear error to
// stderr and returns nullopt.
std::optional<std::string> readTextArgument(const std::string& arg, std::string_view what);

// Takes "--threads N" out of a command line (before a lone "--") and sizes the
// shared thread pool by it. False after a usage error written to stderr.
bool takeThreadsOption(std::vector<std::string>& args);

// Takes every flag (an option without a value) out of a command line, before
// a lone "--"; whether there was one.
bool takeFlag(std::vector<std::string>& args, std::string_view flag);

// Takes every "--double" out of a command line (before a lone "--") and
// returns the precision it asks for; without one, MEXORA_PRECISION's.
Precision takePrecisionOption(std::vector<std::string>& args);

// Reads a number argument as a page reads its field in precision; on failure
// writes a clear error naming the argument to stderr and returns nullopt.
std::optional<double> readNumberArgument(std::string_view text, std::string_view what,
                                         Precision precision = Precision::Single);
std::optional<int> readIntArgument(std::string_view text, std::string_view what);

// Writes "mexora-cli: <text>" and the command's usage line to stderr; returns kExitUsage.
int usageError(std::string_view text, std::string_view usage);

// Writes the string-table message to stderr, and the detail under it when
// there is one; returns kExitMessage.
int reportMessage(int stringId, std::string_view detail = {});

// Reports the first message a page logic showed, with its detail.
int reportFirstMessage(const RecordingMessageService& messages);

// Writes a double result with the pages' display rule ("%.15g") to stdout; returns kExitResult.
int reportResult(double value);
