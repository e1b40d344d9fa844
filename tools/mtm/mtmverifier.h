#pragma once
// The checks of `mtm verify`, made while the file streams by.

#include "mtmfilereader.h"
#include "result.h"

#include <cstddef>
#include <functional>
#include <string>

namespace mtm {

// Calls `report` once per problem (no file name), in file order: a distance that is not finite, a
// grid smaller than 2 × 2, then for each point its coordinates that are not finite and its
// amplitudes that are not (counted once per point). Gives the number of problems, or the reason
// the file could not be read to its end.
kalmeno::Result<std::size_t> verifyMtmFile(ostrell::MtmFileReader& file,
                                           const std::function<void(const std::string&)>& report);

} // namespace mtm
