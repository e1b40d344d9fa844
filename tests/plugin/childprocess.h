#pragma once
// Runs a scenario in a forked child, so each one gets a fresh plug-in (its state is process-wide
// and its GUI thread may end the process). The child reports text through a pipe.

#include <functional>
#include <string>

struct ChildOutcome {
    bool exited = false; // ended normally (not by a signal)
    int status = -1;     // exit status when `exited`
    std::string report;  // what the scenario returned, or wrote before the process ended
};

// `scenario` runs in the child; its result is the report, and the child ends with status 0.
// Call only while the calling process has a single thread.
ChildOutcome runInChild(const std::function<std::string()>& scenario, int timeoutSeconds = 30);
