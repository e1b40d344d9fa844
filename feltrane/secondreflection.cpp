#include "secondreflection.h"

#include "facetcomponents.h"
#include "meshedges.h"

#include <cmath>
#include <vector>

namespace feltrane {

namespace {

// The corner of `facet` that is not on the edge low–high.
std::uint32_t farCorner(const Facet& facet, std::uint32_t low, std::uint32_t high)
{
    for (const std::uint32_t v : facet.vertices)
        if (v != low && v != high)
            return v;
    return facet.vertices[0];
}

} // namespace

bool allowsSecondReflection(const FacetMesh& mesh)
{
    const std::vector<Facet>& facets = mesh.facets();
    const std::vector<Eigen::Vector3d>& vertices = mesh.vertices();
    const double tolerance = 1e-9 * (mesh.upperCorner() - mesh.lowerCorner()).norm();
    auto height = [&](const Facet& facet, std::uint32_t v) {
        return facet.normal.dot(vertices[v] - vertices[facet.vertices[0]]);
    };

    const Facet& first = facets.front();
    bool flat = true;
    for (std::uint32_t v = 0; v < vertices.size() && flat; ++v)
        flat = std::fabs(height(first, v)) <= tolerance;
    if (flat)
        return false;

    // One closed body: every edge joins two facets wound against each other, all facets connected.
    const std::vector<MeshEdge> edges = sortedEdges(mesh);
    double volume = 0.0;
    for (const Facet& facet : facets)
        volume += facet.area * (facet.centroid - vertices[first.vertices[0]]).dot(facet.normal);
    const double outward = volume > 0.0 ? 1.0 : -1.0; // which way the normals point out
    FacetComponents components(facets.size());
    for (std::size_t e = 0; e < edges.size(); e += 2) {
        const MeshEdge& a = edges[e];
        const MeshEdge& b = e + 1 < edges.size() ? edges[e + 1] : a;
        const bool paired = &a != &b && a.low == b.low && a.high == b.high && a.forward != b.forward &&
                            (e + 2 == edges.size() || edges[e + 2].low != a.low || edges[e + 2].high != a.high);
        if (!paired)
            return true;
        // Convex along the edge: each facet's far corner lies behind the other's plane.
        const Facet& f = facets[a.facet];
        const Facet& g = facets[b.facet];
        if (outward * height(f, farCorner(g, a.low, a.high)) > tolerance ||
            outward * height(g, farCorner(f, a.low, a.high)) > tolerance)
            return true;
        components.join(a.facet, b.facet);
    }
    const std::uint32_t body = components.find(0);
    for (std::uint32_t f = 1; f < facets.size(); ++f)
        if (components.find(f) != body)
            return true;
    // A closed, connected surface that is convex along every edge bounds a convex body.
    return false;
}

} // namespace feltrane
