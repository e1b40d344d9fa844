// A plug-in that never lets go: its user-interface thread blocks for good (as one stuck reading a
// FIFO would), and with STUCK_RELEASE its Release never returns either. The host must end anyway.

#include "pluginexports.h"

#include <chrono>
#include <cstdint>
#include <thread>

namespace {

[[noreturn]] void blockForGood()
{
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(1));
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) std::int32_t get_CountRequestInterfaces()
{
    return 0;
}

__attribute__((visibility("default"))) void RequestInterfaces(hostsdk::RequestedInterface*) {}

__attribute__((visibility("default"))) void Initialize(hostsdk::IHost*, hostsdk::IHostLogger*)
{
    std::thread(blockForGood).detach();
}

__attribute__((visibility("default"))) void Release()
{
#ifdef STUCK_RELEASE
    blockForGood();
#endif
}

__attribute__((visibility("default"))) void UnloadedObject(void*) {}

} // extern "C"
