#pragma once
// The plug-in's process-wide state, shared by the exports (host threads) and the GUI thread.

#include "mainwindowhandle.h"

#include "ihost.h"
#include "ihostlogger.h"

#include <atomic>

namespace kalmeno {

// Set by Initialize, kept for the life of the process.
extern std::atomic<hostsdk::IHost*> hostObject;
// May stay null: then nothing is logged.
extern std::atomic<hostsdk::IHostLogger*> hostLogger;
// The host asked the plug-in to shut down.
extern std::atomic<bool> released;
// The one main window, and whether the GUI thread runs.
extern MainWindowHandle mainWindow;

} // namespace kalmeno
