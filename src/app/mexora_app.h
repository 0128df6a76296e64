#pragma once

#include <optional>

class QApplication;

// The application: refuses to run beside a running instance of the same user,
// then sets the dialog colours and runs the main window until it is closed.
class CMexoraApp {
  public:
    // Prints the help or the version when the command line asks for one, with
    // no window system: the exit status then, nullopt otherwise.
    static std::optional<int> AnswerInformationOptions(int argc, char* argv[]);

    // The process's exit status. Refuses (status 2) the arguments that neither
    // this program nor QApplication takes.
    int InitInstance(QApplication& app);

    static constexpr auto kMarkerName = "Mexora 1.0";
    static constexpr int kAlreadyRunningMessage = 124;
};
