#pragma once
// The integral of a linear phase over a triangle, in closed form with stable fallbacks:
// F(ψ₀, ψ₁, ψ₂) = ∫_simplex exp(j Σ λᵢψᵢ) dλ₁dλ₂, so that ∫_t exp(jψ(r)) dA = 2·area·F.

#include <complex>

namespace feltrane {

// Below this smallest phase difference (radians) the plain closed form loses digits.
constexpr double kClosedFormMinDifference = 0.05;
// Below this largest phase difference the series about the mean phase takes over.
constexpr double kSeriesMaxDifference = 1e-3;

// The plain closed form (−c·e^{jψ₀} + b·e^{jψ₁} − a·e^{jψ₂}) / (abc), given the three phasors;
// a = ψ₁ − ψ₀, b = ψ₂ − ψ₀, c = ψ₂ − ψ₁, each at least kClosedFormMinDifference in size.
inline std::complex<double> closedFormIntegral(std::complex<double> e0, std::complex<double> e1,
                                               std::complex<double> e2, double a, double b, double c)
{
    return (-c * e0 + b * e1 - a * e2) / (a * b * c);
}

// F for phases whose smallest difference is below kClosedFormMinDifference, given e^{jψ₀..₂}.
// Only the differences of the phases matter; the phasors carry the absolute phase.
std::complex<double> nearDegenerateIntegral(double psi0, double psi1, double psi2, std::complex<double> e0,
                                            std::complex<double> e1, std::complex<double> e2);

// F for any three phases: picks the closed form, the largest-difference form or the series.
std::complex<double> triangleIntegral(double psi0, double psi1, double psi2);

} // namespace feltrane
