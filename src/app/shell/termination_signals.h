// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

// SIGTERM, SIGINT and SIGHUP (the desktop session ending, kill, Ctrl+C in the
// terminal that started the program) end the program as its close button
// does: running work is cancelled and the event loop quits, so every window
// is destroyed in order instead of the process vanishing mid-request.
void QuitOnTerminationSignals(QApplication& app);
