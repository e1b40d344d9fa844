#include "quelmaroptions.h"

#include <cmath>
#include <cstdlib>

namespace quelmar {

namespace {

kalmeno::Result<double> number(const std::string& option, const std::string& text, bool zeroAllowed)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value < 0.0 || (value == 0.0 && !zeroAllowed))
        return kalmeno::Result<double>::failure(option + " needs a " + (zeroAllowed ? "non-negative" : "positive") +
                                                " number, not \"" + text + "\"");
    return kalmeno::Result<double>::success(value);
}

} // namespace

kalmeno::Result<QuelmarOptions> parseQuelmarOptions(const std::vector<std::string>& arguments,
                                                    const std::string& executableDir)
{
    using R = kalmeno::Result<QuelmarOptions>;
    QuelmarOptions options;
    options.pluginPath = (executableDir.empty() ? std::string(".") : executableDir) + "/libKalmeno.so";

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option == "--headless") {
            options.headless = true;
            continue;
        }
        const bool takesValue = option == "--plugin" || option == "--log" || option == "--release-after" ||
                                option == "--frame-rate" || option == "--scene" || option == "--screenshot" ||
                                option == "--after" || option == "--shutdown-limit";
        if (!takesValue)
            return R::failure("unknown option \"" + option + "\"");
        if (i + 1 >= arguments.size())
            return R::failure(option + " needs a value");
        const std::string& value = arguments[++i];
        if (option == "--plugin") {
            options.pluginPath = value;
        } else if (option == "--log") {
            options.logPath = value;
        } else if (option == "--scene") {
            options.scenePath = value;
        } else if (option == "--screenshot") {
            options.screenshotPath = value;
        } else {
            auto seconds = number(option, value, option == "--after");
            if (!seconds)
                return R::failure(seconds.error());
            if (option == "--release-after")
                options.releaseAfterSeconds = seconds.value();
            else if (option == "--after")
                options.screenshotAfterSeconds = seconds.value();
            else if (option == "--shutdown-limit")
                options.shutdownLimitSeconds = seconds.value();
            else
                options.frameRate = seconds.value();
        }
    }
    if (options.headless && !options.screenshotPath.empty())
        return R::failure("--screenshot needs the viewport, so not with --headless");
    return R::success(options);
}

std::string quelmarUsage()
{
    return "Usage: quelmar [options]\n"
           "The reference host: loads the Kalmeno plug-in, hands it the host's objects and runs\n"
           "until the plug-in's window closes.\n"
           "\n"
           "  --plugin PATH          the plug-in library (default: libKalmeno.so beside quelmar)\n"
           "  --log FILE             the host log (default: quelmar.log in the working directory)\n"
           "  --scene FILE           load this initial-state file and run the engine at start\n"
           "                         (the plug-in normally loads scenes itself through its Open)\n"
           "  --release-after SECONDS  ask the plug-in to shut down after this time\n"
           "  --frame-rate HZ        engine frames per second (default 20)\n"
           "  --headless             no viewport, even on a display (tests, batch runs)\n"
           "  --screenshot FILE      write the viewport to this PNG file once, and go on\n"
           "  --after SECONDS        ... at the first frame this long after the start (default 0)\n"
           "  --shutdown-limit SECONDS  end the process this long after a shutdown began, whatever\n"
           "                         the plug-in is doing (default 30)\n"
           "  --help                 this text\n"
           "\n"
           "With an X display quelmar opens its viewport: the scene, the plug-in's generation\n"
           "boxes and point markers. The camera follows the scene's camera path; drag with the\n"
           "left mouse button to turn it around its target, use the wheel to zoom; a double\n"
           "click (or O, or Home) gives it back to its path. Closing the viewport ends quelmar.\n"
           "\n"
           "SIGINT and SIGTERM ask the plug-in to shut down. Exit status 0 on a normal end,\n"
           "1 when the plug-in cannot be loaded, an option is wrong or the shutdown limit passed.\n";
}

} // namespace quelmar
