// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/precision.h"

// How a calculus result is written, with the estimate of its error
// (RequestOutcome::error).

// The significant digits of value that error vouches for: the last of them
// is larger than the error. 0 when not even the first is; at most 17.
int VouchedDigits(double value, double error);

// The text of a result field. Single: the design's 15 significant digits, to
// the bit. Double: only the digits the error vouches for (at least one, at
// most 15), so that every digit shown is right; 15 when there is no estimate.
std::string ResultText(double value, double error, Precision precision);

// The error of the text ResultText writes: error plus the rounding of the
// text itself.
double ShownError(double value, double error, Precision precision);

// What a result's tooltip and accessible description say of the error of its
// text (ShownError), as "误差约 3e-13，约 12 位有效数字可信。".
std::string ErrorDescription(double value, double error, Precision precision);

// The error of the result's text as mexora-cli --error writes it (ShownError),
// rounded up to 3 digits so that it never claims less; "inf" when there is no
// estimate.
std::string ErrorNumberText(double value, double error, Precision precision);
