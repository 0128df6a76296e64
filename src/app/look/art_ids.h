// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pictures, icons and the cursor of res/art/, by resource id.
enum ArtId : int {
    kApplicationIcon = 128,
    kIntegralSignBitmap = 131,
    kIntegralPageIcon = 132,
    kSigmaBitmap = 133,
    kPiBitmap = 134,
    kNavigationStrip = 136,
    kPointingHandCursor = 137,
    kCoverBitmap = 138,
};
