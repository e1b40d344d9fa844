#pragma once
// Small models built in memory for the pattern tests. The model owns its points' grids.

#include "rcsgrid.h"
#include "tmtm.h"

#include <cstdint>
#include <functional>

class TestModel {
public:
    TestModel() = default;
    TestModel(const TestModel&) = delete;
    TestModel& operator=(const TestModel&) = delete;
    ~TestModel()
    {
        for (TMtmPoint& point : mtm.points)
            releaseRcsGrid(point.rcs);
    }

    // Appends a point whose amplitude at (azimuth index, elevation index) is value(a, e).
    TestModel& addPoint(std::uint32_t countAz, std::uint32_t countEl,
                        const std::function<TRcsValue(std::uint32_t, std::uint32_t)>& value)
    {
        TMtmPoint point;
        point.countAz = countAz;
        point.countEl = countEl;
        point.rcs = allocateRcsGrid(countAz, countEl);
        for (std::uint32_t a = 0; a < countAz; ++a)
            for (std::uint32_t e = 0; e < countEl; ++e)
                point.rcs[a][e] = value(a, e);
        mtm.points.push_back(point);
        return *this;
    }

    TestModel& addConstantPoint(std::uint32_t countAz, std::uint32_t countEl, TRcsValue value)
    {
        return addPoint(countAz, countEl, [value](std::uint32_t, std::uint32_t) { return value; });
    }

    TMtm mtm;
};
