#include "threadwatch.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

namespace quelmar {

std::set<long> ThreadWatch::currentThreads()
{
    std::set<long> threads;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (dirent* entry = readdir(dir)) {
            char* end = nullptr;
            const long id = std::strtol(entry->d_name, &end, 10);
            if (end != entry->d_name && *end == '\0')
                threads.insert(id);
        }
        closedir(dir);
    }
    return threads;
}

void ThreadWatch::watchNewSince(const std::set<long>& before)
{
    for (long id : currentThreads())
        if (!before.count(id))
            watched_.insert(id);
}

bool ThreadWatch::waitEnded(std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        bool anyAlive = false;
        for (long id : watched_)
            if (access(("/proc/self/task/" + std::to_string(id)).c_str(), F_OK) == 0)
                anyAlive = true;
        if (!anyAlive)
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace quelmar
