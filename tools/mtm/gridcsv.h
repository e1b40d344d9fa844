#pragma once
// One value per direction of an MTM grid as CSV: az_index,el_index,azimuth_deg,elevation_deg and
// the value, azimuth outer, numbers with 17 significant digits.

#include "result.h"

#include <string>
#include <vector>

namespace mtm {

// `values[a][e]`; `valueColumn` names the last column ("rcs_db"). A failed write leaves no file.
kalmeno::Status writeGridCsv(const std::string& path, const std::vector<std::vector<double>>& values,
                             const std::string& valueColumn);

} // namespace mtm
