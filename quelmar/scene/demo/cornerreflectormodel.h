#pragma once
// Scattering of the demo scene's triangular trihedral corner reflector, as a handful of point
// scatterers: the triple-bounce return at the apex and the specular flash of each plate.
//
// Frame: the reflector's body frame (x forward, y up, z right, apex at the origin); its edges run
// forward-left, forward-right and up, so it looks forward and 35.26 degrees up. Directions point
// from the reflector towards the radar: (azimuth φ, elevation θ) is
// (cos θ cos φ, sin θ, −cos θ sin φ).

#include <Eigen/Dense>

#include <complex>
#include <vector>

namespace quelmar {

class CornerReflectorModel {
public:
    CornerReflectorModel(double edgeMetres, double wavelengthMetres);

    // Apex first, then the plate centres.
    const std::vector<Eigen::Vector3d>& points() const { return points_; }
    // Square root of the point's radar cross-section (m) with the two-way phase of its position.
    std::complex<double> amplitude(std::size_t point, const Eigen::Vector3d& towardsRadar) const;
    // Peak cross-section of the triple bounce, m²: 4π L⁴ / (3 λ²).
    double peakCrossSection() const;
    Eigen::Vector3d boresight() const;
    // Far-field distance 2 D² / λ of the reflector's largest extent D.
    double farFieldDistance() const;

    static Eigen::Vector3d direction(double azimuthDegrees, double elevationDegrees);

private:
    double edge_;
    double wavelength_;
    Eigen::Vector3d axes_[3];
    std::vector<Eigen::Vector3d> points_;
};

} // namespace quelmar
