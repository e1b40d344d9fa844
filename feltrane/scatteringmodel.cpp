#include "scatteringmodel.h"

#include "physicalconstants.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace feltrane {

namespace {

template <typename T>
std::size_t bytes(const std::vector<T>& v)
{
    return v.capacity() * sizeof(T);
}

} // namespace

std::size_t ScatteringModel::memoryBytes() const
{
    return bytes(points) + bytes(cellBegin) + bytes(vertexX) + bytes(vertexY) + bytes(vertexZ) + bytes(corner0) +
           bytes(corner1) + bytes(corner2) + bytes(normalX) + bytes(normalY) + bytes(normalZ) + bytes(centroidX) +
           bytes(centroidY) + bytes(centroidZ) + bytes(twiceArea) + bytes(material) + bytes(materials) +
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

    for (const MaterialValues& m : mesh.materials()) {
        model.materials.push_back(Material::at(m.epsilon, m.sigma, m.mu, wavelength));
        model.allPerfectConductors = model.allPerfectConductors && model.materials.back().perfectConductor;
    }

    const std::size_t facetCount = cells.facetOrder.size();
    for (auto* v : {&model.corner0, &model.corner1, &model.corner2, &model.material})
        v->reserve(facetCount);
    for (auto* v : {&model.normalX, &model.normalY, &model.normalZ, &model.centroidX, &model.centroidY,
                    &model.centroidZ, &model.twiceArea, &model.epsilonRe, &model.epsilonIm, &model.mu})
        v->reserve(facetCount);
    model.perfectConductor.reserve(facetCount);

    double largestCoordinate = 0.0;
    std::vector<std::uint32_t> local; // the cell's welded vertex ids, sorted
    for (std::size_t p = 0; p < cells.points.size(); ++p) {
        local.clear();
        for (std::uint32_t n = cells.cellBegin[p]; n < cells.cellBegin[p + 1]; ++n)
            for (const std::uint32_t v : mesh.facets()[cells.facetOrder[n]].vertices)
                local.push_back(v);
        std::sort(local.begin(), local.end());
        local.erase(std::unique(local.begin(), local.end()), local.end());

        const auto base = std::uint32_t(model.vertexX.size());
        const Eigen::Vector3d& point = cells.points[p];
        for (const std::uint32_t v : local) {
            const Eigen::Vector3d& r = mesh.vertices()[v];
            model.vertexX.push_back(r.x() - point.x());
            model.vertexY.push_back(r.y() - point.y());
            model.vertexZ.push_back(r.z() - point.z());
            largestCoordinate = std::max(largestCoordinate, r.cwiseAbs().maxCoeff());
        }
        auto localIndex = [&](std::uint32_t v) {
            return base + std::uint32_t(std::lower_bound(local.begin(), local.end(), v) - local.begin());
        };
        for (std::uint32_t n = cells.cellBegin[p]; n < cells.cellBegin[p + 1]; ++n) {
            const Facet& facet = mesh.facets()[cells.facetOrder[n]];
            model.corner0.push_back(localIndex(facet.vertices[0]));
            model.corner1.push_back(localIndex(facet.vertices[1]));
            model.corner2.push_back(localIndex(facet.vertices[2]));
            model.normalX.push_back(facet.normal.x());
            model.normalY.push_back(facet.normal.y());
            model.normalZ.push_back(facet.normal.z());
            model.centroidX.push_back(facet.centroid.x());
            model.centroidY.push_back(facet.centroid.y());
            model.centroidZ.push_back(facet.centroid.z());
            model.twiceArea.push_back(2.0 * facet.area);
            model.material.push_back(facet.material);
            const Material& m = model.materials[facet.material];
            model.epsilonRe.push_back(m.epsilon.real());
            model.epsilonIm.push_back(m.epsilon.imag());
            model.mu.push_back(m.mu);
            model.perfectConductor.push_back(m.perfectConductor ? 1 : 0);
        }
    }
    // Clear of the facet's own plane in single precision, and negligible against the target.
    model.rayOffset = 1e-6 * extent + 8.0 * FLT_EPSILON * largestCoordinate;
    return model;
}

} // namespace feltrane
