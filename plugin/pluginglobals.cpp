#include "pluginglobals.h"

namespace kalmeno {

std::atomic<hostsdk::IHost*> hostObject{nullptr};
std::atomic<hostsdk::IHostLogger*> hostLogger{nullptr};
std::atomic<bool> released{false};
MainWindowHandle mainWindow;

} // namespace kalmeno
