#include "mtmsaving.h"

#include <filereplacement.h>

#include <vector>

namespace bridge {

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

    // The file is replaced as every output is (a link written through, its mode kept, only a
    // regular file replaced); the library writes the temporary file by its name.
    const auto saved = platform::replaceFile(
        mtm.path,
        [&](platform::FileReplacement& file) {
            if (!save(file.temporaryPath(), points.data(), &count, &countAz, &countEl, &distance))
                return kalmeno::Status::failure("saveMTM failed for " + file.temporaryPath());
            return kalmeno::Status::success();
        },
        "saving");
    if (!saved)
        return kalmeno::Status::failure("cannot save " + mtm.path + ": " + saved.error());
    return saved;
}

} // namespace bridge
