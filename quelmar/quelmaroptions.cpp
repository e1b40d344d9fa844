#include "quelmaroptions.h"

#include <cmath>
#include <cstdlib>

namespace quelmar {

namespace {

kalmeno::Result<double> positiveNumber(const std::string& option, const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value <= 0.0)
        return kalmeno::Result<double>::failure(option + " needs a positive number, not \"" + text + "\"");
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
        const bool takesValue = option == "--plugin" || option == "--log" || option == "--release-after" ||
                                option == "--frame-rate" || option == "--scene";
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
        } else {
            auto number = positiveNumber(option, value);
            if (!number)
                return R::failure(number.error());
            if (option == "--release-after")
                options.releaseAfterSeconds = number.value();
            else
                options.frameRate = number.value();
        }
    }
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
           "  --help                 this text\n"
           "\n"
           "SIGINT and SIGTERM ask the plug-in to shut down. Exit status 0 on a normal end,\n"
           "1 when the plug-in cannot be loaded or an option is wrong.\n";
}

} // namespace quelmar
