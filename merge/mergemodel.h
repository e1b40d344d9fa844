#pragma once
// One merge step: a base model plus a model moved to an anchor point, every moved point
// re-sampled onto the base's grid as seen on a sphere of radius R around the base origin.
// Failures are std::runtime_error with the message for the host log.

#include "resamplingplan.h"
#include "tmtm.h"

namespace mtmmerge {

// A new model: `base`'s points (their grids copied), then `model`'s points moved by `offset` and
// re-sampled onto the grid of base's first point; path, Przn, hidden and colour of `base`,
// distance `radius`. The caller releases the result's grids (ostrell::releaseMtmGrids).
TMtm mergeModel(const TMtm& base, const TMtm& model, AnchorOffset offset, double radius);

// The same step without copying what is already merged: checks `model` against `merged` (as
// mergeModel checks it against its base), then appends its moved points to `merged`, whose
// `distance` is the radius. Nothing is appended when it throws.
void appendMovedModel(TMtm& merged, const TMtm& model, AnchorOffset offset);

// A copy of `base` with its own grids and the distance `radius`, ready for appendMovedModel.
TMtm copyAsMergeBase(const TMtm& base, double radius);

} // namespace mtmmerge
