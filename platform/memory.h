#pragma once
// How much memory the machine has (GlobalMemoryStatusEx on Win32).

#include <cstdint>

namespace platform {

// Physical memory in bytes; 0 when it cannot be determined.
std::uint64_t physicalMemoryBytes();

} // namespace platform
