#pragma once
// A ray tube of the bouncing rays: the field it carries reflected at a facet (geometrical
// optics), and its return to the radar after its last reflection (the physical-optics integral
// over its footprint). Complex vectors are plain products here: no conjugation anywhere.

#include "antenna.h"
#include "material.h"

#include <Eigen/Core>

#include <complex>

namespace feltrane {

// The direction a ray leaves a facet with unit normal `normal` (either side): k̂ − 2(n·k̂)n.
inline Eigen::Vector3d mirrored(const Eigen::Vector3d& v, const Eigen::Vector3d& normal)
{
    return v - 2.0 * normal.dot(v) * normal;
}

// E′ = −R_TE (E·ŝ) ŝ + R_TM (E·p̂) p̂′ for the field E arriving along `incoming` and leaving along
// `outgoing` (= mirrored(incoming, normal)).
Vector3c reflectedField(const Material& material, const Eigen::Vector3d& normal, const Eigen::Vector3d& incoming,
                        const Eigen::Vector3d& outgoing, const Vector3c& field);

// What a tube holds at the hit point of its last reflection.
struct TubeAtHit {
    Eigen::Vector3d litNormal; // n_l, on the side the ray arrives from
    Eigen::Vector3d incoming;  // k̂
    Eigen::Vector3d outgoing;  // k̂′
    Vector3c field;            // E arriving, without its phase
    Vector3c reflected;        // E′
    Eigen::Vector3d edgeU;     // the tube's edges arriving, perpendicular to k̂
    Eigen::Vector3d edgeV;
};

// The received amplitude of the tube's PO currents towards the radar at `towardsRadar` (d), for
// the antenna h, without the phase of the hit point: S_tube e^{−jΦ}, in metres.
std::complex<double> tubeReturn(const TubeAtHit& tube, const Eigen::Vector3d& towardsRadar, const Vector3c& h,
                                double wavelength);

} // namespace feltrane
