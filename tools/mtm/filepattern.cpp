#include "filepattern.h"

namespace mtm {

kalmeno::Status computeFilePattern(ostrell::MtmFileReader& file, const PatternBandSink& takeBand)
{
    const ostrell::MtmHeader& header = file.header();
    const std::uint64_t pointValues = file.pointValues();
    return computePatternInBands(
        header.pointCount, header.countAz, header.countEl,
        [&](std::uint32_t point, std::uint32_t firstRow, std::uint32_t rowCount, TRcsValue* destination) {
            return file.readAmplitudes(point * pointValues + std::uint64_t(firstRow) * header.countEl,
                                       std::size_t(rowCount) * header.countEl, destination);
        },
        takeBand);
}

} // namespace mtm
