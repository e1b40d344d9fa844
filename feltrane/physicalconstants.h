#pragma once
// The constants of the computation (SI units).

namespace feltrane {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSpeedOfLight = 299792458.0;         // m/s
constexpr double kVacuumPermittivity = 8.8541878128e-12; // F/m

} // namespace feltrane
