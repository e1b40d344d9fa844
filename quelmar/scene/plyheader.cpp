#include "plyheader.h"

#include "regularfile.h"

#include <unistd.h>

#include <string>

namespace quelmar {

namespace {

constexpr std::size_t kLongestHeader = std::size_t(1) << 20;

} // namespace

kalmeno::Status checkPlyHeader(const std::string& path)
{
    auto opened = platform::openRegularFile(path);
    if (!opened)
        return kalmeno::Status::failure(opened.error());
    std::string head(kLongestHeader, '\0');
    std::size_t filled = 0;
    while (filled < head.size()) {
        const ssize_t got = ::read(opened->get(), head.data() + filled, head.size() - filled);
        if (got <= 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    head.resize(filled);
    if (head.compare(0, 3, "ply") != 0)
        return kalmeno::Status::success();
    // The end is a line of its own ("comment end_header" or "xend_header" is not one).
    for (std::size_t at = head.find("end_header"); at != std::string::npos; at = head.find("end_header", at + 1)) {
        const bool lineStart = at > 0 && (head[at - 1] == '\n' || head[at - 1] == '\r');
        const bool lineEnd = at + 10 < head.size() && (head[at + 10] == '\n' || head[at + 10] == '\r');
        if (lineStart && lineEnd)
            return kalmeno::Status::success();
    }
    return kalmeno::Status::failure("a PLY header without its end (an \"end_header\" line within the first megabyte)");
}

} // namespace quelmar
