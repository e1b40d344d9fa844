#include "cameragridindex.h"

#include <algorithm>
#include <climits>
#include <cmath>

int cameraGridIndex(double angle, std::uint32_t count, int span)
{
    if (count == 0 || !std::isfinite(angle))
        return -1;
    if (count == 1)
        return 0;
    const double last = double(std::min<std::uint32_t>(count - 1, INT_MAX));
    const std::int64_t wholeStep = std::int64_t(span) / std::int64_t(count - 1);
    const double step = wholeStep > 0 ? double(wholeStep) : double(span) / last;
    const double index = std::round(angle / step);
    if (index < 0.0)
        return -1;
    return int(index < last ? index : last);
}
