#pragma once
// The pattern of a model whose points all lie on one grid (as in a file), computed a band of
// azimuth rows at a time: it holds one band's sums and the grid rows one point adds to them, never
// the model or the whole pattern, and gives the same values as computePattern to the bit.

#include "result.h"
#include "tmtm.h"

#include <cstddef>
#include <cstdint>
#include <functional>

// Grid rows [firstRow, firstRow + rowCount) of point `point`, row after row, into `destination`.
using PatternRowReader = std::function<kalmeno::Status(std::uint32_t point, std::uint32_t firstRow,
                                                       std::uint32_t rowCount, TRcsValue* destination)>;
// A finished band in dB: pattern rows [firstRow, firstRow + rowCount), row after row.
using PatternBandSink =
    std::function<kalmeno::Status(std::uint32_t firstRow, std::uint32_t rowCount, const double* decibels)>;

// Fails with computePattern's message for a model without points, and with the first failure of
// `readRows` or `takeBand`. An axis without samples gives no band. A band holds whole rows of
// about `bandCells` cells (at least one row).
kalmeno::Status computePatternInBands(std::uint32_t pointCount, std::uint32_t countAz, std::uint32_t countEl,
                                      const PatternRowReader& readRows, const PatternBandSink& takeBand,
                                      std::size_t bandCells = 65536);
