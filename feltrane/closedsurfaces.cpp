#include "closedsurfaces.h"

#include "facetcomponents.h"
#include "meshedges.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

namespace feltrane {

std::vector<std::int8_t> innerSides(const FacetMesh& mesh)
{
    const std::vector<Facet>& facets = mesh.facets();
    const std::vector<MeshEdge> edges = sortedEdges(mesh);
    FacetComponents components(facets.size());
    std::vector<std::uint8_t> open(facets.size(), 0);
    for (std::size_t begin = 0; begin < edges.size();) {
        std::size_t end = begin + 1;
        while (end < edges.size() && edges[end].low == edges[begin].low && edges[end].high == edges[begin].high)
            ++end;
        if (end - begin == 2 && edges[begin].forward != edges[begin + 1].forward) {
            components.join(edges[begin].facet, edges[begin + 1].facet);
        } else {
            for (std::size_t e = begin; e < end; ++e)
                open[edges[e].facet] = 1;
        }
        begin = end;
    }

    // Per component: open or not, and its volume (1/3)∮ r·n dA, positive when the normals point out.
    std::vector<double> volume(facets.size(), 0.0), area(facets.size(), 0.0);
    std::vector<std::uint8_t> componentOpen(facets.size(), 0);
    const Eigen::Vector3d origin = mesh.lowerCorner();
    for (std::uint32_t f = 0; f < facets.size(); ++f) {
        const std::uint32_t c = components.find(f);
        componentOpen[c] |= open[f];
        volume[c] += facets[f].area * (facets[f].centroid - origin).dot(facets[f].normal) / 3.0;
        area[c] += facets[f].area;
    }
    std::vector<std::int8_t> sides(facets.size(), 0);
    for (std::uint32_t f = 0; f < facets.size(); ++f) {
        const std::uint32_t c = components.find(f);
        // A closed surface without volume (two sheets back to back) has no inside.
        if (componentOpen[c] || !(std::fabs(volume[c]) > 1e-9 * area[c] * std::sqrt(area[c])))
            continue;
        sides[f] = volume[c] > 0.0 ? -1 : 1;
    }
    return sides;
}

} // namespace feltrane
