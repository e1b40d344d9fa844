#include "patternstencil.h"

#include <numbers.h>

#include <algorithm>
#include <cmath>

namespace {

using platform::pi;

void reserveAxis(PatternStencil::Axis& axis, std::uint32_t count)
{
    axis.lower.reserve(count);
    axis.upper.reserve(count);
    axis.toLower.reserve(count);
    axis.toUpper.reserve(count);
    axis.span.reserve(count);
}

void appendSample(PatternStencil::Axis& axis, std::uint32_t lower, std::uint32_t upper, double x,
                  double x0, double x1)
{
    axis.lower.push_back(lower);
    axis.upper.push_back(upper);
    axis.toLower.push_back(x - x0);
    axis.toUpper.push_back(x1 - x);
    axis.span.push_back(x1 - x0);
}

} // namespace

double PatternStencil::azimuthAngle(std::uint32_t index, std::uint32_t count)
{
    // With one sample the step would be infinite (and 0 × ∞ is NaN).
    if (count < 2)
        return 0.0;
    return index * 2.0 * pi / (count - 1);
}

double PatternStencil::elevationAngle(std::uint32_t index, std::uint32_t count)
{
    if (count < 2)
        return -pi / 2;
    return index * pi / (count - 1) - pi / 2;
}

PatternStencil::PatternStencil(std::uint32_t patternAz, std::uint32_t patternEl, std::uint32_t gridAz,
                               std::uint32_t gridEl)
    : PatternStencil(patternAz, patternEl, gridAz, gridEl, 0, patternAz)
{
}

PatternStencil::PatternStencil(std::uint32_t patternAz, std::uint32_t patternEl, std::uint32_t gridAz,
                               std::uint32_t gridEl, std::uint32_t firstAz, std::uint32_t endAz)
    : gridAz_(gridAz), gridEl_(gridEl)
{
    reserveAxis(azimuth_, endAz - firstAz);
    for (std::uint32_t i = firstAz; i < endAz; ++i) {
        double a = azimuthAngle(i, patternAz);
        while (a < 0)
            a += 2 * pi;
        while (a >= 2 * pi)
            a -= 2 * pi;
        if (gridAz < 2) {
            // Both neighbours are the single sample: no span, the sample is taken as it is.
            appendSample(azimuth_, 0, 0, a, a, a);
            continue;
        }
        const double step = 2 * pi / (gridAz - 1);
        const double cell = std::floor(a / step);
        const std::int64_t v = cell > 0 ? static_cast<std::int64_t>(cell) : 0;
        const auto i0 = static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) % gridAz);
        const auto i1 = static_cast<std::uint32_t>(static_cast<std::uint64_t>(v + 1) % gridAz);
        double a0 = i0 * step;
        double a1 = i1 * step;
        if (std::fabs(a1 - a0) > pi) {
            // The pair wraps across 0: move one neighbour by a full turn to the side of `a`.
            if (a0 > a)
                a0 -= 2 * pi;
            else
                a1 += 2 * pi;
        }
        appendSample(azimuth_, i0, i1, a, a0, a1);
    }

    reserveAxis(elevation_, patternEl);
    for (std::uint32_t j = 0; j < patternEl; ++j) {
        const double theta = elevationAngle(j, patternEl);
        if (gridEl < 2) {
            appendSample(elevation_, 0, 0, theta, theta, theta);
            continue;
        }
        const double step = pi / (gridEl - 1);
        const double cell = std::floor((theta + pi / 2) / step);
        const std::int64_t t = cell > 0 ? static_cast<std::int64_t>(std::min(cell, double(gridEl))) : 0;
        const auto j0 = static_cast<std::uint32_t>(std::min<std::int64_t>(t, gridEl - 1));
        const auto j1 = static_cast<std::uint32_t>(t + 1 < gridEl ? t + 1 : gridEl - 1);
        const double e0 = j0 * step - pi / 2;
        const double e1 = j1 * step - pi / 2;
        appendSample(elevation_, j0, j1, theta, e0, e1);
    }
}

std::vector<std::uint32_t> PatternStencil::azimuthRows() const
{
    std::vector<std::uint32_t> rows;
    if (azimuth_.lower.empty())
        return rows;
    const auto [lowest, highest] = std::minmax_element(azimuth_.lower.begin(), azimuth_.lower.end());
    const std::uint32_t first = std::min(*lowest, *std::min_element(azimuth_.upper.begin(), azimuth_.upper.end()));
    const std::uint32_t last = std::max(*highest, *std::max_element(azimuth_.upper.begin(), azimuth_.upper.end()));
    if (std::size_t(last - first) <= 4 * azimuth_.lower.size()) {
        // A band reads the rows around its own: marking them is linear.
        std::vector<bool> used(std::size_t(last - first) + 1, false);
        for (const std::uint32_t row : azimuth_.lower)
            used[row - first] = true;
        for (const std::uint32_t row : azimuth_.upper)
            used[row - first] = true;
        for (std::size_t k = 0; k < used.size(); ++k)
            if (used[k])
                rows.push_back(static_cast<std::uint32_t>(first + k));
        return rows;
    }
    rows = azimuth_.lower;
    rows.insert(rows.end(), azimuth_.upper.begin(), azimuth_.upper.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void PatternStencil::renumberAzimuthRows(const std::vector<std::uint32_t>& rows)
{
    const bool contiguous = !rows.empty() && rows.back() - rows.front() + 1 == rows.size();
    auto place = [&rows, contiguous](std::uint32_t row) {
        if (contiguous)
            return row - rows.front();
        return static_cast<std::uint32_t>(std::lower_bound(rows.begin(), rows.end(), row) - rows.begin());
    };
    for (std::uint32_t& row : azimuth_.lower)
        row = place(row);
    for (std::uint32_t& row : azimuth_.upper)
        row = place(row);
}
