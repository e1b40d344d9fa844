#pragma once
// Triangles of a mesh file (any format Assimp reads: OBJ, STL, PLY, glTF...), in the file's own
// coordinates, all sub-meshes together.

#include "result.h"

#include <Eigen/Dense>

#include <array>
#include <string>
#include <vector>

namespace quelmar {

using MeshTriangle = std::array<Eigen::Vector3d, 3>;

kalmeno::Result<std::vector<MeshTriangle>> loadMeshTriangles(const std::string& path);

} // namespace quelmar
