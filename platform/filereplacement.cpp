#include "filereplacement.h"

#include "regularfile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace platform {

namespace {

// The longest name of one folder entry on the file systems we write to.
constexpr std::size_t kNameMax = 255;
// As the kernel's own limit for following links.
constexpr int kMaxLinkHops = 40;

std::string systemError()
{
    return std::strerror(errno);
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string join(const std::string& folder, const std::string& name)
{
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// The file a path names once its symbolic links are followed; it need not exist.
kalmeno::Result<std::string> followLinks(const std::string& path)
{
    using R = kalmeno::Result<std::string>;
    std::string current = path;
    for (int hops = 0;; ++hops) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0)
            return errno == ENOENT ? R::success(current) : R::failure(systemError());
        if (!S_ISLNK(status.st_mode))
            return R::success(current);
        if (hops == kMaxLinkHops)
            return R::failure("too many levels of symbolic links");
        std::string link(4096, '\0');
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
        if (length < 0)
            return R::failure(systemError());
        if (static_cast<std::size_t>(length) >= link.size())
            return R::failure("a symbolic link too long to follow");
        link.resize(static_cast<std::size_t>(length));
        current = link.front() == '/' ? link : join(folderOf(current), link);
    }
}

std::string randomToken()
{
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char bytes[6] = {};
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        auto seed = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                    (static_cast<unsigned long long>(::getpid()) << 20);
        for (unsigned char& byte : bytes) {
            seed = seed * 6364136223846793005ull + 1442695040888963407ull;
            byte = static_cast<unsigned char>(seed >> 56);
        }
    }
    std::string token;
    for (const unsigned char byte : bytes)
        token += alphabet[byte % (sizeof alphabet - 1)];
    return token;
}

int createExclusive(const std::string& path, mode_t mode)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

} // namespace

kalmeno::Result<FileReplacement> FileReplacement::begin(const std::string& path, const std::string& preferredSuffix)
{
    using R = kalmeno::Result<FileReplacement>;
    if (path.empty())
        return R::failure("no file name");
    auto target = followLinks(path);
    if (!target)
        return R::failure(target.error());

    FileReplacement replacement;
    replacement.target_ = target.value();
    const std::string folder = folderOf(replacement.target_);
    const std::string name = nameOf(replacement.target_);
    if (name.empty() || name == "." || name == "..")
        return R::failure("not a file name");

    struct stat status {};
    if (::stat(replacement.target_.c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode))
            return R::failure(notRegularFileReason(status.st_mode));
        // Renaming would get round a file's write protection; a plain write would not.
        if (::faccessat(AT_FDCWD, replacement.target_.c_str(), W_OK, AT_EACCESS) != 0)
            return R::failure(systemError());
        replacement.replacesFile_ = true;
        replacement.mode_ = status.st_mode & 07777;
        replacement.owner_ = status.st_uid;
        replacement.group_ = status.st_gid;
    } else if (errno != ENOENT) {
        return R::failure(systemError());
    }
    // Over an existing file nobody else may read the new content before it has the old mode; a
    // new file gets the mode a plain create gives (the umask applies).
    const mode_t createMode = replacement.replacesFile_ ? 0600 : 0666;

    if (!preferredSuffix.empty() && name.size() + preferredSuffix.size() <= kNameMax) {
        const std::string candidate = join(folder, name + preferredSuffix);
        replacement.file_.reset(createExclusive(candidate, createMode));
        if (replacement.file_.isOpen())
            replacement.temporary_ = candidate;
        else if (errno != EEXIST)
            return R::failure("cannot create " + candidate + ": " + systemError());
    }
    // "." + name + "." + six characters, the name cut to fit.
    const std::string stem = "." + name.substr(0, kNameMax - 8) + ".";
    for (int attempt = 0; !replacement.file_.isOpen() && attempt < 100; ++attempt) {
        const std::string candidate = join(folder, stem + randomToken());
        replacement.file_.reset(createExclusive(candidate, createMode));
        if (replacement.file_.isOpen())
            replacement.temporary_ = candidate;
        else if (errno != EEXIST)
            return R::failure("cannot create a file in " + folder + ": " + systemError());
    }
    if (!replacement.file_.isOpen())
        return R::failure("cannot find a free temporary name in " + folder);
    return R::success(std::move(replacement));
}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
{
    *this = std::move(other);
}

FileReplacement& FileReplacement::operator=(FileReplacement&& other) noexcept
{
    if (this == &other)
        return *this;
    discard();
    target_ = std::move(other.target_);
    temporary_ = std::exchange(other.temporary_, std::string());
    file_ = std::move(other.file_);
    replacesFile_ = other.replacesFile_;
    mode_ = other.mode_;
    owner_ = other.owner_;
    group_ = other.group_;
    committed_ = other.committed_;
    return *this;
}

FileReplacement::~FileReplacement()
{
    discard();
}

void FileReplacement::discard()
{
    file_.reset();
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

kalmeno::Status FileReplacement::write(const void* data, std::size_t bytes)
{
    const auto* next = static_cast<const char*>(data);
    while (bytes > 0) {
        const ssize_t written = ::write(file_.get(), next, bytes);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return kalmeno::Status::failure("cannot write: " + systemError());
        }
        next += written;
        bytes -= static_cast<std::size_t>(written);
    }
    return kalmeno::Status::success();
}

kalmeno::Status FileReplacement::commit()
{
    using S = kalmeno::Status;
    if (committed_ || !file_.isOpen())
        return S::failure("nothing to commit");
    if (::fsync(file_.get()) != 0)
        return S::failure("cannot write: " + systemError());
    if (replacesFile_) {
        struct stat own {};
        // Only root can give a file away; anyone else keeps the new file as their own.
        if (::fstat(file_.get(), &own) == 0 && (own.st_uid != owner_ || own.st_gid != group_))
            (void)::fchown(file_.get(), owner_, group_);
        if (::fchmod(file_.get(), mode_) != 0)
            return S::failure("cannot set the permissions: " + systemError());
    }
    struct stat status {};
    if (::lstat(target_.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        return S::failure("changed while it was written: " + notRegularFileReason(status.st_mode));
    if (::close(file_.release()) != 0)
        return S::failure("cannot write: " + systemError());
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return S::failure("cannot replace " + target_ + ": " + systemError());
    committed_ = true;
    // The rename itself is made durable by flushing the folder; the file is whole either way.
    FileDescriptor folder(::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.isOpen())
        (void)::fsync(folder.get());
    return S::success();
}

kalmeno::Status replaceFile(const std::string& path, const std::function<kalmeno::Status(FileReplacement&)>& fill,
                            const std::string& preferredSuffix)
{
    auto replacement = FileReplacement::begin(path, preferredSuffix);
    if (!replacement)
        return kalmeno::Status::failure(replacement.error());
    if (auto filled = fill(replacement.value()); !filled)
        return filled;
    return replacement->commit();
}

} // namespace platform
