// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/memory_reach.h"

#include <sys/resource.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace {

constexpr std::uint64_t kUnlimited = std::numeric_limits<std::uint64_t>::max();

// Below this a request is not worth the look at /proc: it costs less than the
// look, and where it cannot be had the machine is out of memory already.
constexpr std::uint64_t kAlwaysFits = 16u << 20;

// The value of a "Name:   1234 kB" line of a /proc file, in bytes.
std::optional<std::uint64_t> kilobytesField(const char* path, std::string_view name) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.starts_with(name)) continue;
        std::istringstream field(line.substr(name.size()));
        std::uint64_t kilobytes = 0;
        if (field >> kilobytes) return kilobytes * 1024;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> numberIn(const std::string& path) {
    std::ifstream in(path);
    std::uint64_t value = 0;
    if (in >> value) return value;
    return std::nullopt;  // unreadable, or "max"
}

// Room under a resource limit, given what the process already uses of it.
std::uint64_t roomUnder(int resource, const char* usedField) {
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return kUnlimited;
    const std::uint64_t used = kilobytesField("/proc/self/status", usedField).value_or(0);
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

// Room under the memory limit of the process's control group (version 2).
std::uint64_t roomInControlGroup() {
    std::ifstream in("/proc/self/cgroup");
    std::string line;
    while (std::getline(in, line)) {
        if (!line.starts_with("0::")) continue;
        const std::string folder = "/sys/fs/cgroup" + line.substr(3);
        const std::optional<std::uint64_t> limit = numberIn(folder + "/memory.max");
        const std::optional<std::uint64_t> used = numberIn(folder + "/memory.current");
        if (!limit || !used) return kUnlimited;
        return *limit > *used ? *limit - *used : 0;
    }
    return kUnlimited;
}

}  // namespace

std::uint64_t AvailableMemoryBytes() {
    return std::min({kilobytesField("/proc/meminfo", "MemAvailable:").value_or(kUnlimited),
                     roomUnder(RLIMIT_AS, "VmSize:"), roomUnder(RLIMIT_DATA, "VmData:"),
                     roomInControlGroup()});
}

bool FitsInAvailableMemory(std::uint64_t bytes) {
    return bytes <= kAlwaysFits || bytes <= AvailableMemoryBytes();
}
