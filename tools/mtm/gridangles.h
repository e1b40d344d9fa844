#pragma once
// The angles of an MTM grid's samples in degrees: azimuth 0 … 360 and elevation −90 … 90, both
// ends included.

#include <cstddef>

namespace mtm {

inline double azimuthDegrees(std::size_t index, std::size_t count)
{
    return count < 2 ? 0.0 : index * 360.0 / double(count - 1);
}

inline double elevationDegrees(std::size_t index, std::size_t count)
{
    return count < 2 ? -90.0 : index * 180.0 / double(count - 1) - 90.0;
}

} // namespace mtm
