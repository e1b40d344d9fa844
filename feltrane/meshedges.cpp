#include "meshedges.h"

#include <algorithm>
#include <tuple>

namespace feltrane {

std::vector<MeshEdge> sortedEdges(const FacetMesh& mesh)
{
    const std::vector<Facet>& facets = mesh.facets();
    std::vector<MeshEdge> edges;
    edges.reserve(3 * facets.size());
    for (std::uint32_t f = 0; f < facets.size(); ++f)
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t u = facets[f].vertices[k], v = facets[f].vertices[(k + 1) % 3];
            edges.push_back({std::min(u, v), std::max(u, v), f, u < v});
        }
    std::sort(edges.begin(), edges.end(), [](const MeshEdge& l, const MeshEdge& r) {
        return std::tie(l.low, l.high) < std::tie(r.low, r.high);
    });
    return edges;
}

} // namespace feltrane
