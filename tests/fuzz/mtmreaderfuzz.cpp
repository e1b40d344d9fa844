// libFuzzer target: any bytes as an .mtm file, read whole from memory and streamed block by block
// from a file of the same bytes. A read that succeeds must describe exactly the input, and both
// readers must agree on every value.

#include "mtmfile.h"
#include "mtmfilereader.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The same bytes as a regular file without touching the disk.
std::string inMemoryFile(const std::uint8_t* data, std::size_t size, int& descriptor)
{
    descriptor = memfd_create("fuzz.mtm", MFD_CLOEXEC);
    if (descriptor < 0 || write(descriptor, data, size) != static_cast<ssize_t>(size))
        __builtin_trap();
    return "/proc/self/fd/" + std::to_string(descriptor);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ostrell::MtmHeader header;
    auto mtm = ostrell::readMtmBuffer(data, size, &header);

    int descriptor = -1;
    auto streamed = ostrell::MtmFileReader::open(inMemoryFile(data, size, descriptor));
    if (bool(mtm) != bool(streamed))
        __builtin_trap();
    if (!mtm) {
        close(descriptor);
        return 0;
    }
    if (ostrell::mtmFileSize(header.layout, header.pointCount, header.countAz, header.countEl) != size ||
        mtm->points.size() != header.pointCount || streamed->header().pointCount != header.pointCount)
        __builtin_trap();

    // A file without points may claim any grid; one with points holds its values.
    std::vector<TRcsValue> values(header.pointCount ? streamed->pointValues() : 0);
    for (std::uint32_t p = 0; p < header.pointCount; ++p) {
        const TMtmPoint& point = mtm->points[p];
        if (!point.rcs || point.countAz != header.countAz || point.countEl != header.countEl)
            __builtin_trap();
        double xyz[3];
        if (!streamed->readCoordinates(p, 1, xyz) || std::memcmp(xyz, &point.x, sizeof xyz) != 0)
            __builtin_trap();
        if (values.empty())
            continue;
        if (!streamed->readAmplitudes(std::uint64_t(p) * values.size(), values.size(), values.data()) ||
            std::memcmp(values.data(), point.rcs[0], values.size() * sizeof(TRcsValue)) != 0)
            __builtin_trap();
    }
    ostrell::releaseMtmGrids(mtm.value());
    close(descriptor);
    return 0;
}
