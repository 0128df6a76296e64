// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/memory_reach.h"

#include <unistd.h>

#include <limits>

namespace {

std::uint64_t physicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    // Unknown: leave the decision to the allocation itself.
    if (pages <= 0 || pageSize <= 0) return std::numeric_limits<std::uint64_t>::max();
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

}  // namespace

bool WithinPhysicalMemory(std::uint64_t bytes) {
    static const std::uint64_t physical = physicalMemoryBytes();
    return bytes <= physical;
}
