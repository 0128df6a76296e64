// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Bytes that new working storage can still take without running the machine
// or this process out of memory: the least of the memory the system has
// available (MemAvailable: free memory and what it can reclaim), the room left
// under the process's address-space and data limits (RLIMIT_AS, RLIMIT_DATA)
// and under its control group's memory limit. A figure that cannot be read
// limits nothing.
std::uint64_t AvailableMemoryBytes();

// True when a request that holds bytes of new storage at its peak fits in what
// is available. Storage that is touched beyond the available memory is not
// refused by the allocator but ends in the process being killed, so requests
// check this before they start; what passes may still fail to allocate, and
// callers handle that too.
bool FitsInAvailableMemory(std::uint64_t bytes);
