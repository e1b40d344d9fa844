#pragma once
// What one engine frame shows: the scene in place, where the camera is and looks, and which layers
// are on. The engine reads it once per frame, so that the frame's feedback and its picture agree.

#include "scene.h"

#include <Eigen/Core>

#include <memory>

namespace quelmar {

struct FrameState {
    std::shared_ptr<const Scene> scene;
    Eigen::Vector3d eye = Eigen::Vector3d::Zero();
    Eigen::Vector3d target = Eigen::Vector3d::Zero();
    bool surfaceVisible = true;        // surface conveyer option 4
    bool surfaceLit = true;            // surface conveyer option 2
    bool objectsVisible = true;        // scene conveyer option 4 (polygonal models)
    bool objectsLit = true;            // scene conveyer option 2
    bool textures = true;              // channel option 4
};

} // namespace quelmar
