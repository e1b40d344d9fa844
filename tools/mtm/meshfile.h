#pragma once
// The triangles of a mesh file (STL, OBJ, PLY and whatever else Assimp reads), turned into the
// generation area's box frame: metres, x forward, y up, z = x × y.

#include "result.h"

#include <Eigen/Core>

#include <array>
#include <string>
#include <vector>

namespace mtm {

enum class UpAxis { Y, Z };

// Corners counter-clockwise seen from outside, as mesh files list them.
using MeshTriangle = std::array<Eigen::Vector3d, 3>;

// `up` Z turns a z-up file into the y-up box frame (a quarter turn about x); every coordinate is
// multiplied by `scale`. Node transforms of the file are applied.
kalmeno::Result<std::vector<MeshTriangle>> readMeshTriangles(const std::string& path, UpAxis up, double scale);

} // namespace mtm
