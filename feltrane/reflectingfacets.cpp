#include "reflectingfacets.h"

namespace feltrane {

namespace {

template <typename T>
std::size_t bytes(const std::vector<T>& v)
{
    return v.capacity() * sizeof(T);
}

} // namespace

std::size_t ReflectingFacets::memoryBytes() const
{
    return bytes(normals) + bytes(planeOffsets) + bytes(materialOf) + bytes(pointOf) + bytes(materials) +
           bytes(points) + bytes(vertices);
}

ReflectingFacets ReflectingFacets::build(const FacetMesh& mesh, const CellPartition& cells, double wavelength,
                                         double diameter, double rayOffset)
{
    ReflectingFacets facets;
    const std::size_t count = mesh.facets().size();
    facets.normals.reserve(count);
    facets.planeOffsets.reserve(count);
    facets.materialOf.reserve(count);
    for (const Facet& facet : mesh.facets()) {
        facets.normals.push_back(facet.normal);
        facets.planeOffsets.push_back(facet.normal.dot(mesh.vertices()[facet.vertices[0]]));
        facets.materialOf.push_back(facet.material);
    }
    facets.pointOf.resize(count);
    for (std::uint32_t p = 0; p < cells.points.size(); ++p)
        for (std::uint32_t n = cells.cellBegin[p]; n < cells.cellBegin[p + 1]; ++n)
            facets.pointOf[cells.facetOrder[n]] = p;
    for (const MaterialValues& m : mesh.materials())
        facets.materials.push_back(Material::at(m.epsilon, m.sigma, m.mu, wavelength));
    facets.points = cells.points;
    facets.vertices = mesh.vertices();
    facets.diameter = diameter;
    facets.rayOffset = rayOffset;
    return facets;
}

} // namespace feltrane
