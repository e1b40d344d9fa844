#pragma once
// Information lines for the host's log.

#include <string>

class IHostLog {
public:
    virtual ~IHostLog() = default;
    virtual void logInfo(const std::string& text) = 0;
};
