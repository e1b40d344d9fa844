#include "triangleintegral.h"

#include <algorithm>
#include <cmath>

namespace feltrane {

namespace {

// φ₁(x) = (e^{jx} − 1)/(jx) = sin x / x + j·2 sin²(x/2) / x, without cancellation.
std::complex<double> phi1(double x)
{
    if (x == 0.0)
        return 1.0;
    const double s = std::sin(0.5 * x);
    const double c = std::cos(0.5 * x);
    return {2.0 * s * c / x, 2.0 * s * s / x};
}

// e^{j(ψ̄ − ψ₀)} Σ jⁿ hₙ(δ)/(n+2)!, hₙ the complete homogeneous symmetric polynomials of the δᵢ:
// the series about the mean phase, relative to the phase of the first vertex.
std::complex<double> seriesIntegral(double psi0, double psi1, double psi2)
{
    constexpr int terms = 8;
    psi1 -= psi0, psi2 -= psi0, psi0 = 0.0;
    const double mean = (psi1 + psi2) / 3.0;
    const double d0 = psi0 - mean, d1 = psi1 - mean, d2 = psi2 - mean;
    double h0 = 1.0, h01 = 1.0, h012 = 1.0; // hₙ of {δ₀}, {δ₀,δ₁}, {δ₀,δ₁,δ₂}
    std::complex<double> sum = 0.5;
    std::complex<double> jn = 1.0;
    double factorial = 2.0;
    for (int n = 1; n < terms; ++n) {
        h0 *= d0;
        h01 = h01 * d1 + h0;
        h012 = h012 * d2 + h01;
        jn *= std::complex<double>(0.0, 1.0);
        factorial *= n + 2;
        sum += jn * (h012 / factorial);
    }
    return std::polar(1.0, mean) * sum;
}

} // namespace

std::complex<double> nearDegenerateIntegral(double psi0, double psi1, double psi2, std::complex<double> e0,
                                            std::complex<double> e1, std::complex<double> e2)
{
    const double psi[3] = {psi0, psi1, psi2};
    const std::complex<double> e[3] = {e0, e1, e2};
    // The pair (i, m) furthest apart; l is the third vertex.
    const double d01 = std::abs(psi1 - psi0), d02 = std::abs(psi2 - psi0), d12 = std::abs(psi2 - psi1);
    int i = 0, m = 1, l = 2;
    if (d02 >= d01 && d02 >= d12) {
        i = 0, m = 2, l = 1;
    } else if (d12 >= d01 && d12 >= d02) {
        i = 1, m = 2, l = 0;
    }
    const double largest = std::abs(psi[i] - psi[m]);
    if (largest < kSeriesMaxDifference)
        return e0 * seriesIntegral(psi0, psi1, psi2);
    const double alpha = psi[i] - psi[l];
    const double beta = psi[m] - psi[l];
    return e[l] * (phi1(alpha) - phi1(beta)) / std::complex<double>(0.0, alpha - beta);
}

std::complex<double> triangleIntegral(double psi0, double psi1, double psi2)
{
    const std::complex<double> e0 = std::polar(1.0, psi0);
    const std::complex<double> e1 = std::polar(1.0, psi1);
    const std::complex<double> e2 = std::polar(1.0, psi2);
    const double a = psi1 - psi0, b = psi2 - psi0, c = psi2 - psi1;
    if (std::min({std::abs(a), std::abs(b), std::abs(c)}) >= kClosedFormMinDifference)
        return closedFormIntegral(e0, e1, e2, a, b, c);
    return nearDegenerateIntegral(psi0, psi1, psi2, e0, e1, e2);
}

} // namespace feltrane
