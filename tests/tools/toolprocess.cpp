#include "toolprocess.h"

#include "mtmfilebuilder.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <stdexcept>
#include <thread>

extern char** environ;

ToolRun runMtm(const std::vector<std::string>& arguments)
{
    const TemporaryFolder capture("mtm-tool-test");
    const std::string outPath = capture.file("stdout");
    const std::string errPath = capture.file("stderr");

    std::vector<std::string> words{MTM_PROGRAM};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error(std::string("cannot start ") + MTM_PROGRAM);

    // A generous watchdog turns a hang (a FIFO read or written) into a failure.
    int waitStatus = 0;
    bool killed = false;
    rusage usage{};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (wait4(child, &waitStatus, WNOHANG, &usage) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            wait4(child, &waitStatus, 0, &usage);
            killed = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ToolRun run;
    run.peakKiB = usage.ru_maxrss;
    run.status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    run.out = readFileBytes(outPath);
    run.err = readFileBytes(errPath) + (killed ? "(killed: still running after 120 s)" : "");
    return run;
}
