#include "mtmsaving.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace bridge {

namespace {

bool flushToDisk(const std::string& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

kalmeno::Status failAndClean(const std::string& temporary, const std::string& reason)
{
    // unlink, not remove: a folder that happens to carry the name is not ours.
    ::unlink(temporary.c_str());
    return kalmeno::Status::failure(reason);
}

} // namespace

std::string temporarySaveName(const std::string& path)
{
    return path + "saving";
}

kalmeno::Status saveMtmReplacing(saveMTM_t save, const TMtm& mtm)
{
    if (!save)
        return kalmeno::Status::failure("no saveMTM function");
    if (mtm.path.empty() || mtm.points.empty())
        return kalmeno::Status::failure("nothing to save");
    std::vector<TMtmSavePoint> points;
    points.reserve(mtm.points.size());
    for (const auto& point : mtm.points)
        points.push_back({point.x, point.y, point.z, point.rcs});
    std::uint32_t count = static_cast<std::uint32_t>(points.size());
    std::uint32_t countAz = mtm.points.front().countAz;
    std::uint32_t countEl = mtm.points.front().countEl;
    double distance = mtm.distance;

    const std::string temporary = temporarySaveName(mtm.path);
    if (!save(temporary, points.data(), &count, &countAz, &countEl, &distance))
        return failAndClean(temporary, "saveMTM failed for " + temporary);
    if (!flushToDisk(temporary, O_RDONLY))
        return failAndClean(temporary, "cannot flush " + temporary + ": " + std::strerror(errno));
    if (std::rename(temporary.c_str(), mtm.path.c_str()) != 0)
        return failAndClean(temporary, "cannot replace " + mtm.path + ": " + std::strerror(errno));
    // The rename itself is made durable by flushing the folder; the file is whole either way.
    flushToDisk(folderOf(mtm.path), O_RDONLY | O_DIRECTORY);
    return kalmeno::Status::success();
}

} // namespace bridge
