// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <optional>

class QApplication;

// The application: refuses to run beside a running instance of the same user,
// then sets the dialog colours and runs the main window until it is closed.
class CMexoraApp {
  public:
    // Prints the help or the version when the command line asks for one, with
    // no window system: the exit status then, nullopt otherwise.
    static std::optional<int> AnswerInformationOptions(int argc, char* argv[]);

    // With --plot: draws the picture into its file with no display (on the
    // offscreen platform, chosen before any QApplication exists) and beside
    // a running Mexora, and gives the exit status; nullopt without --plot.
    static std::optional<int> RunPlotOption(int& argc, char* argv[]);

    // Once QApplication has taken its own options: false, with a message on
    // stderr, when an argument is left; the program then ends with kExitUsage.
    static bool ArgumentsAccepted();
    static constexpr int kExitUsage = 2;  // as for mexora-cli

    // With no display and no platform chosen, before QApplication (which
    // would abort): the usage error of a bad command line, or why no window
    // opens, and the exit status; nullopt when a window system may be there.
    static std::optional<int> AnswerWithoutDisplay(int argc, char* argv[]);

    // The process's exit status.
    int InitInstance(QApplication& app);

    static constexpr auto kMarkerName = "Mexora 1.0";

  private:
    static bool argumentsAccepted(const QStringList& arguments);
};
