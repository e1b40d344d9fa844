#pragma once
// The facets as the bouncing rays see them, indexed like the ray scene: each facet's plane, its
// material and the scattering point its returns go to.

#include "cellpartition.h"
#include "facetmesh.h"
#include "material.h"

#include <Eigen/Core>

#include <cstdint>
#include <vector>

namespace feltrane {

struct ReflectingFacets {
    // Per facet, in the mesh's order.
    std::vector<Eigen::Vector3d> normals;   // unit, pointing out
    std::vector<double> planeOffsets;       // n·A of each facet's plane
    std::vector<std::uint32_t> materialOf;  // into materials
    std::vector<std::uint32_t> pointOf;     // into points: the cell of the facet's centroid

    std::vector<Material> materials;
    std::vector<Eigen::Vector3d> points;
    std::vector<Eigen::Vector3d> vertices;  // for the target's extent seen from each direction
    double diameter = 0.0;                  // of the target's enclosing sphere
    double rayOffset = 0.0;                 // how far off a facet a ray leaves it

    std::size_t memoryBytes() const;

    static ReflectingFacets build(const FacetMesh& mesh, const CellPartition& cells, double wavelength,
                                  double diameter, double rayOffset);
};

} // namespace feltrane
