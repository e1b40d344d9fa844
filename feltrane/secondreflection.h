#pragma once
// Whether a ray can meet the target twice. It cannot when the target is flat (every facet in one
// plane) or one closed convex body: a ray leaving a facet then runs away from all the others.

#include "facetmesh.h"

namespace feltrane {

bool allowsSecondReflection(const FacetMesh& mesh);

} // namespace feltrane
