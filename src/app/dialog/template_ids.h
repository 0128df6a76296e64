// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dialog templates of res/dialog_templates.inc, by name.
enum TemplateId : int {
    kAboutTemplate = 100,
    kMainWindowTemplate = 102,
    kMatrixTemplate = 129,
    kCoverTemplate = 130,
    kIntegralTemplate = 131,
    kSumProductTemplate = 132,
    kEquationTemplate = 133,
    kDeterminantTemplate = 134,
};

// Every page and the main window have a hidden default button of this id.
inline constexpr int kDefaultButtonId = 1000;
