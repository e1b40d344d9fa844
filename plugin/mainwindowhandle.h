#pragma once
// The process-wide reference to the main window, safe to use from any thread.
//
// The window lives on the GUI thread and deletes itself when closed; host threads must never
// reach it after that. Every use happens under one lock that the window's destructor also takes,
// so a window seen here stays alive until the use ends.

#include <mutex>

class CMainWindow;

namespace kalmeno {

class MainWindowHandle {
public:
    enum class CloseRequest {
        Posted,      // the window closes on the GUI thread
        Deferred,    // the GUI thread builds the window (and closes it once built) or ends anyway
        NoInterface, // no GUI thread runs: the caller ends the process
    };

    // Lifecycle of the GUI thread, written by Initialize and the thread itself. markStarting is
    // false while a GUI thread already runs: a process holds one QApplication only.
    bool markStarting();
    void markStartFailed();
    void markEnded();

    // Returns true when a close was requested while the window was being built: the caller then
    // closes it right away.
    bool registerWindow(CMainWindow* window);
    // From the window's destructor; only forgets `window` itself.
    void unregisterWindow(CMainWindow* window);

    // Queues the window's close on the GUI thread when there is a window.
    CloseRequest requestClose();

private:
    enum class Phase { Idle, Starting, Running, Ended };

    std::mutex mutex_;
    CMainWindow* window_ = nullptr;
    Phase phase_ = Phase::Idle;
    bool closeRequested_ = false;
};

} // namespace kalmeno
