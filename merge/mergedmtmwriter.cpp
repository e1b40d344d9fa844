#include "mergedmtmwriter.h"

#include "filereplacement.h"
#include "mtmfile.h"

#include <vector>

namespace mtmmerge {

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

    return platform::replaceFile(path, [&](platform::FileReplacement& file) {
        return ostrell::writeMtmFile(file.temporaryPath(), points.data(), std::uint32_t(points.size()), countAz,
                                     countEl, mtm.distance, mtm.Przn);
    });
}

} // namespace mtmmerge
