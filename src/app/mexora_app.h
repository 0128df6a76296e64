#pragma once

class QApplication;

// The application: refuses to run beside a running instance of the same user,
// then sets the dialog colours and runs the main window until it is closed.
class CMexoraApp {
  public:
    // The process's exit status.
    int InitInstance(QApplication& app);

    static constexpr auto kMarkerName = "Mexora 1.0";
    static constexpr int kAlreadyRunningMessage = 124;
};
