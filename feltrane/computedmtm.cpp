#include "computedmtm.h"

namespace feltrane {

ComputedMtm::ComputedMtm(const std::vector<Eigen::Vector3d>& points, std::uint32_t countAz, std::uint32_t countEl)
    : countAz_(countAz),
      countEl_(countEl),
      values_(points.size() * countAz * countEl),
      rows_(points.size() * countAz)
{
    points_.reserve(points.size());
    for (std::size_t p = 0; p < points.size(); ++p) {
        for (std::uint32_t a = 0; a < countAz; ++a)
            rows_[p * countAz + a] = values_.data() + (p * countAz + a) * countEl;
        points_.push_back({points[p].x(), points[p].y(), points[p].z(), rows_.data() + p * countAz});
    }
}

double ComputedMtm::bytesFor(std::size_t points, std::uint32_t countAz, std::uint32_t countEl)
{
    return double(points) * (double(countAz) * countEl * sizeof(TRcsValue) + double(countAz) * sizeof(TRcsValue*) +
                             sizeof(TMtmSavePoint));
}

} // namespace feltrane
