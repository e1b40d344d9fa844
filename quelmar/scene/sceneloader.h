#pragma once
// Reads an initial-state file (docs/scene-format.md) and the meshes it names.
//
// Problems inside the file (malformed XML, a bad attribute, a missing or unreadable mesh, an
// unknown material index) are logged as "<file>:<line>: <what>" and the rest of the scene still
// loads; malformed XML ends reading there, keeping what came before. A file that cannot be opened
// or holds no <scene> element is a failure.

#include "result.h"
#include "scene.h"
#include "scenelog.h"

#include <string>

namespace quelmar {

kalmeno::Result<Scene> loadScene(const std::string& path, const LogSink& log);

} // namespace quelmar
