#include "sincosbatch.h"

#include "vectorclones.h"

#include <algorithm>
#include <cmath>

namespace feltrane {

namespace {

// π/2 in three parts of 33, 33 and 53 bits: n·part is exact for |n| < 2^20 (fdlibm's split).
constexpr double kPio2Hi = 1.57079632673412561417e+00;
constexpr double kPio2Mid = 6.07710050630396597660e-11;
constexpr double kPio2Lo = 2.02226624871116645580e-21;
constexpr double kTwoOverPi = 6.36619772367581382433e-01;
constexpr double kMaxReduced = 1.6e6; // |x·2/π| stays below 2^20
// Adding and subtracting 1.5·2^52 rounds a double below 2^51 to the nearest integer.
constexpr double kRoundingShift = 6755399441055744.0;

// Minimax polynomials on [−π/4, π/4] (fdlibm's __kernel_sin and __kernel_cos).
inline double sinKernel(double r, double z)
{
    constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                     S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                     S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
    return r + r * z * (S1 + z * (S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)))));
}

inline double cosKernel(double z)
{
    constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                     C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                     C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
    return 1.0 - (0.5 * z - z * z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6))))));
}

} // namespace

PLATFORM_VECTOR_CLONES void sinCosBatch(const double* x, double* s, double* c, std::size_t n)
{
#pragma omp simd
    for (std::size_t i = 0; i < n; ++i) {
        const double v = x[i];
        const double q = (v * kTwoOverPi + kRoundingShift) - kRoundingShift; // nearest quadrant
        const double r = ((v - q * kPio2Hi) - q * kPio2Mid) - q * kPio2Lo;
        const double z = r * r;
        const double sr = sinKernel(r, z);
        const double cr = cosKernel(z);
        // Quadrant q mod 4, as a double in {0, 1, 2, 3}: floor(q/4) by the same rounding.
        const double quarter = (q * 0.25 - 0.375 + kRoundingShift) - kRoundingShift;
        const double k = q - 4.0 * quarter;
        const bool odd = (k == 1.0) | (k == 3.0);
        const double sinValue = odd ? cr : sr;
        const double cosValue = odd ? sr : cr;
        s[i] = k >= 2.0 ? -sinValue : sinValue;
        c[i] = ((k == 1.0) | (k == 2.0)) ? -cosValue : cosValue;
    }
    double largest = 0.0;
#pragma omp simd reduction(max : largest)
    for (std::size_t i = 0; i < n; ++i)
        largest = std::max(largest, std::fabs(x[i]));
    if (largest < kMaxReduced) // a NaN argument comes out as NaN either way
        return;
    for (std::size_t i = 0; i < n; ++i)
        if (!(std::fabs(x[i]) < kMaxReduced)) {
            s[i] = std::sin(x[i]);
            c[i] = std::cos(x[i]);
        }
}

} // namespace feltrane
