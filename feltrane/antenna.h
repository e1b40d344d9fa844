#pragma once
// The radar antenna's polarisation and the co-polarised reflection factor ρ of a facet:
// the same antenna transmits and receives (backscatter alignment, V = h·E).

#include "directiongrid.h"
#include "material.h"

#include <Eigen/Core>

#include <complex>

namespace feltrane {

using Vector3c = Eigen::Matrix<std::complex<double>, 3, 1>;

class Antenna {
public:
    // `ellipticity`: minor over major axis, sign = sense of rotation (> 0 right-handed), 0 linear.
    // `orientation`: radians, the major axis turned from θ̂ towards φ̂.
    Antenna(double ellipticity, double orientation);

    // h = (u − j r v) / √(1 + r²) in the direction's basis.
    Vector3c polarisation(const Direction& direction) const;
    // h·h = (1 − r²)/(1 + r²), the same in every direction.
    double selfProduct() const { return selfProduct_; }

private:
    double ellipticity_;
    double cosOrientation_;
    double sinOrientation_;
    double selfProduct_;
};

// ρ = R_TM (h·h) + (R_TE − R_TM)(h·t̂)² of a facet with unit normal `normal` (either side),
// for the radar in direction `towardsRadar` with polarisation `h`.
std::complex<double> coPolarFactor(const Material& material, const Eigen::Vector3d& normal,
                                   const Eigen::Vector3d& towardsRadar, const Vector3c& h, double hh);

} // namespace feltrane
