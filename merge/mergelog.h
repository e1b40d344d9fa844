#pragma once
// Where a merge says what it does: lines for the host log (the tool prints them to stderr) and
// diagnostics meant only for developers.

#include <string>

namespace mtmmerge {

class MergeLog {
public:
    virtual ~MergeLog() = default;
    virtual void info(const std::string& line) = 0;
    virtual void error(const std::string& line) = 0;
    virtual void debug(const std::string& line) = 0;
};

} // namespace mtmmerge
