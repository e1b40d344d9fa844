#pragma once
// The command line of the `quelmar` executable.

#include "result.h"

#include <optional>
#include <string>
#include <vector>

namespace quelmar {

struct QuelmarOptions {
    std::string pluginPath;            // default: libKalmeno.so beside the executable
    std::string logPath = "quelmar.log";
    std::optional<double> releaseAfterSeconds;
    double frameRate = 20.0;
    double shutdownLimitSeconds = 30.0; // from the shutdown request to the process's end, at most
    std::string scenePath;             // loaded and run at start when given
    bool headless = false;             // no viewport even with a display
    std::string screenshotPath;        // the viewport written as a PNG once, when given
    double screenshotAfterSeconds = 0.0;
    bool help = false;
};

// `executableDir` supplies the default plug-in path.
kalmeno::Result<QuelmarOptions> parseQuelmarOptions(const std::vector<std::string>& arguments,
                                                    const std::string& executableDir);

std::string quelmarUsage();

} // namespace quelmar
