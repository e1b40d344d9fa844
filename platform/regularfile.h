#pragma once
// Opening the files a reader takes in whole (.mtm files, settings, scenes, meshes). Only a regular
// file is opened: a FIFO, a device, a socket or a folder under such a name is refused with a
// reason before anything could block on it.

#include "filedescriptor.h"
#include "result.h"

#include <cstdint>
#include <string>

namespace platform {

// "not a regular file (a FIFO)", "(a folder)", "(a device)"... for a file mode that is not a
// regular file's.
std::string notRegularFileReason(unsigned mode);

// Opens a regular file for reading (symbolic links followed). The failure says why: the system's
// reason, or "not a regular file (a FIFO)".
kalmeno::Result<FileDescriptor> openRegularFile(const std::string& path);

// Whether `path` may be read whole, without opening it: false when nothing is there, true for a
// regular file of at most `maxBytes` bytes, else the reason it may not ("not a regular file (a
// FIFO)", "larger than ... bytes").
kalmeno::Result<bool> regularFileWithin(const std::string& path, std::uint64_t maxBytes);

// The whole content of a regular file of at most `maxBytes` bytes; a larger file is refused
// before it is read.
kalmeno::Result<std::string> readRegularFile(const std::string& path, std::uint64_t maxBytes);

} // namespace platform
