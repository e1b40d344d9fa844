#include "cellpartition.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace feltrane {

namespace {

std::uint32_t cellOnAxis(double value, double lower, double upper, std::int32_t count)
{
    const double extent = upper - lower;
    if (!(extent > 0.0))
        return 0;
    const double cell = std::floor((value - lower) / extent * count);
    return std::uint32_t(std::clamp(cell, 0.0, double(count - 1)));
}

} // namespace

CellPartition partitionIntoCells(const FacetMesh& mesh, std::int32_t countX, std::int32_t countY,
                                 std::int32_t countZ)
{
    const Eigen::Vector3d lower = mesh.lowerCorner();
    const Eigen::Vector3d upper = mesh.upperCorner();
    const std::vector<Facet>& facets = mesh.facets();
    // (k, j, i): sorting by it gives increasing i + countX·(j + countY·k) without overflow.
    std::vector<std::array<std::uint32_t, 3>> cells(facets.size());
    for (std::size_t f = 0; f < facets.size(); ++f) {
        const Eigen::Vector3d& c = facets[f].centroid;
        cells[f] = {cellOnAxis(c.z(), lower.z(), upper.z(), countZ), cellOnAxis(c.y(), lower.y(), upper.y(), countY),
                    cellOnAxis(c.x(), lower.x(), upper.x(), countX)};
    }
    CellPartition partition;
    partition.facetOrder.resize(facets.size());
    std::iota(partition.facetOrder.begin(), partition.facetOrder.end(), 0u);
    std::stable_sort(partition.facetOrder.begin(), partition.facetOrder.end(),
                     [&](std::uint32_t l, std::uint32_t r) { return cells[l] < cells[r]; });

    for (std::size_t n = 0; n < partition.facetOrder.size(); ++n) {
        const std::uint32_t f = partition.facetOrder[n];
        if (n == 0 || cells[partition.facetOrder[n - 1]] != cells[f]) {
            partition.cellBegin.push_back(std::uint32_t(n));
            partition.points.push_back(Eigen::Vector3d::Zero());
        }
    }
    partition.cellBegin.push_back(std::uint32_t(facets.size()));
    for (std::size_t p = 0; p < partition.points.size(); ++p) {
        Eigen::Vector3d weighted = Eigen::Vector3d::Zero();
        double area = 0.0;
        for (std::uint32_t n = partition.cellBegin[p]; n < partition.cellBegin[p + 1]; ++n) {
            const Facet& facet = facets[partition.facetOrder[n]];
            weighted += facet.area * facet.centroid;
            area += facet.area;
        }
        partition.points[p] = weighted / area;
    }
    return partition;
}

} // namespace feltrane
