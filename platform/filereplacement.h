#pragma once
// How every output of the tool and the window is written. The new content goes to a temporary
// file beside the target and replaces it in one rename, so a failed write leaves the old file as
// it was:
//  - a symbolic link is written through: the file it points to is replaced, the link stays;
//  - only a regular file, or nothing, is replaced: folders, devices, FIFOs and sockets are refused
//    before anything is written;
//  - the replaced file keeps its permission bits (and its owner where the system allows);
//  - nothing is ever removed but the temporary file this writer made;
//  - names are bytes, and the temporary name fits wherever the target's name fits.

#include "filedescriptor.h"
#include "result.h"

#include <cstddef>
#include <functional>
#include <string>
#include <sys/types.h>

namespace platform {

class FileReplacement {
public:
    // Checks the target and creates the temporary file. With a `preferredSuffix` ("saving") the
    // temporary file is the target's name followed by it, when that name is free and fits;
    // otherwise (and without one) it is a hidden name of its own.
    static kalmeno::Result<FileReplacement> begin(const std::string& path, const std::string& preferredSuffix = {});

    FileReplacement(FileReplacement&& other) noexcept;
    FileReplacement& operator=(FileReplacement&& other) noexcept;
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    // Removes the temporary file unless the replacement was committed.
    ~FileReplacement();

    // The file that will be replaced: the path given, with symbolic links followed.
    const std::string& target() const { return target_; }
    const std::string& temporaryPath() const { return temporary_; }
    // Open for writing on the temporary file.
    int descriptor() const { return file_.get(); }

    kalmeno::Status write(const void* data, std::size_t bytes);

    // Flushes the temporary file to disk, gives it the old file's mode and renames it over the
    // target. Refuses when the target has meanwhile become something other than a regular file.
    kalmeno::Status commit();

private:
    FileReplacement() = default;
    void discard();

    std::string target_;
    std::string temporary_;
    FileDescriptor file_;
    bool replacesFile_ = false;
    mode_t mode_ = 0;
    uid_t owner_ = 0;
    gid_t group_ = 0;
    bool committed_ = false;
};

// begin, fill the temporary file, commit. A failure of `fill` leaves the target untouched.
kalmeno::Status replaceFile(const std::string& path, const std::function<kalmeno::Status(FileReplacement&)>& fill,
                            const std::string& preferredSuffix = {});

} // namespace platform
