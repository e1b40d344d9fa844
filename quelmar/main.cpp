// quelmar: the reference host. Loads the plug-in, hands it the host object and the logger, and
// runs until the plug-in's window closes or the plug-in is asked to shut down. With a display its
// main thread also serves the viewport, the host's 3-D window.

#include "hostconverter.h"
#include "hostengine.h"
#include "hostlogger.h"
#include "hostobject.h"
#include "pluginloader.h"
#include "quelmaroptions.h"
#include "shutdownwatchdog.h"
#include "threadwatch.h"
#include "viewport.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

std::string executableDir()
{
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return ".";
    std::string path(buffer, static_cast<std::size_t>(length));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string boundedText(const char* field, std::size_t size)
{
    return std::string(field, strnlen(field, size));
}

} // namespace

int main(int argc, char** argv)
{
    using namespace quelmar;

    // Signals are taken by the main loop below; every thread started later inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    auto parsed = parseQuelmarOptions(std::vector<std::string>(argv + 1, argv + argc), executableDir());
    if (!parsed) {
        std::fprintf(stderr, "quelmar: %s\nTry quelmar --help.\n", parsed.error().c_str());
        return 1;
    }
    const QuelmarOptions& options = parsed.value();
    if (options.help) {
        std::fputs(quelmarUsage().c_str(), stdout);
        return 0;
    }

    HostLogger logger;
    if (auto opened = logger.openFile(options.logPath); !opened) {
        std::fprintf(stderr, "quelmar: %s\n", opened.error().c_str());
        return 1;
    }

    auto loaded = loadPlugin(options.pluginPath);
    if (!loaded) {
        logger.hostError("Cannot use the plug-in: " + loaded.error());
        return 1;
    }
    LoadedPlugin& plugin = loaded.value();
    plugin.library.keepLoaded(); // its threads may run until the very end of the process
    logger.hostInfo("Plug-in loaded: " + plugin.library.path());

    HostEngine engine(logger, options.frameRate);
    HostConverter converter;
    HostObject host(engine, converter, logger);

    std::unique_ptr<Viewport> viewport;
    if (!options.headless) {
        ViewportSettings settings;
        settings.screenshotPath = options.screenshotPath;
        settings.screenshotAfterSeconds = options.screenshotAfterSeconds;
        auto opened = Viewport::open(engine, logger, settings);
        if (opened)
            viewport = std::move(opened.value());
        else if (options.screenshotPath.empty())
            logger.hostInfo("Running without a viewport: " + opened.error());
        else
            logger.hostError("No viewport, so no picture for --screenshot: " + opened.error());
    }

    const std::int32_t count = plugin.countRequestInterfaces();
    if (count < 0 || count > 1024) {
        logger.hostError("The plug-in asks for " + std::to_string(count) + " interfaces; refusing");
        return 1;
    }
    std::vector<hostsdk::RequestedInterface> records(static_cast<std::size_t>(count));
    if (!records.empty()) { // a plug-in may ask for nothing
        std::memset(records.data(), 0, records.size() * sizeof(hostsdk::RequestedInterface));
        plugin.requestInterfaces(records.data());
    }
    for (const auto& record : records)
        logger.hostInfo("The plug-in requests " + boundedText(record.interfaceName, sizeof record.interfaceName) +
                        " of " + boundedText(record.progId, sizeof record.progId) +
                        (record.flag ? " (required)" : " (optional)"));

    if (!options.scenePath.empty()) {
        engine.loadInitialState(options.scenePath);
        engine.Run();
    }

    const auto threadsBefore = ThreadWatch::currentThreads();
    plugin.initialize(&host, &logger);
    ThreadWatch pluginThreads;
    pluginThreads.watchNewSince(threadsBefore);

    const auto started = std::chrono::steady_clock::now();
    const std::chrono::duration<double> shutdownLimit(options.shutdownLimitSeconds);
    ShutdownWatchdog watchdog(logger);
    bool releaseSent = false;
    auto sendRelease = [&](const std::string& why) {
        if (releaseSent)
            return;
        releaseSent = true;
        watchdog.arm(shutdownLimit); // the plug-in may never come back from here
        logger.hostInfo("Asking the plug-in to shut down (" + why + ")");
        plugin.release(); // ends the process itself when the plug-in has no window
    };
    while (host.closedCount() == 0) {
        // Never longer than a tenth of a second away from the signals.
        const timespec tick{0, 100'000'000};
        const timespec now{0, 0};
        if (viewport)
            viewport->serve(100ms);
        const int signal = sigtimedwait(&stopSignals, nullptr, viewport ? &now : &tick);
        if (signal > 0)
            sendRelease(signal == SIGINT ? "SIGINT" : "SIGTERM");
        if (viewport && viewport->closeRequested())
            sendRelease("the viewport was closed");
        if (options.releaseAfterSeconds &&
            std::chrono::steady_clock::now() - started >= std::chrono::duration<double>(*options.releaseAfterSeconds))
            sendRelease("--release-after");
        if (releaseSent && pluginThreads.waitEnded(0ms))
            break;
    }

    watchdog.arm(shutdownLimit);
    if (viewport)
        viewport->detach(); // a frame waiting to be drawn would hold the engine thread
    engine.stop();
    viewport.reset();
    if (!pluginThreads.waitEnded(std::chrono::duration_cast<std::chrono::milliseconds>(shutdownLimit))) {
        logger.hostError(shutdownOverdueText(shutdownLimit));
        std::_Exit(1);
    }
    logger.hostInfo("quelmar ends");
    return 0;
}
