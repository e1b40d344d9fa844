#pragma once
// A picture of the viewport: 8-bit RGBA, rows from the top.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quelmar {

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // width × height × 4

    bool isEmpty() const { return width <= 0 || height <= 0; }
    const std::uint8_t* pixel(int x, int y) const
    {
        return pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    }
};

} // namespace quelmar
