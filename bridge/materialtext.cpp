#include "materialtext.h"

#include <cstdio>

namespace bridge {

namespace {

std::string fixed6(double value)
{
    // Room for the largest float written whole with six decimals.
    char text[512];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

std::string colorText(std::uint32_t color)
{
    std::string text = "(";
    for (int k = 0; k < 4; ++k) {
        const float component = static_cast<float>((color >> (8 * k)) & 0xFFu) / 255.0f;
        text += fixed6(component);
        if (k < 3)
            text += ", ";
    }
    return text + ")";
}

} // namespace

std::string MaterialText(const hostsdk::TXorMaterial& m)
{
    return "Xor material: XOR: " + std::to_string(m.xorId) + "; GIS: " + std::to_string(m.gis)
        + "; Epsilon: " + fixed6(m.epsilon) + "; Sigma: " + fixed6(m.sigma) + "; My: " + fixed6(m.mu)
        + "; Color: " + colorText(m.color) + ";";
}

} // namespace bridge
