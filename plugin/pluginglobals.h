#pragma once
// The plug-in's process-wide state, shared by the exports (host threads) and the GUI thread.

#include "mainwindowhandle.h"

#include <atomic>

namespace kalmeno {

// The host asked the plug-in to shut down.
extern std::atomic<bool> released;
// The one main window, and whether the GUI thread runs.
extern MainWindowHandle mainWindow;

} // namespace kalmeno
