#pragma once
// The box around the facets cut into countX × countY × countZ equal cells: each facet belongs to
// the cell of its centroid, each non-empty cell gives one scattering point.

#include "facetmesh.h"

#include <Eigen/Core>

#include <cstdint>
#include <vector>

namespace feltrane {

struct CellPartition {
    // The area-weighted centroid of each non-empty cell's facets, in increasing cell index
    // i + countX·(j + countY·k).
    std::vector<Eigen::Vector3d> points;
    // Facets of point p: facetOrder[cellBegin[p] … cellBegin[p + 1]), in the mesh's order.
    std::vector<std::uint32_t> facetOrder;
    std::vector<std::uint32_t> cellBegin;
};

// Counts of at least 1 each; only non-empty cells are ever stored, so any counts are fine.
CellPartition partitionIntoCells(const FacetMesh& mesh, std::int32_t countX, std::int32_t countY,
                                 std::int32_t countZ);

} // namespace feltrane
