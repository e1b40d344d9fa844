#pragma once
// The plug-in's GUI thread: its own QApplication, the main window and the event loop.

namespace kalmeno {

// The thread's body; returns when the main window has closed and the application is gone.
void Start();

} // namespace kalmeno
