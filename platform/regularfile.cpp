#include "regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

std::string kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISLNK(mode))
        return "a symbolic link";
    return "of an unknown kind";
}

std::string tooLarge(std::uint64_t maxBytes, std::uint64_t size)
{
    return "larger than " + std::to_string(maxBytes) + " bytes (" + std::to_string(size) + ")";
}

} // namespace

std::string notRegularFileReason(unsigned mode)
{
    return "not a regular file (" + kindOf(mode) + ")";
}

kalmeno::Result<FileDescriptor> openRegularFile(const std::string& path)
{
    using R = kalmeno::Result<FileDescriptor>;
    // Looked at first, so that a device is never even opened; O_NONBLOCK keeps a FIFO swapped in
    // between from blocking the open, and the descriptor is checked again.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return R::failure(std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        return R::failure(notRegularFileReason(status.st_mode));
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.isOpen())
        return R::failure(std::strerror(errno));
    if (::fstat(file.get(), &status) != 0)
        return R::failure(std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        return R::failure(notRegularFileReason(status.st_mode));
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags >= 0)
        ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK);
    return R::success(std::move(file));
}

kalmeno::Result<bool> regularFileWithin(const std::string& path, std::uint64_t maxBytes)
{
    using R = kalmeno::Result<bool>;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? R::success(false) : R::failure(std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        return R::failure(notRegularFileReason(status.st_mode));
    if (static_cast<std::uint64_t>(status.st_size) > maxBytes)
        return R::failure(tooLarge(maxBytes, static_cast<std::uint64_t>(status.st_size)));
    return R::success(true);
}

kalmeno::Result<std::string> readRegularFile(const std::string& path, std::uint64_t maxBytes)
{
    using R = kalmeno::Result<std::string>;
    auto file = openRegularFile(path);
    if (!file)
        return R::failure(file.error());
    struct stat status {};
    if (::fstat(file->get(), &status) != 0)
        return R::failure(std::strerror(errno));
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size > maxBytes)
        return R::failure(tooLarge(maxBytes, size));

    // The size is only a hint: a file that grows while it is read still stops at the limit.
    std::string content(static_cast<std::size_t>(size), '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (content.size() > maxBytes)
                return R::failure("larger than " + std::to_string(maxBytes) + " bytes");
            content.resize(content.size() + 4096);
        }
        const ssize_t got = ::read(file->get(), content.data() + filled, content.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return R::failure(std::strerror(errno));
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    content.resize(filled);
    if (content.size() > maxBytes)
        return R::failure("larger than " + std::to_string(maxBytes) + " bytes");
    return R::success(std::move(content));
}

} // namespace platform
