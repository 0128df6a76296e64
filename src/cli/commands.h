// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/precision.h"

// One subcommand of mexora-cli: its name and what runs it (its usage and help
// are in help_text.cpp). run gets the arguments after the subcommand's name
// and the precision --double or MEXORA_PRECISION asks for, and returns the
// exit status.
struct CliCommand {
    std::string_view name;
    int (*run)(const std::vector<std::string>& args, Precision precision);
};

// mexora-cli eval: the values of a formula, in precision.
int runEvalCommand(const std::vector<std::string>& args, Precision precision);
// mexora-cli check: whether a formula can be read in precision, and where and
// why not.
int runCheckCommand(const std::vector<std::string>& args, Precision precision);

// Writes to stderr why formula cannot be read in precision ("第 N 个字符：..."),
// or the warnings of one that can; false when it cannot be read.
bool reportFormulaDiagnosis(std::string_view formula, Precision precision = Precision::Single);
// Writes to stderr the warnings of a formula that reads, but not as it looks
// ("1e-5" as 1e minus 5); nothing for one that cannot be read.
void reportFormulaWarnings(std::string_view formula, Precision precision);
// mexora-cli integral, derivative, sum, product and solve: the exit status,
// or nullopt when name is none of them. They compute in single precision
// whatever precision asks; asked for double, they say so on stderr.
std::optional<int> runCalculusCommand(std::string_view name, const std::vector<std::string>& args,
                                      Precision precision);
// mexora-cli det: the determinant of a square matrix of order 2 to 50.
int runDeterminantCommand(const std::vector<std::string>& args, Precision precision);
// mexora-cli matrix: sum, difference or product of two matrices.
int runMatrixCommand(const std::vector<std::string>& args, Precision precision);
