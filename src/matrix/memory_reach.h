// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// True when working storage of this many bytes could be had at all: not more
// than the machine's physical memory. Storage that is written in full beyond
// that would only thrash or be killed, so such requests are refused up front;
// what passes may still fail to allocate, and callers handle that too.
bool WithinPhysicalMemory(std::uint64_t bytes);
