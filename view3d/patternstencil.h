#pragma once
// Where every direction of a pattern falls on one point grid: the neighbouring samples and the
// distances to them. It depends only on the two grids' shapes, so one stencil serves every point
// that shares a grid.

#include <cstdint>
#include <vector>

class PatternStencil {
public:
    // Neighbours of one pattern sample on one axis of a point's grid. Angles of the neighbours
    // are folded into `toLower` (x − x0), `toUpper` (x1 − x) and `span` (x1 − x0).
    struct Axis {
        std::vector<std::uint32_t> lower;
        std::vector<std::uint32_t> upper;
        std::vector<double> toLower;
        std::vector<double> toUpper;
        std::vector<double> span;
    };

    // Pattern of patternAz × patternEl samples read from a point grid of gridAz × gridEl samples
    // (both at least 1).
    PatternStencil(std::uint32_t patternAz, std::uint32_t patternEl, std::uint32_t gridAz,
                   std::uint32_t gridEl);
    // Only pattern rows [firstAz, endAz) on the azimuth axis, stored from index 0: a band of a
    // pattern computed a band at a time.
    PatternStencil(std::uint32_t patternAz, std::uint32_t patternEl, std::uint32_t gridAz, std::uint32_t gridEl,
                   std::uint32_t firstAz, std::uint32_t endAz);

    // The grid rows the azimuth axis reads, ascending, each once.
    std::vector<std::uint32_t> azimuthRows() const;
    // Renumbers the azimuth neighbours to their places in `rows` (as azimuthRows gave them), for a
    // band whose grid rows are read into a table of their own.
    void renumberAzimuthRows(const std::vector<std::uint32_t>& rows);

    std::uint32_t gridAz() const { return gridAz_; }
    std::uint32_t gridEl() const { return gridEl_; }
    const Axis& azimuth() const { return azimuth_; }
    const Axis& elevation() const { return elevation_; }

    // Angle of sample `index` of a grid axis of `count` samples; a single sample lies at the
    // start of the axis.
    static double azimuthAngle(std::uint32_t index, std::uint32_t count);
    static double elevationAngle(std::uint32_t index, std::uint32_t count);

private:
    std::uint32_t gridAz_;
    std::uint32_t gridEl_;
    Axis azimuth_;
    Axis elevation_;
};
