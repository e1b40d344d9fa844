#pragma once
// A facet's material at the radar's wavelength and its Fresnel reflection, with the signs the
// physical-optics sum uses: a perfect conductor reflects with R_TE = R_TM = 1.

#include "result.h"

#include <complex>

namespace feltrane {

// ε_r > 0 and finite, σ ≥ 0 (S/m; +∞ is a perfect conductor), μ_r > 0 and finite.
kalmeno::Status checkMaterial(double epsilon, double sigma, double mu);

struct Material {
    std::complex<double> epsilon{1.0, 0.0}; // ε_c = ε_r − jσ/(ωε₀)
    double mu = 1.0;                        // μ_r
    bool perfectConductor = false;          // σ = +∞

    // The material of a checked (ε_r, σ, μ_r) at `wavelength` metres.
    static Material at(double epsilon, double sigma, double mu, double wavelength);
};

struct Reflection {
    std::complex<double> te; // E perpendicular to the plane of incidence
    std::complex<double> tm; // E in the plane of incidence
};

// Reflection at the local angle of incidence, cos θ_i = `cosIncidence` in [0, 1].
Reflection reflect(const Material& material, double cosIncidence);

} // namespace feltrane
