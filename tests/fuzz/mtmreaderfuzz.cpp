// libFuzzer target: any bytes, read as an .mtm file already in memory (the file reader runs the
// same header check and block reads). A read that succeeds must describe exactly the input.

#include "mtmfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ostrell::MtmHeader header;
    auto mtm = ostrell::readMtmBuffer(data, size, &header);
    if (!mtm)
        return 0;
    if (ostrell::mtmFileSize(header.layout, header.pointCount, header.countAz, header.countEl) != size ||
        mtm->points.size() != header.pointCount)
        __builtin_trap();
    double sum = 0;
    for (const TMtmPoint& point : mtm->points) {
        if (!point.rcs || point.countAz != header.countAz || point.countEl != header.countEl)
            __builtin_trap();
        if (point.countAz && point.countEl)
            sum += point.rcs[point.countAz - 1][point.countEl - 1].real();
    }
    ostrell::releaseMtmGrids(mtm.value());
    return sum == 1.5 ? 0 : 0; // keeps the last values' reads alive
}
