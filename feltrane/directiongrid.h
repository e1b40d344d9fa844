#pragma once
// The azimuth × elevation grid of an MTM and the radar direction of each of its samples.

#include "result.h"

#include <Eigen/Core>

#include <cstdint>

namespace feltrane {

// One sample's direction from the target towards the radar, with its polarisation basis.
struct Direction {
    Eigen::Vector3d towardsRadar; // d
    Eigen::Vector3d thetaHat;     // ∂d/∂θ
    Eigen::Vector3d phiHat;       // ∂d/∂φ / cos θ
};

class DirectionGrid {
public:
    // The grid the MTM library derives from the steps (degrees); at least 2 × 2 samples.
    static kalmeno::Result<DirectionGrid> fromSteps(double psiStepDegrees, double tetaStepDegrees);
    // The grid of a stored model.
    static kalmeno::Result<DirectionGrid> fromCounts(std::uint32_t countAz, std::uint32_t countEl);

    std::uint32_t countAz() const { return countAz_; }
    std::uint32_t countEl() const { return countEl_; }
    double azimuth(std::uint32_t a) const;   // radians, 0 … 2π
    double elevation(std::uint32_t e) const; // radians, −π/2 … π/2
    Direction direction(std::uint32_t a, std::uint32_t e) const;

    // The sample that stands for (a, e): the last row repeats row 0, and every sample of a pole
    // repeats the pole's sample in row 0. Computing only these keeps the repeats bit-identical.
    bool isCanonical(std::uint32_t a, std::uint32_t e) const;
    std::uint32_t canonicalRow(std::uint32_t a, std::uint32_t e) const;

private:
    DirectionGrid(std::uint32_t countAz, std::uint32_t countEl) : countAz_(countAz), countEl_(countEl) {}
    std::uint32_t countAz_;
    std::uint32_t countEl_;
};

} // namespace feltrane
