#pragma once
// The constants of the computation (SI units).

#include "numbers.h"

namespace feltrane {

constexpr double kPi = platform::pi;
constexpr double kSpeedOfLight = 299792458.0;         // m/s
constexpr double kVacuumPermittivity = 8.8541878128e-12; // F/m

} // namespace feltrane
