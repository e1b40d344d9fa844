#pragma once
// One value per direction of an MTM grid as CSV: az_index,el_index,azimuth_deg,elevation_deg and
// the value, azimuth outer, numbers with 17 significant digits.

#include "result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mtm {

// The first line; `valueColumn` names the last column ("rcs_db").
std::string gridCsvHeader(const std::string& valueColumn);

// The lines of grid rows [firstRow, firstRow + rowCount) of a countAz × countEl grid, whose values
// come row after row: a grid can be written a band at a time.
std::string gridCsvRows(std::uint32_t countAz, std::uint32_t countEl, std::uint32_t firstRow, std::uint32_t rowCount,
                        const double* values);

// `values[a][e]`, written the safe way (bufferedoutput.h): a failed write leaves an existing file
// as it was.
kalmeno::Status writeGridCsv(const std::string& path, const std::vector<std::vector<double>>& values,
                             const std::string& valueColumn);

} // namespace mtm
