#include "patternaccumulation.h"

#include <numbers.h>

#include <cmath>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using platform::pi;

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

} // namespace

void accumulatePatternRows(const PatternContribution& point, std::uint32_t firstRow, std::uint32_t endRow,
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

double patternDecibels(double re, double im)
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

