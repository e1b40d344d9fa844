#pragma once
// The facets laid out for the per-direction sweep: grouped by scattering point, as flat arrays,
// each cell with its own copy of its vertices relative to the cell's point (so every phase is
// referred to the point it belongs to, and a vertex shared inside a cell is computed once).
// Inside a cell the facets follow a space-filling curve and the vertices their first use, so that
// a run of facets touches a short run of vertices: the sweep works through the facets in chunks
// that stay in cache while several directions are computed on them.

#include "cellpartition.h"
#include "facetmesh.h"
#include "material.h"

#include <Eigen/Core>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace feltrane {

struct ScatteringModel {
    // Facets per chunk.
    static constexpr std::uint32_t kChunk = 1024;

    // A run of facets and the window of cell-local vertices they use.
    struct Chunk {
        std::uint32_t facetBegin, facetEnd;
        std::uint32_t vertexBegin, vertexEnd;
        std::uint32_t firstPoint; // the point of facetBegin
    };

    double wavelength = 0.0;
    double waveNumber = 0.0; // k = 2π/λ

    std::vector<Eigen::Vector3d> points;
    std::vector<std::uint32_t> cellBegin; // facets of point p: cellBegin[p] … cellBegin[p + 1]
    std::vector<Chunk> chunks;
    std::uint32_t largestWindow = 0;      // vertices of the widest chunk window

    // Cell-local vertices: position minus the cell's point.
    std::vector<double> vertexX, vertexY, vertexZ;

    // Facets, grouped by point.
    std::vector<std::uint32_t> corner0, corner1, corner2; // cell-local vertex indices
    std::vector<double> normalX, normalY, normalZ;
    std::vector<double> centroidX, centroidY, centroidZ;
    std::vector<double> twiceArea;
    std::vector<std::int8_t> innerSide; // see closedsurfaces.h

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
