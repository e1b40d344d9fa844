#include "rcspattern.h"

#include "patternaccumulation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <stdexcept>
#include <thread>
#include <utility>

namespace {

// Below this many point-cell evaluations a second thread costs more than it saves.
constexpr std::size_t parallelThreshold = 200000;

// A grid without samples, or with a missing row, has nothing that could be read.
bool hasReadableGrid(const TMtmPoint& point)
{
    if (point.countAz == 0 || point.countEl == 0 || !point.rcs)
        return false;
    for (std::uint32_t a = 0; a < point.countAz; ++a)
        if (!point.rcs[a])
            return false;
    return true;
}

void accumulate(const std::vector<PatternContribution>& points, std::uint32_t firstRow, std::uint32_t endRow,
                std::uint32_t patternEl, double* sums)
{
    for (const PatternContribution& point : points)
        accumulatePatternRows(point, firstRow, endRow, patternEl, sums);
}

} // namespace

RcsPattern computePattern(const TMtm& mtm)
{
    return computePattern(mtm, std::thread::hardware_concurrency());
}

RcsPattern computePattern(const TMtm& mtm, unsigned maxThreads)
{
    if (mtm.points.empty())
        throw std::runtime_error("Error: Model is empty, cannot calculate RCS.");

    const std::uint32_t patternAz = mtm.points.front().countAz;
    const std::uint32_t patternEl = mtm.points.front().countEl;
    // Either axis without samples leaves no cell (and no row needs to exist).
    if (patternAz == 0 || patternEl == 0)
        return {};

    // Points nearly always share one grid: one stencil per grid shape.
    std::map<std::pair<std::uint32_t, std::uint32_t>, PatternStencil> stencils;
    std::vector<PatternContribution> contributions;
    contributions.reserve(mtm.points.size());
    for (const TMtmPoint& point : mtm.points) {
        if (!hasReadableGrid(point))
            continue;
        const auto shape = std::make_pair(point.countAz, point.countEl);
        auto found = stencils.find(shape);
        if (found == stencils.end())
            found = stencils.emplace(shape, PatternStencil(patternAz, patternEl, point.countAz, point.countEl))
                        .first;
        contributions.push_back({point.rcs, &found->second});
    }

    std::vector<double> sums(std::size_t(patternAz) * patternEl * 2, 0.0);
    const std::size_t work = contributions.size() * std::size_t(patternAz) * patternEl;
    unsigned threads = std::max(1u, maxThreads);
    threads = std::min<unsigned>(threads, patternAz);
    if (work < parallelThreshold)
        threads = 1;

    // Each thread owns a band of rows, so every cell still sums its points in model order. Nothing
    // may throw past a running worker (its std::thread would end the process): the vector never
    // grows once one runs, and a worker that cannot start leaves its band to this thread.
    std::vector<std::thread> workers;
    workers.reserve(threads - 1);
    std::uint32_t first = 0;
    for (unsigned t = 0; t < threads; ++t) {
        const std::uint32_t end = std::uint32_t(std::uint64_t(patternAz) * (t + 1) / threads);
        if (t + 1 < threads) {
            try {
                workers.emplace_back(accumulate, std::cref(contributions), first, end, patternEl, sums.data());
            } catch (const std::exception&) {
                accumulate(contributions, first, end, patternEl, sums.data());
            }
        } else {
            accumulate(contributions, first, end, patternEl, sums.data());
        }
        first = end;
    }
    for (std::thread& worker : workers)
        worker.join();

    RcsPattern pattern(patternAz, std::vector<double>(patternEl, 0.0));
    const double* cell = sums.data();
    for (std::uint32_t i = 0; i < patternAz; ++i)
        for (std::uint32_t j = 0; j < patternEl; ++j, cell += 2)
            pattern[i][j] = patternDecibels(cell[0], cell[1]);
    return pattern;
}

double patternMaximum(const double* values, std::size_t count)
{
    double maximum = 0.0;
    for (std::size_t k = 0; k < count; ++k)
        if (std::isfinite(values[k]) && values[k] > maximum)
            maximum = values[k];
    return maximum;
}

double patternMaximum(const RcsPattern& pattern)
{
    double maximum = 0.0;
    for (const std::vector<double>& row : pattern)
        maximum = std::max(maximum, patternMaximum(row.data(), row.size()));
    return maximum;
}
