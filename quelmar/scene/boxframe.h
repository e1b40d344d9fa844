#pragma once
// A box placed in the scene: the generation area or any box the plug-in creates. Sizes along the
// box frame's axes: x length, y height, z width (metres), centred on the placement.

#include "bodyframe.h"

#include <Eigen/Dense>

namespace quelmar {

struct BoxGeometry {
    Placement placement;
    double sizeX = 0.0;
    double sizeY = 0.0;
    double sizeZ = 0.0;
};

// Direction from the box centre, degrees. Direction (azimuth φ, elevation θ) in the box frame is
// (cos θ cos φ, sin θ, −cos θ sin φ): azimuth 0 is forward, +90 is to the left (−z).
struct ViewAngles {
    double azimuth = 0.0;   // (−180, 180]
    double elevation = 0.0; // [−90, 90]
};

class BoxFrame {
public:
    // The box a host uses for an unknown id: at the scene origin, not rotated, of zero size.
    BoxFrame() = default;
    BoxFrame(const EnuFrame& scene, const BoxGeometry& geometry);

    const BoxGeometry& geometry() const { return geometry_; }
    const BodyFrame& frame() const { return frame_; }

    Eigen::Vector3d sceneToBox(const Eigen::Vector3d& scene) const { return frame_.sceneToBody(scene); }
    Eigen::Vector3d boxToScene(const Eigen::Vector3d& box) const { return frame_.bodyToScene(box); }

    // Faces included.
    bool containsScenePoint(const Eigen::Vector3d& scene) const;
    // A triangle lies in the box when its centroid does.
    bool isTriangleInBox(const Eigen::Vector3d& a, const Eigen::Vector3d& b, const Eigen::Vector3d& c) const;
    // From the box centre towards `cameraScene`; a camera at the centre gives (0, 0).
    ViewAngles viewAngles(const Eigen::Vector3d& cameraScene) const;

private:
    BoxGeometry geometry_;
    BodyFrame frame_;
};

} // namespace quelmar
