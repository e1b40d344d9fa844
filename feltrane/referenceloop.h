#pragma once
// The plain form of the computation: for every facet and direction, three complex exponentials,
// the triangle integral and the reflection factor from the vectors. Slow and simple; the tests and
// the benchmark measure the sweep against it. One-sided: only the outward side is lit.

#include "antenna.h"
#include "cellpartition.h"
#include "directiongrid.h"
#include "facetmesh.h"
#include "material.h"

#include <complex>
#include <vector>

namespace feltrane {

std::vector<std::complex<double>> referenceAmplitudes(const FacetMesh& mesh, const CellPartition& cells,
                                                      const std::vector<Material>& materials, double wavelength,
                                                      const Antenna& antenna, const Direction& direction);

} // namespace feltrane
