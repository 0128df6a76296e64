// SPDX-License-Identifier: GPL-3.0-or-later
// mexora-cli check FORMULA: whether a formula can be read, and if not, where
// and why.
#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/help_text.h"
#include "expr/diagnosis.h"

namespace {
void writeWarnings(const FormulaDiagnosis& diagnosis) {
    for (const FormulaWarning& warning : diagnosis.warnings) {
        std::cerr << DiagnosisLine(warning.position, warning.text) << '\n';
    }
}
}  // namespace

bool reportFormulaDiagnosis(std::string_view formula, Precision precision) {
    const FormulaDiagnosis diagnosis = DiagnoseFormula(formula, precision);
    if (!diagnosis.readable) {
        std::cerr << DiagnosisLine(diagnosis) << '\n';
        return false;
    }
    writeWarnings(diagnosis);
    return true;
}

void reportFormulaWarnings(std::string_view formula, Precision precision) {
    writeWarnings(DiagnoseFormula(formula, precision));
}

int runCheckCommand(const std::vector<std::string>& args, Precision precision) {
    const std::string_view usage = commandUsage("check");
    const auto split = splitArguments(args, {});
    if (!split) return usageError("bad arguments", usage);
    if (split->plain.size() != 1) return usageError("check takes one FORMULA", usage);
    const std::optional<std::string> formula = readTextArgument(split->plain[0], "FORMULA");
    if (!formula) return kExitUsage;
    return reportFormulaDiagnosis(*formula, precision) ? kExitResult : kExitMessage;
}
