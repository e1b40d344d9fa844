#pragma once
// The merged model opens with the generation settings of its base: the base's settings file is
// copied beside the merged file, never over one that is already there.

#include "mergelog.h"

#include <string>

namespace mtmmerge {

// The settings file of an MTM: same folder, the file's complete base name (without its last
// suffix) and ".ini" (C:/m/plane.mtm -> C:/m/plane.ini).
std::string settingsFilePathOf(const std::string& mtmPath);

// Copies the settings file of `basePath` to the settings file of `outputPath`, creating the
// output's folder when missing. False, with a debug diagnostic, when the base has none, the folder
// cannot be made, the target exists or the copy fails.
bool copySettingsFile(const std::string& basePath, const std::string& outputPath, MergeLog& log);

} // namespace mtmmerge
