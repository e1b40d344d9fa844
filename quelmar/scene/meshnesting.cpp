#include "meshnesting.h"

#include "regularfile.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace quelmar {

namespace {

constexpr std::size_t kBlock = 1 << 16;

kalmeno::Status tooDeep(const char* what)
{
    return kalmeno::Status::failure(std::string(what) + " nests deeper than " + std::to_string(kMaxMeshNesting) +
                                    " levels");
}

// Element depth of an XML text, fed in pieces. Comments, CDATA, processing instructions and
// declarations do not count; quoted attribute values may hold any character.
class XmlDepth {
public:
    bool feed(const char* data, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i)
            if (!step(data[i]))
                return false;
        return true;
    }

private:
    enum class State { Text, Open, Tag, Quoted, Special, Comment, CData, Instruction };

    bool step(char c)
    {
        switch (state_) {
        case State::Text:
            if (c == '<') {
                state_ = State::Open;
                closing_ = false;
            }
            return true;
        case State::Open:
            if (c == '/') {
                closing_ = true;
                state_ = State::Tag;
            } else if (c == '!') {
                state_ = State::Special;
                recent_.clear();
            } else if (c == '?') {
                state_ = State::Instruction;
                last_ = 0;
            } else {
                state_ = State::Tag;
            }
            last_ = c;
            return true;
        case State::Tag:
            if (c == '"' || c == '\'') {
                quote_ = c;
                state_ = State::Quoted;
            } else if (c == '>') {
                state_ = State::Text;
                if (closing_) {
                    if (depth_ > 0)
                        --depth_;
                } else if (last_ != '/' && ++depth_ > kMaxMeshNesting) {
                    return false;
                }
            }
            last_ = c;
            return true;
        case State::Quoted:
            if (c == quote_) {
                state_ = State::Tag;
                last_ = c;
            }
            return true;
        case State::Special:
            // "<!--" opens a comment, "<![CDATA[" a CDATA section, anything else is a declaration.
            recent_ += c;
            if (recent_ == "--") {
                state_ = State::Comment;
                recent_.clear();
            } else if (recent_ == "[CDATA[") {
                state_ = State::CData;
                recent_.clear();
            } else if (c == '>') {
                state_ = State::Text;
            } else if (recent_.size() > 7) {
                recent_.erase(0, 1);
            }
            return true;
        case State::Comment:
        case State::CData: {
            recent_ += c;
            if (recent_.size() > 3)
                recent_.erase(0, 1);
            const char* end = state_ == State::Comment ? "-->" : "]]>";
            if (recent_ == end)
                state_ = State::Text;
            return true;
        }
        case State::Instruction:
            if (c == '>' && last_ == '?')
                state_ = State::Text;
            last_ = c;
            return true;
        }
        return true;
    }

    State state_ = State::Text;
    bool closing_ = false;
    char last_ = 0;
    char quote_ = 0;
    std::string recent_;
    std::size_t depth_ = 0;
};

// Nesting of a JSON text, fed in pieces, and the glTF node graph in it: for each element of the
// top-level "nodes" array, the indices in its "children".
class JsonNodes {
public:
    bool feed(const char* data, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i)
            if (!step(data[i]))
                return false;
        return true;
    }

    const std::vector<std::vector<std::uint64_t>>& children() const { return children_; }

private:
    struct Level {
        bool object;
        std::string key; // the key whose value is being read, in an object
        std::size_t index = 0; // the element being read, in an array
    };

    // Where the value being read sits, as far as the node graph cares.
    bool inNodesArray() const { return stack_.size() == 2 && stack_[0].object && stack_[0].key == "nodes"; }
    bool inChildrenArray() const
    {
        return stack_.size() == 4 && stack_[0].object && stack_[0].key == "nodes" && !stack_[1].object &&
               stack_[2].object && stack_[2].key == "children" && !stack_[3].object;
    }

    void endNumber()
    {
        if (inChildrenArray() && !number_.empty() && number_.find_first_not_of("0123456789") == std::string::npos &&
            number_.size() < 19)
            children_[stack_[1].index].push_back(std::stoull(number_));
        number_.clear();
    }

    bool step(char c)
    {
        if (inString_) {
            if (escaped_) {
                escaped_ = false;
            } else if (c == '\\') {
                escaped_ = true;
            } else if (c == '"') {
                inString_ = false;
                if (readingKey_) {
                    stack_.back().key = text_;
                    readingKey_ = false;
                }
            } else if (readingKey_ && text_.size() < 16) {
                text_ += c;
            }
            return true;
        }
        const bool numberPart = (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
        if (numberPart) {
            if (number_.size() < 32)
                number_ += c;
            return true;
        }
        endNumber();
        switch (c) {
        case '"':
            inString_ = true;
            text_.clear();
            readingKey_ = !stack_.empty() && stack_.back().object && expectKey_;
            return true;
        case '{':
        case '[':
            if (stack_.size() == kMaxMeshNesting)
                return false;
            if (c == '{' && inNodesArray() && children_.size() <= stack_[1].index)
                children_.resize(stack_[1].index + 1);
            stack_.push_back({c == '{', {}, 0});
            expectKey_ = c == '{';
            return true;
        case '}':
        case ']':
            if (!stack_.empty())
                stack_.pop_back();
            expectKey_ = false;
            return true;
        case ',':
            if (!stack_.empty()) {
                if (stack_.back().object) {
                    stack_.back().key.clear();
                    expectKey_ = true;
                } else {
                    ++stack_.back().index;
                }
            }
            return true;
        case ':':
            expectKey_ = false;
            return true;
        default:
            return true;
        }
    }

    std::vector<Level> stack_;
    std::vector<std::vector<std::uint64_t>> children_;
    bool inString_ = false;
    bool escaped_ = false;
    bool readingKey_ = false;
    bool expectKey_ = false;
    std::string text_;
    std::string number_;
};

