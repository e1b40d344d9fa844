#pragma once
// What the test computation libraries promise, shared with the tests that check it.

#include "fcopack.h"
#include "tmtm.h"

#include <cstdint>

namespace fakefeltrane {

constexpr std::int32_t kWaitForAbort = -1;
constexpr double kWaitForAbortWaveLength = 0.125;
constexpr double kProgressWhileWaiting = 42.0;
constexpr std::int32_t kNullPoints = -2;
constexpr std::int32_t kFakePoints = 3;
constexpr double kDistance = 1500.25;
constexpr int kTerminateResult = 42;

inline TRcsValue value(std::uint32_t point, std::uint32_t az, std::uint32_t el)
{
    return {point * 100000.0 + az * 100.0 + el, 1.0 / (1 + el)};
}

} // namespace fakefeltrane
