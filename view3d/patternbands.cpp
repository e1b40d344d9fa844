#include "patternbands.h"

#include "patternaccumulation.h"
#include "patternstencil.h"

#include <algorithm>
#include <cstddef>
#include <vector>

kalmeno::Status computePatternInBands(std::uint32_t pointCount, std::uint32_t countAz, std::uint32_t countEl,
                                      const PatternRowReader& readRows, const PatternBandSink& takeBand,
                                      std::size_t bandCells)
{
    if (pointCount == 0)
        return kalmeno::Status::failure("Error: Model is empty, cannot calculate RCS.");
    if (countAz == 0 || countEl == 0)
        return kalmeno::Status::success();

    const auto rowsPerBand = static_cast<std::uint32_t>(std::max<std::size_t>(1, bandCells / countEl));
    std::vector<double> sums;
    std::vector<double> decibels;
    std::vector<TRcsValue> gridRows;
    std::vector<const TRcsValue*> rowTable;
    for (std::uint32_t first = 0; first < countAz; first += std::min(rowsPerBand, countAz - first)) {
        const std::uint32_t bandRows = std::min(rowsPerBand, countAz - first);
        PatternStencil stencil(countAz, countEl, countAz, countEl, first, first + bandRows);
        // The grid rows this band reads, in runs of neighbouring rows, each run one read.
        const std::vector<std::uint32_t> rows = stencil.azimuthRows();
        stencil.renumberAzimuthRows(rows);
        gridRows.resize(rows.size() * std::size_t(countEl));
        rowTable.resize(rows.size());
        for (std::size_t k = 0; k < rows.size(); ++k)
            rowTable[k] = gridRows.data() + k * countEl;

        sums.assign(std::size_t(bandRows) * countEl * 2, 0.0);
        for (std::uint32_t point = 0; point < pointCount; ++point) {
            for (std::size_t start = 0; start < rows.size();) {
                std::size_t end = start + 1;
                while (end < rows.size() && rows[end] == rows[end - 1] + 1)
                    ++end;
                const auto read = readRows(point, rows[start], static_cast<std::uint32_t>(end - start),
                                           gridRows.data() + start * countEl);
                if (!read)
                    return read;
                start = end;
            }
            accumulatePatternRows({rowTable.data(), &stencil}, 0, bandRows, countEl, sums.data());
        }

        decibels.resize(std::size_t(bandRows) * countEl);
        for (std::size_t cell = 0; cell < decibels.size(); ++cell)
            decibels[cell] = patternDecibels(sums[2 * cell], sums[2 * cell + 1]);
        if (auto taken = takeBand(first, bandRows, decibels.data()); !taken)
            return taken;
    }
    return kalmeno::Status::success();
}
