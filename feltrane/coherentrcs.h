#pragma once
// The radar cross-section of a whole model from its points: the amplitudes summed coherently
// with the two-way phase of each point's position, σ(d) = 4π |Σ_p S_p(d) e^{j 2k d·p}|².

#include "physicalconstants.h"

#include <Eigen/Core>

#include <cmath>
#include <complex>
#include <cstdint>

namespace feltrane {

// Σ_p S_p(d) e^{j 2k d·p} at sample (a, e) in direction d. `points`: any sequence of records with
// x, y, z and rcs rows (TMtmPoint, TMtmSavePoint).
template <typename Points>
std::complex<double> coherentSum(const Points& points, std::uint32_t a, std::uint32_t e,
                                 const Eigen::Vector3d& towardsRadar, double wavelength)
{
    const double twoK = 4.0 * kPi / wavelength;
    std::complex<double> sum;
    for (const auto& p : points)
        sum += p.rcs[a][e] *
               std::polar(1.0, twoK * (towardsRadar.x() * p.x + towardsRadar.y() * p.y + towardsRadar.z() * p.z));
    return sum;
}

// σ in m².
template <typename Points>
double crossSection(const Points& points, std::uint32_t a, std::uint32_t e, const Eigen::Vector3d& towardsRadar,
                    double wavelength)
{
    return 4.0 * kPi * std::norm(coherentSum(points, a, e, towardsRadar, wavelength));
}

inline double toDecibels(double crossSection)
{
    return 10.0 * std::log10(crossSection);
}

} // namespace feltrane
