#pragma once
// A loaded scene: everything the reference host simulates, in the scene frame (local
// east-north-up at the origin, metres).

#include "camerapath.h"
#include "enuframe.h"
#include "placement.h"
#include "xormaterialrecord.h"

#include <Eigen/Dense>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quelmar {

// One renderable triangle, counter-clockwise seen from outside (as in its mesh file); `material`
// indexes the XOR table (it may lie outside it: the plug-in reports such triangles itself).
struct SceneTriangle {
    Eigen::Vector3d a;
    Eigen::Vector3d b;
    Eigen::Vector3d c;
    std::int32_t material = 0;
};

struct SceneObject {
    std::string name;
    Placement placement;
    // Mesh files and .mtm files in the order the scene file lists them, resolved against the
    // scene file's folder.
    std::vector<std::string> paths;
    std::vector<std::string> meshPaths;
    std::vector<std::string> mtmPaths;
    std::vector<SceneTriangle> triangles;
};

// A flat square ground patch tangent to the Earth at the origin, split into divisions × divisions
// squares of two triangles each.
struct SceneSurface {
    double size = 0.0;         // edge length, metres; 0 = no surface
    double height = 0.0;       // above the origin, metres
    std::int32_t material = 0;
    int divisions = 1;
    bool extended = false;     // what the surface conveyer reports as its extended mode
    std::vector<SceneTriangle> triangles;
};

struct Scene {
    std::string sourcePath;
    EnuFrame frame;            // holds the origin
    std::vector<SceneObject> objects;
    SceneSurface surface;
    // Absent: the scene has no XOR module. Present and empty: a module without materials.
    std::optional<std::vector<XorMaterialRecord>> materials;
    // Feedback buffer size the XOR module reports; 0 lets the plug-in choose.
    std::int32_t feedbackMegabytes = 0;
    CameraPath camera;

    const SceneObject* findObject(const std::string& name) const;
    std::size_t triangleCount(bool withObjects, bool withSurface) const;
};

} // namespace quelmar
