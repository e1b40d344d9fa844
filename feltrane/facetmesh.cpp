#include "facetmesh.h"

#include <Eigen/Geometry>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

namespace feltrane {

namespace {

Eigen::Vector3d position(const TFcoVertex& v)
{
    return {v.x, v.y, v.z};
}

std::uint32_t materialIndex(std::vector<MaterialValues>& materials, const MaterialValues& material)
{
    const auto found = std::find(materials.begin(), materials.end(), material);
    if (found != materials.end())
        return std::uint32_t(found - materials.begin());
    materials.push_back(material);
    return std::uint32_t(materials.size() - 1);
}

} // namespace

kalmeno::Result<FacetMesh> FacetMesh::fromPack(const PackView& pack)
{
    using R = kalmeno::Result<FacetMesh>;
    FacetMesh mesh;
    std::vector<std::int32_t> corners; // pack vertex index of each kept facet's corners
    mesh.facets_.reserve(pack.triangleCount());
    corners.reserve(std::size_t(pack.triangleCount()) * 3);
    MaterialValues lastMaterial{};
    std::uint32_t lastIndex = ~0u;
    for (std::uint32_t t = 0; t < pack.triangleCount(); ++t) {
        const TFcoTriangle& triangle = pack.triangle(t);
        const Eigen::Vector3d a = position(pack.vertex(triangle.a));
        const Eigen::Vector3d b = position(pack.vertex(triangle.b));
        const Eigen::Vector3d c = position(pack.vertex(triangle.c));
        const Eigen::Vector3d m = (a - b).cross(c - b);
        const double length = m.norm();
        if (!(length > 0.0) || !std::isfinite(length)) {
            ++mesh.skipped_;
            continue;
        }
        const MaterialValues material{triangle.epsilon, triangle.sigma, triangle.mu};
        // Neighbouring triangles mostly share their material; the table is searched only on a change.
        if (lastIndex == ~0u || !(material == lastMaterial)) {
            lastIndex = materialIndex(mesh.materials_, material);
            lastMaterial = material;
        }
        mesh.facets_.push_back({{}, m / length, (a + b + c) / 3.0, 0.5 * length, lastIndex});
        corners.insert(corners.end(), {triangle.a, triangle.b, triangle.c});
    }
    if (mesh.facets_.empty())
        return R::failure("none of the " + std::to_string(pack.triangleCount()) + " triangles covers any area");

    // Weld: corners at equal positions become one vertex.
    std::vector<std::uint32_t> order(corners.size());
    std::iota(order.begin(), order.end(), 0u);
    auto key = [&](std::uint32_t i) {
        const TFcoVertex& v = pack.vertex(corners[i]);
        return std::make_tuple(v.x, v.y, v.z);
    };
    std::sort(order.begin(), order.end(), [&](std::uint32_t l, std::uint32_t r) { return key(l) < key(r); });
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k == 0 || key(order[k - 1]) != key(order[k]))
            mesh.vertices_.push_back(position(pack.vertex(corners[order[k]])));
        mesh.facets_[order[k] / 3].vertices[order[k] % 3] = std::uint32_t(mesh.vertices_.size() - 1);
    }
    mesh.vertices_.shrink_to_fit();
    return R::success(std::move(mesh));
}

Eigen::Vector3d FacetMesh::lowerCorner() const
{
    Eigen::Vector3d corner = vertices_.front();
    for (const Eigen::Vector3d& v : vertices_)
        corner = corner.cwiseMin(v);
    return corner;
}

Eigen::Vector3d FacetMesh::upperCorner() const
{
    Eigen::Vector3d corner = vertices_.front();
    for (const Eigen::Vector3d& v : vertices_)
        corner = corner.cwiseMax(v);
    return corner;
}

} // namespace feltrane