// The depth of the node forest, walked with a stack of its own; a node reached twice (a cycle, or
// a node with two parents) fails as well.
kalmeno::Status checkNodeGraph(const std::vector<std::vector<std::uint64_t>>& children)
{
    const std::size_t count = children.size();
    std::vector<bool> isChild(count, false);
    for (const auto& list : children)
        for (const std::uint64_t child : list)
            if (child < count)
                isChild[child] = true;
    std::vector<bool> seen(count, false);
    std::vector<std::pair<std::size_t, std::size_t>> stack; // node, its depth
    for (std::size_t root = 0; root < count; ++root) {
        if (isChild[root])
            continue;
        stack.push_back({root, 1});
        while (!stack.empty()) {
            const auto [node, depth] = stack.back();
            stack.pop_back();
            if (seen[node])
                return kalmeno::Status::failure("the glTF node " + std::to_string(node) + " is reached twice");
            seen[node] = true;
            if (depth > kMaxMeshNesting)
                return tooDeep("the glTF node hierarchy");
            for (const std::uint64_t child : children[node])
                if (child < count)
                    stack.push_back({static_cast<std::size_t>(child), depth + 1});
        }
    }
    if (std::find(seen.begin(), seen.end(), false) != seen.end())
        return kalmeno::Status::failure("the glTF node hierarchy has a cycle");
    return kalmeno::Status::success();
}

// Feeds bytes [offset, offset + length) of the file to `scanner` in blocks.
template <typename Scanner>
bool scan(int file, std::uint64_t offset, std::uint64_t length, Scanner& scanner)
{
    std::vector<char> block(kBlock);
    while (length > 0) {
        const ssize_t got = ::pread(file, block.data(), std::min<std::uint64_t>(length, kBlock), static_cast<off_t>(offset));
        if (got <= 0)
            return true; // a short file is the importer's to report
        if (!scanner.feed(block.data(), static_cast<std::size_t>(got)))
            return false;
        offset += static_cast<std::uint64_t>(got);
        length -= static_cast<std::uint64_t>(got);
    }
    return true;
}

kalmeno::Status checkJson(int file, std::uint64_t offset, std::uint64_t length)
{
    JsonNodes json;
    if (!scan(file, offset, length, json))
        return tooDeep("the JSON");
    return checkNodeGraph(json.children());
}

} // namespace

kalmeno::Status checkMeshNesting(const std::string& path)
{
    auto opened = platform::openRegularFile(path);
    if (!opened)
        return kalmeno::Status::failure(opened.error());
    const int file = opened->get();
    const std::uint64_t whole = ~std::uint64_t(0);

    unsigned char head[20] = {};
    const ssize_t got = ::pread(file, head, sizeof head, 0);
    if (got <= 0)
        return kalmeno::Status::success();
    // Binary glTF: a 12-byte header, then the JSON chunk (length, "JSON").
    if (got >= 20 && std::memcmp(head, "glTF", 4) == 0 && std::memcmp(head + 16, "JSON", 4) == 0) {
        std::uint32_t chunkLength = 0;
        std::memcpy(&chunkLength, head + 12, 4);
        return checkJson(file, 20, chunkLength);
    }
    std::size_t first = 0;
    if (got >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
        first = 3; // a UTF-8 byte order mark
    while (first < std::size_t(got) && std::strchr(" \t\r\n", head[first]) && head[first] != 0)
        ++first;
    if (first < std::size_t(got) && (head[first] == '{' || head[first] == '['))
        return checkJson(file, 0, whole);
    if (first < std::size_t(got) && head[first] == '<') {
        XmlDepth xml;
        if (!scan(file, 0, whole, xml))
            return tooDeep("the XML");
    }
    return kalmeno::Status::success();
}

} // namespace quelmar
