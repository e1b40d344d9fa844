#include "raygrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace feltrane {

RayGrid RayGrid::over(const std::vector<Eigen::Vector3d>& vertices, double diameter, const Direction& direction,
                      double spacing)
{
    const Eigen::Vector3d& d = direction.towardsRadar;
    const Eigen::Vector3d& u = direction.thetaHat;
    const Eigen::Vector3d& v = direction.phiHat;
    constexpr double inf = std::numeric_limits<double>::infinity();
    double uLow = inf, uHigh = -inf, vLow = inf, vHigh = -inf, nearest = -inf;
    for (const Eigen::Vector3d& r : vertices) {
        const double a = u.dot(r), b = v.dot(r);
        uLow = std::min(uLow, a), uHigh = std::max(uHigh, a);
        vLow = std::min(vLow, b), vHigh = std::max(vHigh, b);
        nearest = std::max(nearest, d.dot(r));
    }
    RayGrid grid;
    grid.countU = std::max<std::uint64_t>(1, std::uint64_t(std::ceil((uHigh - uLow) / spacing)));
    grid.countV = std::max<std::uint64_t>(1, std::uint64_t(std::ceil((vHigh - vLow) / spacing)));
    grid.stepU = spacing * u;
    grid.stepV = spacing * v;
    // Centred on the extent: the outermost rays lie within half a spacing of its edges.
    const double firstU = 0.5 * (uLow + uHigh) - 0.5 * double(grid.countU - 1) * spacing;
    const double firstV = 0.5 * (vLow + vHigh) - 0.5 * double(grid.countV - 1) * spacing;
    grid.corner = (nearest + 0.01 * diameter + spacing) * d + firstU * u + firstV * v;
    return grid;
}

} // namespace feltrane
