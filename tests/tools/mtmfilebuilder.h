#pragma once
// Crafts .mtm files byte by byte for the tool's tests, independently of the library's writer.

#include <cstdint>
#include <string>
#include <vector>

struct CraftedPoint {
    double x = 0, y = 0, z = 0;
    std::vector<double> values; // re, im pairs, azimuth-major
};

struct CraftedMtm {
    bool legacy = false;
    std::int32_t przn = 0;
    std::uint32_t countAz = 0;
    std::uint32_t countEl = 0;
    double distance = 0;
    std::vector<CraftedPoint> points;

    // A model of `count` points on an A x B grid with distinct values.
    static CraftedMtm regular(std::uint32_t count, std::uint32_t countAz, std::uint32_t countEl);
    std::string bytes() const;
};

void writeFileBytes(const std::string& path, const std::string& bytes);
std::string readFileBytes(const std::string& path);
