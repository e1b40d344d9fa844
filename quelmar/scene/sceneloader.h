#pragma once
// Reads an initial-state file (docs/scene-format.md) and the meshes it names.
//
// Problems inside the file (malformed XML, a bad attribute, a missing or unreadable mesh, an
// unknown material index) are logged as "<file>:<line>: <what>" and the rest of the scene still
// loads; malformed XML ends reading there, keeping what came before. A file that cannot be opened
// or holds no <scene> element is a failure. A mesh file named by several objects is read once.
//
// `stopRequested`, when given, is asked between meshes and while one loads; once it answers true
// the load ends within a moment with the failure "the load was stopped".

#include "result.h"
#include "scene.h"
#include "scenelog.h"

#include <functional>
#include <string>

namespace quelmar {

kalmeno::Result<Scene> loadScene(const std::string& path, const LogSink& log,
                                 const std::function<bool()>& stopRequested = {});

// The same over a scene file's text already in memory; `path` names it in messages and anchors the
// relative paths it holds.
kalmeno::Result<Scene> parseScene(std::string text, const std::string& path, const LogSink& log,
                                  const std::function<bool()>& stopRequested = {});

} // namespace quelmar
