#include "mergedmtmwriter.h"

#include "mtmfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace mtmmerge {

namespace {

kalmeno::Status systemFailure(const std::string& what)
{
    return kalmeno::Status::failure(what + ": " + std::strerror(errno));
}

} // namespace

kalmeno::Status writeMergedMtm(const TMtm& mtm, const std::string& path)
{
    const std::uint32_t countAz = mtm.points.empty() ? 0 : mtm.points.front().countAz;
    const std::uint32_t countEl = mtm.points.empty() ? 0 : mtm.points.front().countEl;
    std::vector<TMtmSavePoint> points;
    points.reserve(mtm.points.size());
    for (std::size_t p = 0; p < mtm.points.size(); ++p) {
        const TMtmPoint& point = mtm.points[p];
        if (point.countAz != countAz || point.countEl != countEl)
            return kalmeno::Status::failure("point " + std::to_string(p) + " has a grid of " +
                                            std::to_string(point.countAz) + " x " + std::to_string(point.countEl) +
                                            ", the first point one of " + std::to_string(countAz) + " x " +
                                            std::to_string(countEl));
        points.push_back({point.x, point.y, point.z, point.rcs});
    }

    std::string temporary = path + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return systemFailure("cannot create a temporary file beside " + path);
    // The permissions a plain create would give, not mkstemp's private ones.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(descriptor, 0666 & ~mask);
    ::close(descriptor);

    auto written = ostrell::writeMtmFile(temporary, points.data(), std::uint32_t(points.size()), countAz, countEl,
                                         mtm.distance, mtm.Przn);
    if (written) {
        const int file = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
        const bool synced = file >= 0 && ::fsync(file) == 0;
        if (file >= 0)
            ::close(file);
        if (!synced)
            written = systemFailure("cannot flush " + temporary);
        else if (std::rename(temporary.c_str(), path.c_str()) != 0)
            written = systemFailure("cannot replace " + path);
    }
    if (!written)
        ::unlink(temporary.c_str());
    return written;
}

} // namespace mtmmerge
