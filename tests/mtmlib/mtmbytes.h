#pragma once
// The byte layout of a .mtm file for hand-made test files: header (Przn only in the current
// layout), every point's coordinates, then every point's grid, real and imaginary part of each
// cell. Header-only and plain C++, so that the fuzz seeds can use it without the test libraries.

#include <complex>
#include <cstdint>
#include <cstring>
#include <vector>

namespace mtmtest {

template <typename T>
void appendValue(std::vector<unsigned char>& bytes, T value)
{
    const std::size_t end = bytes.size();
    bytes.resize(end + sizeof(T));
    std::memcpy(bytes.data() + end, &value, sizeof(T));
}

// `shape` names legacy, przn, points, countAz, countEl and distance; coordinate(point, axis) and
// amplitude(point, az, el) give the values.
template <class Shape, class Coordinate, class Amplitude>
std::vector<unsigned char> mtmBytes(const Shape& shape, Coordinate coordinate, Amplitude amplitude)
{
    std::vector<unsigned char> bytes;
    if (!shape.legacy)
        appendValue(bytes, std::int32_t(shape.przn));
    appendValue(bytes, std::uint32_t(shape.points));
    appendValue(bytes, std::uint32_t(shape.countAz));
    appendValue(bytes, std::uint32_t(shape.countEl));
    appendValue(bytes, double(shape.distance));
    for (std::uint32_t p = 0; p < shape.points; ++p)
        for (int axis = 0; axis < 3; ++axis)
            appendValue(bytes, double(coordinate(p, axis)));
    for (std::uint32_t p = 0; p < shape.points; ++p)
        for (std::uint32_t a = 0; a < shape.countAz; ++a)
            for (std::uint32_t e = 0; e < shape.countEl; ++e) {
                const std::complex<double> value = amplitude(p, a, e);
                appendValue(bytes, value.real());
                appendValue(bytes, value.imag());
            }
    return bytes;
}

} // namespace mtmtest
