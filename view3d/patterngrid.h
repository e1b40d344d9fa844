#pragma once
// A pattern in dB kept in one block, row after row (azimuth outer): a pattern of any shape costs
// eight bytes a cell, where one vector per row would cost more than the values of a thin grid.

#include <cstddef>
#include <cstdint>
#include <vector>

struct PatternGrid {
    std::uint32_t countAz = 0;
    std::uint32_t countEl = 0;
    std::vector<double> decibels;

    double at(std::uint32_t azimuth, std::uint32_t elevation) const
    {
        return decibels[std::size_t(azimuth) * countEl + elevation];
    }
};
