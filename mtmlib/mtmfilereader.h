#pragma once
// Reads an .mtm file a block at a time without building its model, so that checking, listing or
// summing a file of any size takes a few MB. It makes the checks of a full read: only a regular
// file, the size against the header, and every block present when it is read.

#include "filedescriptor.h"
#include "mtmfile.h"
#include "result.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ostrell {

class MtmFileReader {
public:
    static kalmeno::Result<MtmFileReader> open(const std::string& path);

    const MtmHeader& header() const { return header_; }
    // Values of one point's grid (countAz × countEl).
    std::uint64_t pointValues() const { return std::uint64_t(header_.countAz) * header_.countEl; }

    // x, y, z of points [firstPoint, firstPoint + count) into `xyz` (3 × count doubles).
    kalmeno::Status readCoordinates(std::uint64_t firstPoint, std::size_t count, double* xyz);
    // Values [firstValue, firstValue + count) of the amplitude block, counted in file order (point,
    // azimuth, elevation). Small reads near each other are served from one read-ahead block.
    kalmeno::Status readAmplitudes(std::uint64_t firstValue, std::size_t count, TRcsValue* values);

private:
    MtmFileReader() = default;
    bool readAt(std::uint64_t offset, std::size_t bytes, void* destination) const;

    platform::FileDescriptor file_;
    MtmHeader header_;
    std::uint64_t coordinatesAt_ = 0;
    std::uint64_t amplitudesAt_ = 0;
    std::vector<TRcsValue> ahead_;
    std::uint64_t aheadFirst_ = 0;
    std::size_t aheadCount_ = 0;
};

} // namespace ostrell
