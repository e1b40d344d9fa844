#include "resamplingplan.h"

#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace mtmmerge {

namespace {

constexpr double kPi = platform::pi;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kHalfPi = kPi / 2.0;
// Below this, distances and cell areas are too small to divide by.
constexpr double kTiny = 1e-9;

// atan2(−z, x) brought into [0, 2π), written out by quadrant: z < 0 lies towards +azimuth.
double azimuthSeen(double x, double z)
{
    if (x == 0.0)
        return z < 0.0 ? kHalfPi : z > 0.0 ? 3.0 * kHalfPi : 0.0;
    double phi;
    if (x > 0.0 && z < 0.0)
        phi = -std::atan(z / x);
    else if (x < 0.0)
        phi = kPi - std::atan(z / x);
    else
        phi = kTwoPi - std::atan(z / x);
    if (phi < 0.0)
        phi += kTwoPi;
    if (phi >= kTwoPi)
        phi -= kTwoPi;
    return phi;
}

} // namespace

ResamplingPlan::ResamplingPlan(GridShape target, GridShape source, AnchorOffset offset, double radius)
    : target_(target), source_(source), offset_(offset), radius_(radius)
{
    const double stepAz = kTwoPi / double(target.countAz - 1u);
    const double stepEl = kPi / double(target.countEl - 1u);
    cells_.reserve(std::size_t(target.countAz) * target.countEl);
    for (std::uint32_t a = 0; a < target.countAz; ++a)
        for (std::uint32_t e = 0; e < target.countEl; ++e)
            cells_.push_back(locate(a * stepAz, e * stepEl - kHalfPi));
}

ResamplingPlan::Cell ResamplingPlan::locate(double phi, double theta) const
{
    // The point at distance R in direction (φ, θ) from the base origin (y up, azimuth from +x
    // towards −z), relative to the moved model's origin.
    const double x = radius_ * std::cos(theta) * std::cos(phi) - offset_.x;
    const double y = radius_ * std::sin(theta) - offset_.y;
    const double z = -radius_ * std::cos(theta) * std::sin(phi) - offset_.z;
    const double rho = std::sqrt(x * x + y * y + z * z);
    const double thetaSeen = rho > kTiny ? std::asin(std::clamp(y / rho, -1.0, 1.0)) : 0.0;
    const double phiSeen = azimuthSeen(x, z);

    const std::int64_t countAz = source_.countAz;
    const std::int64_t countEl = source_.countEl;
    const double stepAz = kTwoPi / double(source_.countAz - 1u);
    const double stepEl = kPi / double(source_.countEl - 1u);
    const auto i = std::int64_t(std::floor(phiSeen / stepAz));
    const auto j = std::int64_t(std::floor((thetaSeen + kHalfPi) / stepEl));
    const std::int64_t azLo = i % countAz;
    const std::int64_t azHi = (i + 1) % countAz;
    const std::int64_t elHi = std::clamp<std::int64_t>(j + 1, 0, countEl - 1);
    const std::int64_t elLo = std::clamp<std::int64_t>(j, 0, countEl - 1);

    double phiLo = double(azLo) * stepAz;
    double phiHi = double(azHi) * stepAz;
    const double thetaLo = double(elLo) * stepEl - kHalfPi;
    const double thetaHi = double(elHi) * stepEl - kHalfPi;
    // A cell from the last azimuth sample to the first spans the seam, not the whole circle.
    if (std::fabs(phiHi - phiLo) > kPi) {
        if (phiLo > phiSeen)
            phiLo -= kTwoPi;
        else
            phiHi += kTwoPi;
    }

    Cell cell{};
    cell.azLo = std::uint32_t(azLo);
    cell.azHi = std::uint32_t(azHi);
    cell.elLo = std::uint32_t(elLo);
    cell.elHi = std::uint32_t(elHi);
    const double area = (phiHi - phiLo) * (thetaHi - thetaLo);
    if (std::fabs(area) < kTiny)
        return cell;
    cell.area = area;
    cell.weight[0] = (phiHi - phiSeen) * (thetaHi - thetaSeen);
    cell.weight[1] = (phiSeen - phiLo) * (thetaHi - thetaSeen);
    cell.weight[2] = (phiHi - phiSeen) * (thetaSeen - thetaLo);
    cell.weight[3] = (phiSeen - phiLo) * (thetaSeen - thetaLo);
    return cell;
}

void ResamplingPlan::resample(const TRcsValue* const* source, TRcsValue** target) const
{
    const Cell* cell = cells_.data();
    for (std::uint32_t a = 0; a < target_.countAz; ++a) {
        TRcsValue* row = target[a];
        for (std::uint32_t e = 0; e < target_.countEl; ++e, ++cell) {
            const TRcsValue v00 = source[cell->azLo][cell->elLo];
            if (cell->area == 0.0) {
                row[e] = v00;
                continue;
            }
            const TRcsValue v10 = source[cell->azHi][cell->elLo];
            const TRcsValue v01 = source[cell->azLo][cell->elHi];
            const TRcsValue v11 = source[cell->azHi][cell->elHi];
            const double* w = cell->weight;
            const double re = (w[0] * v00.real() + w[1] * v10.real() + w[2] * v01.real() + w[3] * v11.real()) /
                              cell->area;
            const double im = (w[0] * v00.imag() + w[1] * v10.imag() + w[2] * v01.imag() + w[3] * v11.imag()) /
                              cell->area;
            row[e] = TRcsValue(re, im);
        }
    }
}

} // namespace mtmmerge
