#pragma once
// Which side of each facet lies inside a closed surface: the inside of a closed, consistently
// wound body can never face the radar, so no shadow ray is needed to know that it is dark.

#include "facetmesh.h"

#include <cstdint>
#include <vector>

namespace feltrane {

// Per facet: +1 when the side its normal points to is inside a closed surface, −1 when the other
// side is, 0 when the facet is part of an open (or flat, or inconsistently wound) surface.
// A surface is closed when every edge joins exactly two of its facets, in opposite directions.
std::vector<std::int8_t> innerSides(const FacetMesh& mesh);

} // namespace feltrane
