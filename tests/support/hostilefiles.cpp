#include "hostilefiles.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

HostileFolder::~HostileFolder()
{
    for (const int s : sockets_)
        ::close(s);
}

std::string HostileFolder::regular(const std::string& name, const std::string& content, unsigned mode) const
{
    const std::string file = path(name);
    std::ofstream(file, std::ios::binary) << content;
    ::chmod(file.c_str(), mode);
    return file;
}

std::string HostileFolder::folder(const std::string& name, bool empty) const
{
    const std::string file = path(name);
    std::filesystem::create_directories(empty ? file : file + "/inside");
    return file;
}

std::string HostileFolder::fifo(const std::string& name) const
{
    const std::string file = path(name);
    if (::mkfifo(file.c_str(), 0644) != 0)
        throw std::runtime_error("mkfifo " + file + ": " + std::strerror(errno));
    return file;
}

std::string HostileFolder::socket(const std::string& name)
{
    const std::string file = path(name);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (file.size() >= sizeof address.sun_path)
        throw std::runtime_error("socket path too long: " + file);
    std::memcpy(address.sun_path, file.c_str(), file.size() + 1);
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (s < 0 || ::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(s, 1) != 0)
        throw std::runtime_error("cannot make the socket " + file);
    sockets_.push_back(s);
    return file;
}

std::string HostileFolder::device(const std::string& name) const
{
    const std::string file = path(name);
    if (::mknod(file.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        return {};
    return file;
}

std::string HostileFolder::link(const std::string& name, const std::string& target) const
{
    const std::string file = path(name);
    std::filesystem::create_symlink(target, file);
    return file;
}

std::string HostileFolder::listing() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

bool returnsWithin(double seconds, const std::function<void()>& call, const std::function<void()>& unblock)
{
    auto done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::duration<double>(seconds)) == std::future_status::ready) {
        done.get();
        return true;
    }
    while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
        unblock();
    return false;
}

void releaseFifo(const std::string& fifo)
{
    // Either end opened without blocking frees whoever waits in open() for the other end; the reader
    // opened first keeps a writer from failing with ENXIO.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0)
        ::close(writer);
    if (reader >= 0)
        ::close(reader);
}
