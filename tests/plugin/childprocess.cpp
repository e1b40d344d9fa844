#include "childprocess.h"

#include <csignal>
#include <poll.h>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

ChildOutcome runInChild(const std::function<std::string()>& scenario, int timeoutSeconds)
{
    ChildOutcome outcome;
    int fds[2];
    if (pipe(fds) != 0)
        return outcome;
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0)
        return outcome;
    if (pid == 0) {
        close(fds[0]);
        const std::string report = scenario();
        ssize_t written = write(fds[1], report.data(), report.size());
        (void)written;
        close(fds[1]);
        _exit(0);
    }
    close(fds[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    auto timedOut = [&] { return std::chrono::steady_clock::now() > deadline; };
    char buffer[4096];
    for (;;) {
        pollfd readable{fds[0], POLLIN, 0};
        if (poll(&readable, 1, 100) > 0) {
            const ssize_t n = read(fds[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            outcome.report.append(buffer, static_cast<std::size_t>(n));
        } else if (timedOut()) {
            break;
        }
    }
    close(fds[0]);

    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (timedOut()) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            outcome.report += "\n<timeout>";
            return outcome;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    outcome.exited = WIFEXITED(status);
    outcome.status = outcome.exited ? WEXITSTATUS(status) : -1;
    return outcome;
}
