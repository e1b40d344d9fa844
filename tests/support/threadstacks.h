#pragma once

#include <string>
#include <sys/types.h>

namespace testsupport {

// Every thread's stack of a running process, through gdb when it is installed: what a test prints
// when a process it started hangs, so that a hang seen once in a test run can be understood.
std::string threadStacks(pid_t pid);

} // namespace testsupport
