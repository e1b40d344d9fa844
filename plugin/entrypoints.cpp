// The five functions the host calls. Everything else in the library stays hidden (exports.map).

#include "guithread.h"
#include "pluginglobals.h"

#include <bridgelog.h>
#include <bridgestate.h>

#include "exportsymbol.h"
#include "hostrecords.h"
#include "threads.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <future>
#include <memory>

namespace {

struct InterfaceRequest {
    const char* interfaceName;
    const char* progId;
    std::uint8_t flag;
};

const InterfaceRequest kRequests[] = {
    {"TypeLib.Quelmar.IEngine", "Quelmar.Engine", 1},
    {"TypeLib.Quelmar.Maintance.ICallbackProvider", "Quelmar.Engine", 0},
    {"TypeLib.Quelmar.IConverter", "Quelmar.Converter.Converter", 1},
};
constexpr std::int32_t kRequestCount = sizeof(kRequests) / sizeof(kRequests[0]);

// Copies at most size - 1 characters and the NUL; bytes after the NUL stay as they were.
void copyBounded(char* field, std::size_t size, const char* text)
{
    const std::size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

} // namespace

#define KALMENO_EXPORT PLATFORM_EXPORT

extern "C" {

KALMENO_EXPORT std::int32_t get_CountRequestInterfaces()
{
    return kRequestCount;
}

KALMENO_EXPORT void RequestInterfaces(hostsdk::RequestedInterface* records)
{
    bridge::logRawInfo("RequestInterfaces()");
    if (!records)
        return;
    for (std::int32_t i = 0; i < kRequestCount; ++i) {
        hostsdk::RequestedInterface& record = records[i];
        copyBounded(record.progId, sizeof(record.progId), kRequests[i].progId);
        copyBounded(record.interfaceName, sizeof(record.interfaceName), kRequests[i].interfaceName);
        record.flag = kRequests[i].flag;
    }
}

KALMENO_EXPORT void Initialize(hostsdk::IHost* host, hostsdk::IHostLogger* logger)
{
    // A refused call changes nothing: the running interface keeps its host and logger.
    if (!kalmeno::mainWindow.markStarting()) {
        bridge::logRawInfo("Kalmeno Initialize()");
        bridge::LogError("Initialize while the user interface is running: ignored");
        return;
    }
    bridge::bridgeState().host = host;
    bridge::bridgeState().hostLogger = logger;
    bridge::logRawInfo("Kalmeno Initialize()");

    // Returns once the new thread holds Qt: nothing the host does afterwards can take it over.
    auto owned = std::make_shared<std::promise<void>>();
    std::future<void> ownsQt = owned->get_future();
    auto thread = platform::startDetachedThread([owned] { kalmeno::Start([&owned] { owned->set_value(); }); });
    if (!thread) {
        kalmeno::mainWindow.markStartFailed();
        bridge::LogError("Cannot start the user interface thread: " + thread.error());
        return;
    }
    ownsQt.wait();
}

KALMENO_EXPORT void Release()
{
    bridge::logRawInfo("Release()");
    kalmeno::released.store(true);
    if (kalmeno::mainWindow.requestClose() == kalmeno::MainWindowHandle::CloseRequest::NoInterface)
        std::exit(0);
}

KALMENO_EXPORT void UnloadedObject(void*)
{
}

} // extern "C"
