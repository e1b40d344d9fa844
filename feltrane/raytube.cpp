#include "raytube.h"

#include "physicalconstants.h"

#include <Eigen/Geometry>

#include <cmath>

namespace feltrane {

namespace {

// a × b with a real: no conjugation, unlike Eigen's complex cross product.
Vector3c cross(const Eigen::Vector3d& a, const Vector3c& b)
{
    return {a.y() * b.z() - a.z() * b.y(), a.z() * b.x() - a.x() * b.z(), a.x() * b.y() - a.y() * b.x()};
}

std::complex<double> dot(const Vector3c& a, const Vector3c& b)
{
    return a.x() * b.x() + a.y() * b.y() + a.z() * b.z();
}

std::complex<double> dot(const Vector3c& a, const Eigen::Vector3d& b)
{
    return a.x() * b.x() + a.y() * b.y() + a.z() * b.z();
}

double sinc(double x)
{
    return std::fabs(x) < 1e-8 ? 1.0 : std::sin(x) / x;
}

} // namespace

Vector3c reflectedField(const Material& material, const Eigen::Vector3d& normal, const Eigen::Vector3d& incoming,
                        const Eigen::Vector3d& outgoing, const Vector3c& field)
{
    if (material.perfectConductor)
        return -field + (2.0 * dot(field, normal)) * normal.cast<std::complex<double>>();
    const double cosine = std::fabs(normal.dot(incoming));
    const Reflection r = reflect(material, std::min(cosine, 1.0));
    Eigen::Vector3d s = incoming.cross(normal);
    const double length = s.norm();
    if (length < 1e-12) {
        // Along the normal R_TE = R_TM, and E′ = −R E whatever ŝ is.
        return -r.te * field;
    }
    s /= length;
    const Eigen::Vector3d p = incoming.cross(s), pOut = outgoing.cross(s);
    return (-r.te * dot(field, s)) * s.cast<std::complex<double>>() +
           (r.tm * dot(field, p)) * pOut.cast<std::complex<double>>();
}

std::complex<double> tubeReturn(const TubeAtHit& tube, const Eigen::Vector3d& towardsRadar, const Vector3c& h,
                                double wavelength)
{
    const Eigen::Vector3d& n = tube.litNormal;
    const Eigen::Vector3d& d = towardsRadar;
    // h·[n × (k̂ × E + k̂′ × E′) + d × (n × (E + E′))]
    const Vector3c currents =
        cross(n, Vector3c(cross(tube.incoming, tube.field) + cross(tube.outgoing, tube.reflected)));
    const Vector3c magnetic = cross(d, cross(n, Vector3c(tube.field + tube.reflected)));
    const std::complex<double> received = dot(h, Vector3c(currents + magnetic));

    // The footprint: the tube's cross-section projected along k̂ onto the facet.
    const double cosine = n.dot(tube.incoming);
    const double k = 2.0 * kPi / wavelength;
    const Eigen::Vector3d q = k * (d - tube.incoming);
    const Eigen::Vector3d u = tube.edgeU - tube.incoming * (n.dot(tube.edgeU) / cosine);
    const Eigen::Vector3d v = tube.edgeV - tube.incoming * (n.dot(tube.edgeV) / cosine);
    const double area = tube.edgeU.norm() * tube.edgeV.norm() / std::fabs(cosine);
    return received * (area * sinc(0.5 * q.dot(u)) * sinc(0.5 * q.dot(v)) / (2.0 * wavelength));
}

} // namespace feltrane
