#pragma once
// An open POSIX file descriptor that is closed when its owner goes.

#include <utility>

namespace platform {

class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : descriptor_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    int get() const { return descriptor_; }
    // Hands the descriptor over; this object no longer closes it.
    int release() { return std::exchange(descriptor_, -1); }
    void reset(int descriptor = -1);

private:
    int descriptor_ = -1;
};

} // namespace platform
