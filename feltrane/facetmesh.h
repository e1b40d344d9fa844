#pragma once
// The usable triangles of a pack as facets: normals from the box-frame vertices, areas,
// centroids, and the vertices welded where their positions are equal.

#include "packview.h"
#include "result.h"

#include <Eigen/Core>

#include <array>
#include <cstdint>
#include <vector>

namespace feltrane {

// A material as the pack gives it (ε_r, σ in S/m, μ_r).
struct MaterialValues {
    float epsilon;
    float sigma;
    float mu;
    bool operator==(const MaterialValues& other) const
    {
        return epsilon == other.epsilon && sigma == other.sigma && mu == other.mu;
    }
};

struct Facet {
    std::array<std::uint32_t, 3> vertices; // into FacetMesh::vertices(), in the pack's order a, b, c
    Eigen::Vector3d normal;                // (A − B) × (C − B), unit length
    Eigen::Vector3d centroid;
    double area;
    std::uint32_t material;                // into FacetMesh::materials()
};

class FacetMesh {
public:
    // The pack's triangles without the degenerate ones (zero or non-finite area); fails when
    // none is left.
    static kalmeno::Result<FacetMesh> fromPack(const PackView& pack);

    const std::vector<Eigen::Vector3d>& vertices() const { return vertices_; }
    const std::vector<Facet>& facets() const { return facets_; }
    const std::vector<MaterialValues>& materials() const { return materials_; }
    std::uint32_t skippedTriangles() const { return skipped_; }

    // Corners of the axis-aligned box around the vertices.
    Eigen::Vector3d lowerCorner() const;
    Eigen::Vector3d upperCorner() const;

private:
    std::vector<Eigen::Vector3d> vertices_;
    std::vector<Facet> facets_;
    std::vector<MaterialValues> materials_;
    std::uint32_t skipped_ = 0;
};

} // namespace feltrane
