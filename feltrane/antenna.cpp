#include "antenna.h"

#include <Eigen/Geometry>

#include <algorithm>
#include <cmath>

namespace feltrane {

Antenna::Antenna(double ellipticity, double orientation)
    : ellipticity_(ellipticity),
      cosOrientation_(std::cos(orientation)),
      sinOrientation_(std::sin(orientation)),
      selfProduct_((1.0 - ellipticity * ellipticity) / (1.0 + ellipticity * ellipticity))
{
}

Vector3c Antenna::polarisation(const Direction& direction) const
{
    const Eigen::Vector3d u = cosOrientation_ * direction.thetaHat + sinOrientation_ * direction.phiHat;
    const Eigen::Vector3d v = -sinOrientation_ * direction.thetaHat + cosOrientation_ * direction.phiHat;
    const double scale = 1.0 / std::sqrt(1.0 + ellipticity_ * ellipticity_);
    return (u.cast<std::complex<double>>() - std::complex<double>(0.0, ellipticity_) * v.cast<std::complex<double>>()) *
           scale;
}

std::complex<double> coPolarFactor(const Material& material, const Eigen::Vector3d& normal,
                                   const Eigen::Vector3d& towardsRadar, const Vector3c& h, double hh)
{
    const double cosIncidence = std::abs(normal.dot(towardsRadar));
    if (material.perfectConductor)
        return hh;
    const Reflection r = reflect(material, std::min(cosIncidence, 1.0));
    const Eigen::Vector3d across = towardsRadar.cross(normal);
    const double length = across.norm();
    // Along the normal the plane of incidence is undefined, but there R_TE = R_TM.
    if (length < 1e-12)
        return r.tm * hh;
    const Eigen::Vector3d t = across / length;
    const std::complex<double> ht = h.x() * t.x() + h.y() * t.y() + h.z() * t.z();
    return r.tm * hh + (r.te - r.tm) * ht * ht;
}

} // namespace feltrane
