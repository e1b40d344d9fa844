#pragma once
// Writing a merged model: the .mtm layout with the record's own Przn (the library's save always
// writes 0), replacing the target the way every output of the tool and the window is replaced.

#include "result.h"
#include "tmtm.h"

#include <string>

namespace mtmmerge {

// Writes `mtm` to `path`: Przn, the number of points, the first point's grid (0 x 0 without
// points), distance, coordinates, amplitudes. Points on different grids are refused before
// anything is touched. The file is complete under a temporary name before it replaces `path`
// (written through a link, keeping the old file's mode; folders and devices refused), so a failed
// write leaves no partial file and an existing file as it was.
kalmeno::Status writeMergedMtm(const TMtm& mtm, const std::string& path);

} // namespace mtmmerge
