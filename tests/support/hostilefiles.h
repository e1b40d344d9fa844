#pragma once
// Files a hostile user puts where a program expects a regular file, made in a folder of their own
// that goes away with everything in it.

#include "temporaryfolder.h"

#include <functional>
#include <string>
#include <vector>

class HostileFolder {
public:
    HostileFolder() = default;
    ~HostileFolder();
    HostileFolder(const HostileFolder&) = delete;
    HostileFolder& operator=(const HostileFolder&) = delete;

    std::string path(const std::string& name) const { return folder_.file(name); }

    std::string regular(const std::string& name, const std::string& content, unsigned mode = 0644) const;
    // A folder, empty or holding a folder of its own.
    std::string folder(const std::string& name, bool empty = false) const;
    std::string fifo(const std::string& name) const;
    std::string socket(const std::string& name);
    // A character device like /dev/null, or "" when this process may not make one (not root).
    std::string device(const std::string& name) const;
    std::string link(const std::string& name, const std::string& target) const;

    // Names in the folder, sorted.
    std::string listing() const;

private:
    TemporaryFolder folder_{"hostile"};
    std::vector<int> sockets_;
};

// Runs `call` on a thread of its own; false when it has not returned after `seconds` (a hang turned
// into a failure). `unblock` then runs to free the stuck call before the thread is waited for.
bool returnsWithin(double seconds, const std::function<void()>& call, const std::function<void()>& unblock);

// Opens both ends of a FIFO without blocking, then closes them: a reader or a writer stuck in
// open() returns.
void releaseFifo(const std::string& fifo);
