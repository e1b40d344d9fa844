#pragma once
// The points table's information lines, into the host's log.

#include <ihostlog.h>

namespace bridge {

class BridgeHostLog : public IHostLog {
public:
    void logInfo(const std::string& text) override;
};

} // namespace bridge
