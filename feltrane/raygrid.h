#pragma once
// The parallel rays shot at the target from one direction: a square grid over the target's
// extent as the radar sees it, starting in front of its nearest vertex.

#include "directiongrid.h"

#include <Eigen/Core>

#include <cstdint>
#include <vector>

namespace feltrane {

struct RayGrid {
    Eigen::Vector3d corner; // start of ray 0
    Eigen::Vector3d stepU;  // Δθ̂: from ray (i, j) to (i + 1, j)
    Eigen::Vector3d stepV;  // Δφ̂
    std::uint64_t countU = 0;
    std::uint64_t countV = 0;

    std::uint64_t count() const { return countU * countV; }
    // Rays go along u first: ray = i + countU·j.
    Eigen::Vector3d start(std::uint64_t ray) const
    {
        return corner + double(ray % countU) * stepU + double(ray / countU) * stepV;
    }

    // Rays `spacing` apart across the extent of `vertices` seen from `direction`; the target's
    // diameter sets how far in front they start. The extent over spacing must stay below 2³¹.
    static RayGrid over(const std::vector<Eigen::Vector3d>& vertices, double diameter, const Direction& direction,
                        double spacing);
};

} // namespace feltrane
