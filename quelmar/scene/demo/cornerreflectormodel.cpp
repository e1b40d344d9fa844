#include "cornerreflectormodel.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

namespace {

// cos^n of the angle off boresight: n = 11 halves the power 20 degrees off, the usual ±20 degree
// half-power width of a triangular trihedral.
constexpr double lobeExponent = 11.0;

double sinc(double x)
{
    return std::abs(x) < 1e-12 ? 1.0 : std::sin(x) / x;
}

} // namespace

CornerReflectorModel::CornerReflectorModel(double edgeMetres, double wavelengthMetres)
    : edge_(edgeMetres), wavelength_(wavelengthMetres)
{
    const double s = 1.0 / std::sqrt(2.0);
    axes_[0] = {s, 0.0, -s}; // forward-left edge
    axes_[1] = {s, 0.0, s};  // forward-right edge
    axes_[2] = {0.0, 1.0, 0.0};
    points_.push_back(Eigen::Vector3d::Zero());
    // Plate k lies between the two other edges; its centroid sits a third of the way along them.
    for (int k = 0; k < 3; ++k)
        points_.push_back(edge_ / 3.0 * (axes_[(k + 1) % 3] + axes_[(k + 2) % 3]));
}

Eigen::Vector3d CornerReflectorModel::boresight() const
{
    return (axes_[0] + axes_[1] + axes_[2]).normalized();
}

double CornerReflectorModel::peakCrossSection() const
{
    return 4.0 * M_PI * std::pow(edge_, 4) / (3.0 * wavelength_ * wavelength_);
}

double CornerReflectorModel::farFieldDistance() const
{
    const double extent = edge_ * std::sqrt(2.0);
    return 2.0 * extent * extent / wavelength_;
}

Eigen::Vector3d CornerReflectorModel::direction(double azimuthDegrees, double elevationDegrees)
{
    const double phi = azimuthDegrees * M_PI / 180.0;
    const double theta = elevationDegrees * M_PI / 180.0;
    return {std::cos(theta) * std::cos(phi), std::sin(theta), -std::cos(theta) * std::sin(phi)};
}

std::complex<double> CornerReflectorModel::amplitude(std::size_t point, const Eigen::Vector3d& towardsRadar) const
{
    const Eigen::Vector3d u = towardsRadar.normalized();
    double crossSection = 0.0;
    if (point == 0) {
        // Triple bounce needs the radar inside the reflector's octant.
        const bool inside = u.dot(axes_[0]) > 0.0 && u.dot(axes_[1]) > 0.0 && u.dot(axes_[2]) > 0.0;
        if (inside)
            crossSection = peakCrossSection() * std::pow(u.dot(boresight()), lobeExponent);
    } else if (point <= 3) {
        // A plate's own normal is the edge it does not contain; it reflects on its inner side only.
        const Eigen::Vector3d& normal = axes_[point - 1];
        const double cosine = u.dot(normal);
        if (cosine > 0.0) {
            const double area = edge_ * edge_ / 2.0;
            const double k = 2.0 * M_PI / wavelength_;
            const double sine = std::sqrt(std::max(0.0, 1.0 - cosine * cosine));
            const double lobe = sinc(k * edge_ / std::sqrt(2.0) * sine);
            crossSection = 4.0 * M_PI * area * area / (wavelength_ * wavelength_) * cosine * cosine * lobe * lobe;
        }
    }
    const double k = 2.0 * M_PI / wavelength_;
    return std::sqrt(crossSection) * std::polar(1.0, -2.0 * k * points_[point].dot(u));
}

} // namespace quelmar
