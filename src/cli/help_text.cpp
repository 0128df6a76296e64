// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/help_text.h"

#include <algorithm>
#include <ostream>
#include <string>

#include "calculus/requests.h"
#include "core/number_text.h"
#include "core/version.h"

namespace {

constexpr OptionHelp kPrecision{"precision", "P", "the tolerance between successive values (P > 0)",
                                kDefaultPrecision};

std::string optionLabel(const OptionHelp& option) {
    return "--" + std::string(option.name) + ' ' + std::string(option.value);
}

}  // namespace

// A function's static, so that the commands' own statics may read it.
const std::vector<CommandHelp>& commandHelps() {
    static const std::vector<CommandHelp> helps = {
        {"eval",
         "eval FORMULA X [X ...]",
         "the value of a formula at each point",
         "Writes the value of FORMULA at each X, one line each, in the order given.\n"
         "Values are single precision (double with --double) written with 15 significant\n"
         "digits; where the formula has no value it writes nan. Every X is read before\n"
         "anything is written; with --double an X may also be a formula without x, as pi/2.",
         {}},
        {"check",
         "check FORMULA",
         "whether a formula can be read, and where and why not",
         "Exits 0 when FORMULA has a value (it may still be nan at some x), writing\n"
         "on stderr any warning, such as that 1e-5 reads as 1e minus 5. Otherwise exits\n"
         "1 with the line \"第 N 个字符：REASON\" on stderr: the character where the first\n"
         "fault lies and what is wrong there. With --double it reads the language of double\n"
         "precision: pi, e, exp, sqrt, asin, acos, atan, sinh, cosh, tanh, tan, cot, 1e-5.",
         {}},
        {"integral",
         "integral FORMULA LOWER UPPER [--precision P] [--depth N]",
         "the definite integral of a formula from LOWER to UPPER",
         "Romberg integration: the trapezoid rule on ever halved steps, improved by\n"
         "extrapolation, until two successive values agree to P. Each level doubles\n"
         "the number of evaluations, so N bounds the work.",
         {kPrecision,
          {"depth", "N", "the most levels of halved steps (N >= 2)", kDefaultDepth, true}}},
        {"derivative",
         "derivative FORMULA POINT [--step H] [--precision P] [--depth N]",
         "the derivative of a formula at a point",
         "Central differences (f(POINT + h) - f(POINT - h)) / 2h, with h starting at H\n"
         "and halved until two successive estimates agree to P; the first estimate is\n"
         "compared with 0.",
         {{"step", "H", "the first step h", kDefaultInitialStep},
          kPrecision,
          {"depth", "N", "the most estimates", kDefaultDepth, true}}},
        {"sum",
         "sum FORMULA FROM TO [--step S]",
         "the sum of a formula over x = FROM, FROM + S, ... up to TO",
         "Adds the values at x = FROM, FROM + S, FROM + 2S, ... while x is at most TO;\n"
         "with no such x the sum is 0.",
         {{"step", "S", "the step of x (S > 0)", 1.0}}},
        {"product",
         "product FORMULA FROM TO [--step S]",
         "the product of a formula over x = FROM, FROM + S, ... up to TO",
         "Multiplies the values at x = FROM, FROM + S, FROM + 2S, ... while x is at most\n"
         "TO; with no such x the product is 1.",
         {{"step", "S", "the step of x (S > 0)", 1.0}}},
        {"solve",
         "solve FORMULA LEFT RIGHT [--delta D] [--epsilon E]",
         "one real root of FORMULA = 0 between LEFT and RIGHT",
         "False position: the formula must change sign between LEFT and RIGHT. An end\n"
         "where |F| < D is the root; otherwise the zero x of the chord replaces one end\n"
         "until |F(x)| <= D or the ends are at most E apart.",
         {{"delta", "D", "the tolerance on |F(x)| (D > 0)", kDefaultDelta},
          {"epsilon", "E", "the tolerance on the interval's width (E > 0)", kDefaultEpsilon}}},
        {"det",
         "det ORDER TEXT",
         "the determinant of a square matrix of order 2 to 50",
         "TEXT holds the ORDER x ORDER elements row by row, separated by spaces, commas\n"
         "or line breaks; missing elements are 0 and surplus ones are ignored. The\n"
         "result is single precision, written with 6 significant digits. With --double\n"
         "integers, decimals and fractions (1/3) are exact and so is the result, written\n"
         "in full (an integer, a finite decimal, else p/q), at once for every order; an\n"
         "element such as inf makes it a double, written with 17 digits.",
         {}},
        {"matrix",
         "matrix add|sub|mul ROWS1 COLS1 TEXT1 ROWS2 COLS2 TEXT2",
         "the sum, difference or product of two matrices",
         "add and sub need two matrices of one shape, mul needs COLS1 = ROWS2. The\n"
         "texts are read as for det. Each element of the result is written as %g and a\n"
         "comma, and every row ends with a comma, CR and LF. With --double the elements\n"
         "are exact as for det and so is the result, each written in full.",
         {}},
    };
    return helps;
}

const CommandHelp* findCommandHelp(std::string_view name) {
    for (const CommandHelp& command : commandHelps()) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

std::string_view commandUsage(std::string_view name) { return findCommandHelp(name)->usage; }

void printOverview(std::ostream& out) {
    out << "usage: mexora-cli COMMAND ARGUMENT...\n"
           "       mexora-cli help COMMAND\n"
           "       mexora-cli --help | --version\n"
           "\n"
           "Runs the calculations of the Mexora pages, with their checks, messages and digits.\n"
           "\n"
           "commands:\n";
    for (const CommandHelp& command : commandHelps()) {
        std::string name(command.name);
        name.resize(12, ' ');
        out << "  " << name << command.summary << '\n';
    }
    out << "\n"
           "A FORMULA or TEXT written @FILE is read from FILE, and - from standard input.\n"
           "--threads N, anywhere, or MEXORA_THREADS=N sets the threads that long\n"
           "calculations use (default: one per core); the results do not change.\n"
           "--double, anywhere, or MEXORA_PRECISION=double computes eval and check in\n"
           "double precision, with the constants pi and e and more functions; the\n"
           "calculus commands still compute in single precision.\n"
           "\n"
           "A result goes to stdout (exit status 0), a message of the calculation to\n"
           "stderr (1), a usage error to stderr (2). 'mexora-cli help COMMAND' shows a\n"
           "command's arguments, options and defaults; 'man mexora-cli' also describes\n"
           "the formulas, the output and gives examples.\n";
}

void printCommandHelp(std::ostream& out, const CommandHelp& command) {
    out << "usage: mexora-cli " << command.usage << "\n\n"
        << "Computes " << command.summary << ".\n"
        << command.details << '\n';
    if (command.options.empty()) return;
    std::size_t width = 0;
    for (const OptionHelp& option : command.options)
        width = std::max(width, optionLabel(option).size());
    out << "\noptions:\n";
    for (const OptionHelp& option : command.options) {
        std::string label = optionLabel(option);
        label.resize(width + 2, ' ');
        out << "  " << label << option.meaning << "; default " << formatDouble(option.fallback)
            << '\n';
    }
}

void printVersion(std::ostream& out) { out << "mexora-cli " << kMexoraVersion << '\n'; }
