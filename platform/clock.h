#pragma once
// High-resolution monotonic clock and sleep (the performance counter and Sleep of Win32).

#include <cstdint>

namespace platform {

// Monotonic time in nanoseconds since an arbitrary start.
std::int64_t performanceCounter();
// Ticks of performanceCounter() per second.
constexpr std::int64_t performanceFrequency() { return 1'000'000'000; }

void sleepMilliseconds(std::uint32_t milliseconds);

} // namespace platform
