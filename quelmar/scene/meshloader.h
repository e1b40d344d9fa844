#pragma once
// Triangles of a mesh file (any format Assimp reads: OBJ, STL, PLY, glTF...), in the file's own
// coordinates, all sub-meshes together. Hostile files get a reason instead of a crash or a stall:
// only regular files are opened (the mesh and every file it refers to), nesting deeper than any
// real model is refused before the import, every face index is checked, and polygons are split in
// time proportional to their size.

#include "result.h"

#include <Eigen/Dense>

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quelmar {

using MeshTriangle = std::array<Eigen::Vector3d, 3>;

// `stopRequested`, when given, is asked every 50 ms while the file loads; once it answers true the
// load ends at once with a failure (the import itself finishes in the background and is dropped).
// An import that takes longer than `timeLimit` (by default 30 s and 2 s per MB of the file) ends
// with a failure the same way: some malformed files send Assimp round a loop for good, which then
// keeps its thread busy until the process ends.
kalmeno::Result<std::vector<MeshTriangle>> loadMeshTriangles(
    const std::string& path, const std::function<bool()>& stopRequested = {},
    std::optional<std::chrono::milliseconds> timeLimit = std::nullopt);

} // namespace quelmar
