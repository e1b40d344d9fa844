#pragma once
// Mathematical constants. C++17 has no <numbers>, and M_PI is not part of standard C++.

namespace platform {

constexpr double pi = 3.14159265358979323846;

} // namespace platform
