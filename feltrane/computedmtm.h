#pragma once
// The result of one computation: the scattering points with their amplitude grids, laid out as
// the MTM library saves them.

#include "tmtm.h"

#include <Eigen/Core>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace feltrane {

class ComputedMtm {
public:
    // Zero amplitudes on a countAz × countEl grid for each point. Throws std::bad_alloc.
    ComputedMtm(const std::vector<Eigen::Vector3d>& points, std::uint32_t countAz, std::uint32_t countEl);
    ComputedMtm(ComputedMtm&&) = default;
    ComputedMtm& operator=(ComputedMtm&&) = default;

    // Bytes of the whole result for `points` points on the grid, without allocating anything.
    static double bytesFor(std::size_t points, std::uint32_t countAz, std::uint32_t countEl);

    TMtmSavePoint* points() { return points_.data(); }
    const std::vector<TMtmSavePoint>& savePoints() const { return points_; }
    std::size_t pointCount() const { return points_.size(); }
    std::uint32_t countAz() const { return countAz_; }
    std::uint32_t countEl() const { return countEl_; }
    TRcsValue& value(std::size_t point, std::uint32_t a, std::uint32_t e) { return points_[point].rcs[a][e]; }
    const TRcsValue& value(std::size_t point, std::uint32_t a, std::uint32_t e) const
    {
        return points_[point].rcs[a][e];
    }

    double distance = 0.0; // metres: 2D²/λ

private:
    std::uint32_t countAz_;
    std::uint32_t countEl_;
    std::vector<TRcsValue> values_;
    std::vector<TRcsValue*> rows_;
    std::vector<TMtmSavePoint> points_;
};

} // namespace feltrane
