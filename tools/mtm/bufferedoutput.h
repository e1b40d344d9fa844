#pragma once
// A file a command writes piece by piece, the safe way (platform's FileReplacement): text collects
// in a buffer and goes out in large writes; the target changes only when commit() succeeds.

#include "filereplacement.h"
#include "result.h"

#include <optional>
#include <string>
#include <string_view>

namespace mtm {

class BufferedOutput {
public:
    // Checks the target and starts the temporary file; the failure names the path.
    static kalmeno::Result<BufferedOutput> begin(const std::string& path);

    // Appends text; a write failure is kept and reported by commit().
    void append(std::string_view text);
    // Writes what is left and replaces the target; the failure names the path.
    kalmeno::Status commit();

private:
    explicit BufferedOutput(platform::FileReplacement file) : file_(std::move(file)) {}
    void flush();

    platform::FileReplacement file_;
    std::string target_; // as the user named it
    std::string buffer_;
    std::optional<std::string> failure_;
};

// Writes `bytes` to `path` the safe way; the failure reads "cannot write PATH: reason".
kalmeno::Status writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace mtm
