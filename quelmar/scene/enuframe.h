#pragma once
// The scene frame: the local east-north-up tangent frame at the scene origin, in metres.

#include "wgs84.h"

#include <Eigen/Dense>

namespace quelmar {

class EnuFrame {
public:
    EnuFrame() : EnuFrame(Geodetic{}) {}
    explicit EnuFrame(const Geodetic& origin);

    const Geodetic& origin() const { return origin_; }
    const Eigen::Vector3d& originEcef() const { return originEcef_; }

    Eigen::Vector3d ecefToScene(const Eigen::Vector3d& ecef) const;
    Eigen::Vector3d sceneToEcef(const Eigen::Vector3d& scene) const;
    Eigen::Vector3d geodeticToScene(const Geodetic& position) const;
    Geodetic sceneToGeodetic(const Eigen::Vector3d& scene) const;

    // Columns: the east, north and up unit vectors at `position`, in ECEF.
    static Eigen::Matrix3d enuAxesAt(const Geodetic& position);
    // The same axes expressed in this scene frame (identity at the origin itself).
    Eigen::Matrix3d enuAxesInScene(const Geodetic& position) const;

private:
    Geodetic origin_;
    Eigen::Vector3d originEcef_;
    Eigen::Matrix3d axes_; // columns east, north, up in ECEF
};

} // namespace quelmar
