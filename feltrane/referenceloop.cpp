#include "referenceloop.h"

#include "physicalconstants.h"
#include "triangleintegral.h"

namespace feltrane {

std::vector<std::complex<double>> referenceAmplitudes(const FacetMesh& mesh, const CellPartition& cells,
                                                      const std::vector<Material>& materials, double wavelength,
                                                      const Antenna& antenna, const Direction& direction)
{
    const Eigen::Vector3d w = 4.0 * kPi / wavelength * direction.towardsRadar;
    const Vector3c h = antenna.polarisation(direction);
    std::vector<std::complex<double>> amplitudes(cells.points.size());
    for (std::size_t p = 0; p < cells.points.size(); ++p) {
        const Eigen::Vector3d& point = cells.points[p];
        for (std::uint32_t n = cells.cellBegin[p]; n < cells.cellBegin[p + 1]; ++n) {
            const Facet& facet = mesh.facets()[cells.facetOrder[n]];
            const double cosine = facet.normal.dot(direction.towardsRadar);
            if (cosine <= 0.0)
                continue;
            const double psi0 = w.dot(mesh.vertices()[facet.vertices[0]] - point);
            const double psi1 = w.dot(mesh.vertices()[facet.vertices[1]] - point);
            const double psi2 = w.dot(mesh.vertices()[facet.vertices[2]] - point);
            const std::complex<double> rho = coPolarFactor(materials[facet.material], facet.normal,
                                                           direction.towardsRadar, h, antenna.selfProduct());
            amplitudes[p] += rho * cosine * 2.0 * facet.area * triangleIntegral(psi0, psi1, psi2) / wavelength;
        }
    }
    return amplitudes;
}

} // namespace feltrane
