#include "rcspattern.h"

#include "patternstencil.h"

#include <numbers.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <stdexcept>
#include <thread>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using platform::pi;

// Below this many point-cell evaluations a second thread costs more than it saves.
constexpr std::size_t parallelThreshold = 200000;

// A point that contributes, with the stencil of its grid.
struct Contribution {
    const TRcsValue* const* rows;
    const PatternStencil* stencil;
};

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

#if defined(__SSE2__)
// One amplitude as (re, im) in one register: both parts go through the same operations.
struct Pair {
    __m128d v;
};
inline Pair load(const TRcsValue& value) { return {_mm_loadu_pd(reinterpret_cast<const double*>(&value))}; }
inline Pair splat(double x) { return {_mm_set1_pd(x)}; }
inline Pair operator+(Pair a, Pair b) { return {_mm_add_pd(a.v, b.v)}; }
inline Pair operator*(Pair a, Pair b) { return {_mm_mul_pd(a.v, b.v)}; }
inline Pair operator/(Pair a, Pair b) { return {_mm_div_pd(a.v, b.v)}; }
inline void addTo(double* cell, Pair value) { _mm_storeu_pd(cell, _mm_add_pd(_mm_loadu_pd(cell), value.v)); }
#else
struct Pair {
    double re;
    double im;
};
inline Pair load(const TRcsValue& value) { return {value.real(), value.imag()}; }
inline Pair splat(double x) { return {x, x}; }
inline Pair operator+(Pair a, Pair b) { return {a.re + b.re, a.im + b.im}; }
inline Pair operator*(Pair a, Pair b) { return {a.re * b.re, a.im * b.im}; }
inline Pair operator/(Pair a, Pair b) { return {a.re / b.re, a.im / b.im}; }
inline void addTo(double* cell, Pair value)
{
    cell[0] += value.re;
    cell[1] += value.im;
}
#endif

// Adds the contribution of one point to the sums of pattern rows [firstRow, endRow). The sums are
// interleaved (re, im) per cell. The interpolation is written out term by term in a fixed order,
// so every cell gets exactly the value of evaluating it for that cell alone.
void accumulateRows(const Contribution& point, std::uint32_t firstRow, std::uint32_t endRow,
                    std::uint32_t patternEl, double* sums)
{
    const PatternStencil::Axis& az = point.stencil->azimuth();
    const PatternStencil::Axis& el = point.stencil->elevation();
    const std::uint32_t* lowerEl = el.lower.data();
    const std::uint32_t* upperEl = el.upper.data();
    const double* toLowerEl = el.toLower.data();
    const double* toUpperEl = el.toUpper.data();
    const double* spanEl = el.span.data();

    for (std::uint32_t i = firstRow; i < endRow; ++i) {
        const TRcsValue* row0 = point.rows[az.lower[i]];
        const TRcsValue* row1 = point.rows[az.upper[i]];
        const Pair dx0 = splat(az.toLower[i]);
        const Pair dx1 = splat(az.toUpper[i]);
        const double spanAz = az.span[i];
        double* cell = sums + std::size_t(i) * patternEl * 2;
        for (std::uint32_t j = 0; j < patternEl; ++j, cell += 2) {
            const Pair f00 = load(row0[lowerEl[j]]);
            const double d = spanAz * spanEl[j];
            if (std::fabs(d) < 1e-9) {
                addTo(cell, f00);
                continue;
            }
            const Pair f10 = load(row1[lowerEl[j]]);
            const Pair f01 = load(row0[upperEl[j]]);
            const Pair f11 = load(row1[upperEl[j]]);
            const Pair dy0 = splat(toLowerEl[j]);
            const Pair dy1 = splat(toUpperEl[j]);
            addTo(cell, (dx0 * f10 * dy1 + dx1 * f00 * dy1 + dx1 * f01 * dy0 + dx0 * f11 * dy0) / splat(d));
        }
    }
}

void accumulate(const std::vector<Contribution>& points, std::uint32_t firstRow, std::uint32_t endRow,
                std::uint32_t patternEl, double* sums)
{
    for (const Contribution& point : points)
        accumulateRows(point, firstRow, endRow, patternEl, sums);
}

double toDecibels(double re, double im)
{
    double db = 10 * std::log10(4 * pi * (re * re + im * im));
    if (std::isinf(db) && std::isfinite(re) && std::isfinite(im)) {
        // The square overflowed although the sum itself is finite: take the logarithm first.
        db = 10 * (std::log10(4 * pi) + 2 * std::log10(std::hypot(re, im)));
    }
    // A sum that is no number (NaN or infinite amplitudes in the file) is shown as 0 like any
    // value below 0 dB, so nothing downstream scales by it.
    if (!(db >= 0) || !std::isfinite(db))
        return 0.0;
    return db;
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
    std::vector<Contribution> contributions;
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
            pattern[i][j] = toDecibels(cell[0], cell[1]);
    return pattern;
}

double patternMaximum(const RcsPattern& pattern)
{
    double maximum = 0.0;
    for (const std::vector<double>& row : pattern)
        for (double value : row)
            if (std::isfinite(value) && value > maximum)
                maximum = value;
    return maximum;
}
