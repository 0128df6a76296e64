// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's own controls (kMainWindowTemplate).
enum MainWindowControl : int {
    kMailLink = 1013,
    kHomePageLink = 1014,
    kNavigationList = 1032,
    kAlwaysOnTop = 1033,
};
