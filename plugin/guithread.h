#pragma once
// The plug-in's GUI thread: its own QApplication, the main window and the event loop.

#include <functional>

namespace kalmeno {

// The thread's body; returns when the main window has closed and the application is gone.
// `ownsQt` runs first, once this thread has become Qt's main thread: whichever thread touches Qt
// first takes that role, and only the thread that holds it gets the window's input.
void Start(const std::function<void()>& ownsQt);

} // namespace kalmeno
