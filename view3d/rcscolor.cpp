#include "rcscolor.h"

#include <cmath>

RcsColor rcsColor(double value, double max)
{
    double ratio = max > 0 ? value / max : 0.0;
    if (!std::isfinite(ratio))
        ratio = 0.0;
    const double h = (1 - ratio) * 240 / 60;
    // The sector stays a double: far above the maximum it would not fit in an int.
    const double k = std::floor(h);
    const auto f = static_cast<float>(h - k);
    if (k == 0)
        return {1, f, 0};
    if (k == 1)
        return {1 - f, 1, 0};
    if (k == 2)
        return {0, 1, f};
    if (k == 3)
        return {0, 1 - f, 1};
    if (k == 4)
        return {f, 0, 1};
    return {1, 0, 1 - f};
}
