#include "mergefixtures.h"

#include "mtmfile.h"
#include "rcsgrid.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace mergetest {

TMtm makeModel(std::uint32_t points, std::uint32_t countAz, std::uint32_t countEl, const Amplitude& amplitude,
               double distance, std::int32_t przn)
{
    TMtm mtm;
    mtm.distance = distance;
    mtm.Przn = przn;
    for (std::uint32_t p = 0; p < points; ++p) {
        TMtmPoint point;
        point.x = p;
        point.y = 2.0 * p;
        point.z = 3.0 * p;
        point.countAz = countAz;
        point.countEl = countEl;
        point.rcs = allocateRcsGrid(countAz, countEl);
        for (std::uint32_t a = 0; a < countAz; ++a)
            for (std::uint32_t e = 0; e < countEl; ++e)
                point.rcs[a][e] = amplitude(p, a, e);
        mtm.points.push_back(point);
    }
    return mtm;
}

ModelGuard::~ModelGuard()
{
    ostrell::releaseMtmGrids(mtm_);
}

void writeModel(const std::string& path, const TMtm& mtm)
{
    std::vector<TMtmSavePoint> points;
    for (const TMtmPoint& p : mtm.points)
        points.push_back({p.x, p.y, p.z, p.rcs});
    const std::uint32_t countAz = mtm.points.empty() ? 0 : mtm.points.front().countAz;
    const std::uint32_t countEl = mtm.points.empty() ? 0 : mtm.points.front().countEl;
    const auto written = ostrell::writeMtmFile(path, points.data(), std::uint32_t(points.size()), countAz, countEl,
                                               mtm.distance, mtm.Przn);
    if (!written)
        throw std::runtime_error("cannot write " + path + ": " + written.error());
}

TMtm readModel(const std::string& path)
{
    auto read = ostrell::readMtmFile(path);
    EXPECT_TRUE(read.ok()) << path << ": " << read.error();
    return read ? std::move(read.value()) : TMtm();
}

mtmmerge::MtmReader fileReader()
{
    return [](const std::string& path, TMtm* out) {
        auto read = ostrell::readMtmFile(path);
        if (!read)
            return kalmeno::Status::failure(read.error());
        *out = std::move(read.value());
        return kalmeno::Status::success();
    };
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace mergetest
