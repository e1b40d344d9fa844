#pragma once
// The terminal around a command-line program: whether its error stream is a terminal (worth a
// progress bar), and Ctrl+C turned into a request the program can poll (SetConsoleCtrlHandler on
// Win32).

namespace platform {

bool errorStreamIsTerminal();

// While one exists, an interrupt (Ctrl+C) no longer ends the process but is recorded here; the
// previous handling comes back when it is destroyed. One at a time.
class InterruptWatch {
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    bool raised() const;
};

} // namespace platform
