#pragma once
// Where every direction of the merged model's grid is seen from a model moved by an offset: the
// model's grid cell around that direction and the bilinear weights inside it. The geometry does
// not depend on the amplitudes, so one plan serves every point of a model on the same grid.

#include "tmtm.h"

#include <cstdint>
#include <vector>

namespace mtmmerge {

// Offset of a model's origin from the base's origin, metres.
struct AnchorOffset {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct GridShape {
    std::uint32_t countAz = 0;
    std::uint32_t countEl = 0;
    bool operator==(const GridShape& other) const
    {
        return countAz == other.countAz && countEl == other.countEl;
    }
};

class ResamplingPlan {
public:
    // Both grids need at least two samples on each axis, and the radius and offset must be small
    // enough for their squares to stay finite (the caller checks both).
    ResamplingPlan(GridShape target, GridShape source, AnchorOffset offset, double radius);

    GridShape source() const { return source_; }

    // Fills the target grid from `source`, a row table of the plan's source shape.
    void resample(const TRcsValue* const* source, TRcsValue** target) const;

private:
    // One target direction: the source cell's corner rows and columns, the products of the
    // distances to the opposite corners, and the cell's area.
    struct Cell {
        std::uint32_t azLo;
        std::uint32_t azHi;
        std::uint32_t elLo;
        std::uint32_t elHi;
        double weight[4]; // (azLo, elLo), (azHi, elLo), (azLo, elHi), (azHi, elHi)
        double area;      // 0 for a cell too small to interpolate in: take (azLo, elLo)
    };

    Cell locate(double phi, double theta) const;

    GridShape target_;
    GridShape source_;
    AnchorOffset offset_;
    double radius_;
    std::vector<Cell> cells_; // azimuth-major, as the target grid
};

} // namespace mtmmerge
