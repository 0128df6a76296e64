// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string_view>
#include <vector>

// What mexora-cli says about itself: the overview that --help prints and, for
// each command, its usage line, what it computes and its options with their
// defaults. The manual page mexora-cli(1) says the rest.

struct OptionHelp {
    std::string_view name;   // without the leading "--"
    std::string_view value;  // the placeholder of its value
    std::string_view meaning;
    double fallback;       // the value taken when the option is not given
    bool integer = false;  // takes an integer only
};

struct CommandHelp {
    std::string_view name;
    std::string_view usage;    // what follows "mexora-cli "
    std::string_view summary;  // one line: what it computes
    std::string_view details;  // the arguments, the checks and the output
    std::vector<OptionHelp> options;
};

// Every command, in the order --help lists them.
const std::vector<CommandHelp>& commandHelps();

// The command of that name; nullptr when there is none.
const CommandHelp* findCommandHelp(std::string_view name);

// The usage line of a command that exists.
std::string_view commandUsage(std::string_view name);

// mexora-cli --help: how it is called and one line for each command.
void printOverview(std::ostream& out);

// mexora-cli help COMMAND: the usage line, what it computes, the options.
void printCommandHelp(std::ostream& out, const CommandHelp& command);

// mexora-cli --version.
void printVersion(std::ostream& out);
