#pragma once
// The facets laid out for the per-direction sweep: grouped by scattering point, as flat arrays,
// each cell with its own copy of its vertices relative to the cell's point (so every phase is
// referred to the point it belongs to, and a vertex shared inside a cell is computed once).

#include "cellpartition.h"
#include "facetmesh.h"
#include "material.h"

#include <Eigen/Core>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace feltrane {

struct ScatteringModel {
    double wavelength = 0.0;
    double waveNumber = 0.0; // k = 2π/λ

    std::vector<Eigen::Vector3d> points;
    std::vector<std::uint32_t> cellBegin; // facets of point p: cellBegin[p] … cellBegin[p + 1]

    // Cell-local vertices: position minus the cell's point.
    std::vector<double> vertexX, vertexY, vertexZ;

    // Facets, grouped by point.
    std::vector<std::uint32_t> corner0, corner1, corner2; // cell-local vertex indices
    std::vector<double> normalX, normalY, normalZ;
    std::vector<double> centroidX, centroidY, centroidZ;
    std::vector<double> twiceArea;
    std::vector<std::uint32_t> material; // into materials

    std::vector<Material> materials;     // at the wavelength
    bool allPerfectConductors = true;
    // Complex permittivity and permeability per facet, so the reflection loop reads them in order.
    std::vector<double> epsilonRe, epsilonIm, mu;
    std::vector<std::uint8_t> perfectConductor;

    // Distance from a facet's plane at which its shadow ray starts.
    double rayOffset = 0.0;

    std::size_t pointCount() const { return points.size(); }
    std::size_t facetCount() const { return twiceArea.size(); }
    std::size_t vertexCount() const { return vertexX.size(); }
    // Bytes held by the arrays above.
    std::size_t memoryBytes() const;

    // `extent`: the target's diameter, which scales the shadow rays' start offset.
    static ScatteringModel build(const FacetMesh& mesh, const CellPartition& cells, double wavelength,
                                 double extent);
};

} // namespace feltrane
