#include "console.h"

#include <signal.h>
#include <unistd.h>

namespace platform {

namespace {

volatile sig_atomic_t interrupted = 0;
struct sigaction previous {};

void recordInterrupt(int)
{
    interrupted = 1;
}

} // namespace

bool errorStreamIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

InterruptWatch::InterruptWatch()
{
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = recordInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous);
}

InterruptWatch::~InterruptWatch()
{
    sigaction(SIGINT, &previous, nullptr);
}

bool InterruptWatch::raised() const
{
    return interrupted != 0;
}

} // namespace platform
