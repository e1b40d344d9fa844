#include "scatteringmodel.h"

#include "closedsurfaces.h"
#include "physicalconstants.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace feltrane {

namespace {

template <typename T>
std::size_t bytes(const std::vector<T>& v)
{
    return v.capacity() * sizeof(T);
}

// Spreads the low 21 bits of v to every third bit.
std::uint64_t spread(std::uint64_t v)
{
    v &= 0x1fffff;
    v = (v | v << 32) & 0x1f00000000ffffULL;
    v = (v | v << 16) & 0x1f0000ff0000ffULL;
    v = (v | v << 8) & 0x100f00f00f00f00fULL;
    v = (v | v << 4) & 0x10c30c30c30c30c3ULL;
    v = (v | v << 2) & 0x1249249249249249ULL;
    return v;
}

// Position along the Z-order curve through the box.
std::uint64_t mortonCode(const Eigen::Vector3d& p, const Eigen::Vector3d& lower, const Eigen::Vector3d& size)
{
    std::uint64_t code = 0;
    for (int k = 0; k < 3; ++k) {
        const double t = size[k] > 0.0 ? (p[k] - lower[k]) / size[k] : 0.0;
        code |= spread(std::uint64_t(std::clamp(t, 0.0, 1.0) * 2097151.0)) << k;
    }
    return code;
}

} // namespace

std::size_t ScatteringModel::memoryBytes() const
{
    return bytes(points) + bytes(cellBegin) + bytes(chunks) + bytes(vertexX) + bytes(vertexY) + bytes(vertexZ) +
           bytes(corner0) + bytes(corner1) + bytes(corner2) + bytes(normalX) + bytes(normalY) + bytes(normalZ) +
           bytes(centroidX) + bytes(centroidY) + bytes(centroidZ) + bytes(twiceArea) + bytes(innerSide) +
           bytes(epsilonRe) + bytes(epsilonIm) + bytes(mu) + bytes(perfectConductor);
}

ScatteringModel ScatteringModel::build(const FacetMesh& mesh, const CellPartition& cells, double wavelength,
                                       double extent)
{
    ScatteringModel model;
    model.wavelength = wavelength;
    model.waveNumber = 2.0 * kPi / wavelength;
    model.points = cells.points;
    model.cellBegin = cells.cellBegin;

    std::vector<Material> materials;
    for (const MaterialValues& m : mesh.materials()) {
        materials.push_back(Material::at(m.epsilon, m.sigma, m.mu, wavelength));
        model.allPerfectConductors = model.allPerfectConductors && materials.back().perfectConductor;
    }
    const std::vector<std::int8_t> inner = innerSides(mesh);

    // Facets of each cell along the Z-order curve.
    const Eigen::Vector3d lower = mesh.lowerCorner(), size = mesh.upperCorner() - lower;
    std::vector<std::uint32_t> order = cells.facetOrder;
    std::vector<std::uint64_t> codes(mesh.facets().size());
    for (std::size_t f = 0; f < codes.size(); ++f)
        codes[f] = mortonCode(mesh.facets()[f].centroid, lower, size);
    for (std::size_t p = 0; p < cells.points.size(); ++p)
        std::stable_sort(order.begin() + cells.cellBegin[p], order.begin() + cells.cellBegin[p + 1],
                         [&](std::uint32_t l, std::uint32_t r) { return codes[l] < codes[r]; });
    codes = {};

    const std::size_t facetCount = order.size();
    for (auto* v : {&model.corner0, &model.corner1, &model.corner2})
        v->reserve(facetCount);
    for (auto* v : {&model.normalX, &model.normalY, &model.normalZ, &model.centroidX, &model.centroidY,
                    &model.centroidZ, &model.twiceArea, &model.epsilonRe, &model.epsilonIm, &model.mu})
        v->reserve(facetCount);
    model.perfectConductor.reserve(facetCount);
    model.innerSide.reserve(facetCount);

    double largestCoordinate = 0.0;
    // Cell-local vertex of each welded vertex, valid while stamp equals the cell's number + 1.
    std::vector<std::uint32_t> localOf(mesh.vertices().size()), stamp(mesh.vertices().size(), 0);
    for (std::size_t p = 0; p < cells.points.size(); ++p) {
        const Eigen::Vector3d& point = cells.points[p];
        auto local = [&](std::uint32_t v) {
            if (stamp[v] != p + 1) {
                stamp[v] = std::uint32_t(p + 1);
                localOf[v] = std::uint32_t(model.vertexX.size());
                const Eigen::Vector3d& r = mesh.vertices()[v];
                model.vertexX.push_back(r.x() - point.x());
                model.vertexY.push_back(r.y() - point.y());
                model.vertexZ.push_back(r.z() - point.z());
                largestCoordinate = std::max(largestCoordinate, r.cwiseAbs().maxCoeff());
            }
            return localOf[v];
        };
        for (std::uint32_t n = cells.cellBegin[p]; n < cells.cellBegin[p + 1]; ++n) {
            const Facet& facet = mesh.facets()[order[n]];
            model.corner0.push_back(local(facet.vertices[0]));
            model.corner1.push_back(local(facet.vertices[1]));
            model.corner2.push_back(local(facet.vertices[2]));
            model.normalX.push_back(facet.normal.x());
            model.normalY.push_back(facet.normal.y());
            model.normalZ.push_back(facet.normal.z());
            model.centroidX.push_back(facet.centroid.x());
            model.centroidY.push_back(facet.centroid.y());
            model.centroidZ.push_back(facet.centroid.z());
            model.twiceArea.push_back(2.0 * facet.area);
            model.innerSide.push_back(inner[order[n]]);
            const Material& m = materials[facet.material];
            model.epsilonRe.push_back(m.epsilon.real());
            model.epsilonIm.push_back(m.epsilon.imag());
            model.mu.push_back(m.mu);
            model.perfectConductor.push_back(m.perfectConductor ? 1 : 0);
        }
    }

    std::uint32_t point = 0;
    for (std::uint32_t begin = 0; begin < facetCount; begin += kChunk) {
        const std::uint32_t end = std::min<std::uint32_t>(begin + kChunk, std::uint32_t(facetCount));
        Chunk chunk{begin, end, std::numeric_limits<std::uint32_t>::max(), 0, 0};
        for (std::uint32_t f = begin; f < end; ++f)
            for (const std::uint32_t v : {model.corner0[f], model.corner1[f], model.corner2[f]}) {
                chunk.vertexBegin = std::min(chunk.vertexBegin, v);
                chunk.vertexEnd = std::max(chunk.vertexEnd, v + 1);
            }
        while (begin >= model.cellBegin[point + 1])
            ++point;
        chunk.firstPoint = point;
        model.chunks.push_back(chunk);
        model.largestWindow = std::max(model.largestWindow, chunk.vertexEnd - chunk.vertexBegin);
    }
    // Clear of the facet's own plane in single precision, and negligible against the target.
    model.rayOffset = 1e-6 * extent + 8.0 * FLT_EPSILON * largestCoordinate;
    return model;
}

} // namespace feltrane
