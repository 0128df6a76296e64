// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CalculationPage;

// Gives the formula edits of a page's requests their plot: Ctrl+G and the
// context menu entry in each, and a click on the request's picture. Called
// once the page's controls exist.
void attachPagePlots(CalculationPage& page);
