#pragma once
// The checks of `mtm verify` on a record already read.

#include "tmtm.h"

#include <string>
#include <vector>

namespace mtm {

// One line per problem (no file name): values that are not finite (the distance, each coordinate,
// a point's amplitudes counted once per point), a first grid smaller than 2 × 2, and every point
// whose grid differs from the first point's. Empty when the model is sound.
std::vector<std::string> findMtmProblems(const TMtm& mtm);

} // namespace mtm
