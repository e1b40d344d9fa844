#pragma once
// Reading and writing .mtm files: the numeric core behind Ostrell's exports and the mtm tool.
// Every failure carries a reason that names what was wrong.

#include "result.h"
#include "tmtm.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace ostrell {

enum class MtmLayout {
    Current, // 24-byte header: Przn, N, A, B, distance
    Legacy,  // 20-byte header without Przn (read only)
};

struct MtmHeader {
    MtmLayout layout = MtmLayout::Current;
    std::int32_t przn = 0;
    std::uint32_t pointCount = 0;
    std::uint32_t countAz = 0;
    std::uint32_t countEl = 0;
    double distance = 0.0;
    std::uint64_t fileSize = 0;
};

// Bytes a file of this shape must have; nullopt when the size does not fit in 64 bits.
std::optional<std::uint64_t> mtmFileSize(MtmLayout layout, std::uint32_t pointCount,
                                         std::uint32_t countAz, std::uint32_t countEl);

// The file's size in bytes, or the reason it cannot be queried.
kalmeno::Result<std::uint64_t> fileSizeOf(const std::string& path);

// Bytes of the current header; a legacy file's header is 4 bytes shorter.
constexpr std::uint64_t kMtmHeaderBytes = 24;

// Interprets the first 24 bytes of a file of `fileSize` bytes: the current layout first, then the
// legacy one. Rejects sizes that fit neither, headers whose size does not fit in 64 bits, and
// empty grids whose row tables alone would outweigh the file.
kalmeno::Result<MtmHeader> parseMtmHeader(const unsigned char* first24, std::uint64_t fileSize);

// Reads and validates the header only (the size check of a full read).
kalmeno::Result<MtmHeader> readMtmHeader(const std::string& path);

// Delivers the next `bytes` bytes of a file into `destination`, or false when they cannot be had.
using MtmByteReader = std::function<bool(void* destination, std::size_t bytes)>;

// Whether a read asks the kernel for huge pages for the block that holds its grids (bench/mtmlib
// measures it).
constexpr bool kGridsOnHugePages = true;

// Reads a whole file. On failure nothing stays allocated. The points' grids come from one
// allocateRcsGrids block; the caller owns them (releaseMtmGrids).
kalmeno::Result<TMtm> readMtmFile(const std::string& path, MtmHeader* header = nullptr,
                                  bool hugePages = kGridsOnHugePages);

// The blocks after a checked header: coordinates, then the amplitudes straight into one block of
// grids (allocateRcsGrids). A reader that fails part-way (a file changed after its size was
// checked) yields a failure and nothing stays allocated.
kalmeno::Result<TMtm> readMtmBody(const MtmHeader& header, const MtmByteReader& read,
                                  bool hugePages = kGridsOnHugePages);

// The same read over the bytes of a file already in memory; `path` of the result stays empty.
kalmeno::Result<TMtm> readMtmBuffer(const void* data, std::size_t size, MtmHeader* header = nullptr);

// Writes the current layout: header (przn, count, countAz, countEl, distance), coordinates,
// then countAz × countEl amplitudes of every point, into `path` as it is (created or truncated;
// anything but a regular file is refused). A partly written file is removed when this call
// created it. Callers that replace a file write to a FileReplacement's temporary path.
kalmeno::Status writeMtmFile(const std::string& path, const TMtmSavePoint* points, std::uint32_t count,
                             std::uint32_t countAz, std::uint32_t countEl, double distance,
                             std::int32_t przn = 0);

// Releases the grid of every point of `mtm` and clears its points.
void releaseMtmGrids(TMtm& mtm);

} // namespace ostrell
