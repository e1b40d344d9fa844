#include "offcheck.h"

#include "regularfile.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace quelmar {

namespace {

// Assimp copies a line into a buffer of this size and ends it one past a full buffer.
constexpr std::size_t kLongestLine = 4095;
constexpr std::size_t kMostCorners = 9; // Assimp's limit for one OFF face

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::vector<std::string> tokens(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string token; in >> token;)
        out.push_back(token);
    return out;
}

bool isCount(const std::string& token, std::uint64_t& value)
{
    if (token.empty() || token.size() > 18 || !std::all_of(token.begin(), token.end(), ::isdigit))
        return false;
    value = std::stoull(token);
    return true;
}

bool isNumber(const std::string& token)
{
    char* end = nullptr;
    const double value = std::strtod(token.c_str(), &end);
    return end != token.c_str() && *end == '\0' && std::isfinite(value);
}

// The file's lines, '\r' counted as a line end, blank lines left out as Assimp skips them; each
// with its number in the file.
class OffLines {
public:
    explicit OffLines(int fd) : fd_(fd) {}

    // False at the end of the file, or when a line is too long or holds a NUL (`error` says so).
    bool next(std::string& line, std::size_t& number, std::string& error)
    {
        for (;;) {
            line.clear();
            bool any = false;
            for (;;) {
                if (at_ == filled_ && !refill())
                    break;
                const char c = buffer_[at_++];
                any = true;
                if (c == '\n' || c == '\r') {
                    if (c == '\r' && (at_ < filled_ || refill()) && buffer_[at_] == '\n')
                        ++at_; // "\r\n" ends one line
                    break;
                }
                if (c == '\0') {
                    error = "line " + std::to_string(lineNumber_ + 1) + " holds a NUL byte";
                    return false;
                }
                if (line.size() == kLongestLine) {
                    error = "line " + std::to_string(lineNumber_ + 1) + " is longer than " +
                            std::to_string(kLongestLine) + " characters";
                    return false;
                }
                line.push_back(c);
            }
            if (!any)
                return false;
            ++lineNumber_;
            if (line.find_first_not_of(" \t\f\v") != std::string::npos) {
                number = lineNumber_;
                return true;
            }
        }
    }

private:
    bool refill()
    {
        const ssize_t got = ::read(fd_, buffer_, sizeof buffer_);
        if (got <= 0)
            return false;
        at_ = 0;
        filled_ = static_cast<std::size_t>(got);
        return true;
    }

    int fd_;
    char buffer_[1 << 16];
    std::size_t at_ = 0;
    std::size_t filled_ = 0;
    std::size_t lineNumber_ = 0;
};

kalmeno::Status failure(std::size_t line, const std::string& what)
{
    return kalmeno::Status::failure("OFF line " + std::to_string(line) + ": " + what);
}

} // namespace

kalmeno::Status checkOffFile(const std::string& path)
{
    auto opened = platform::openRegularFile(path);
    if (!opened)
        return kalmeno::Status::failure(opened.error());
    const int fd = opened->get();

    // Assimp reads a file as OFF by its extension, or by "off" in its first three bytes when no
    // importer claims the extension (a binary STL's free header may hold anything).
    char head[3] = {};
    const ssize_t got = ::pread(fd, head, sizeof head, 0);
    const std::string lowerPath = lower(path);
    const bool offByName = endsWith(lowerPath, ".off");
    const bool offByContent = got > 0 && lower(std::string(head, std::size_t(got))).find("off") != std::string::npos &&
                              !endsWith(lowerPath, ".stl");
    if (!offByName && !offByContent)
        return kalmeno::Status::success();

    OffLines lines(fd);
    std::string line, error;
    std::size_t number = 0;
    auto nextTokens = [&](std::vector<std::string>& out) {
        if (!lines.next(line, number, error))
            return false;
        out = tokens(line);
        return true;
    };
    auto ended = [&](const char* what) {
        return error.empty() ? kalmeno::Status::failure(std::string("the OFF file ends before ") + what)
                             : kalmeno::Status::failure("OFF " + error);
    };

    std::vector<std::string> words;
    if (!nextTokens(words))
        return ended("its header");
    if (words.size() != 1 || words[0] != "OFF")
        return failure(number, "only plain OFF files are read: the first line must be \"OFF\" alone");
    std::uint64_t vertices = 0, faces = 0, edges = 0;
    if (!nextTokens(words))
        return ended("its counts");
    if (words.size() != 3 || !isCount(words[0], vertices) || !isCount(words[1], faces) || !isCount(words[2], edges) ||
        vertices == 0 || faces == 0)
        return failure(number, "the counts of vertices, faces and edges must be three whole numbers, the first two above 0");

    for (std::uint64_t v = 0; v < vertices; ++v) {
        if (!nextTokens(words))
            return ended("its vertices");
        if (words.size() != 3 || !std::all_of(words.begin(), words.end(), isNumber))
            return failure(number, "a vertex is three numbers");
    }
    for (std::uint64_t f = 0; f < faces; ++f) {
        if (!nextTokens(words))
            return ended("its faces");
        std::uint64_t corners = 0;
        if (words.empty() || !isCount(words[0], corners) || corners < 3 || corners > kMostCorners ||
            words.size() < corners + 1)
            return failure(number, "a face is its number of corners (3 to " + std::to_string(kMostCorners) +
                                       ") and as many vertex indices");
        for (std::uint64_t k = 1; k <= corners; ++k) {
            std::uint64_t index = 0;
            if (!isCount(words[k], index) || index >= vertices)
                return failure(number, "vertex index " + words[k] + " is not one of the " + std::to_string(vertices) +
                                           " vertices");
        }
        // A face's colour may follow its indices.
        if (!std::all_of(words.begin() + std::ptrdiff_t(corners) + 1, words.end(), isNumber))
            return failure(number, "only numbers (a colour) may follow a face's indices");
    }
    if (lines.next(line, number, error))
        return failure(number, "the file goes on after its last face");
    if (!error.empty())
        return kalmeno::Status::failure("OFF " + error);
    return kalmeno::Status::success();
}

} // namespace quelmar
