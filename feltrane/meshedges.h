#pragma once
// The edges of a mesh's facets between welded vertices, for finding which facets join.

#include "facetmesh.h"

#include <cstdint>
#include <vector>

namespace feltrane {

struct MeshEdge {
    std::uint32_t low, high; // welded vertex ids
    std::uint32_t facet;
    bool forward;            // runs low → high in the facet's winding
};

// Every facet's three edges, sorted so that the edges between the same two vertices are neighbours.
std::vector<MeshEdge> sortedEdges(const FacetMesh& mesh);

} // namespace feltrane
