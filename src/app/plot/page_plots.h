// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TemplatePage;

// Gives the formula edits of a page their plot: Ctrl+G and the context menu
// entry in each, and a click on the page's picture beside a formula. Called
// once the page's controls exist.
void attachIntegralPagePlots(TemplatePage& page);
void attachSumProductPagePlots(TemplatePage& page);
void attachEquationPagePlots(TemplatePage& page);
