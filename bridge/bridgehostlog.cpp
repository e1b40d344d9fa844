#include "bridgehostlog.h"

#include "bridgelog.h"

namespace bridge {

void BridgeHostLog::logInfo(const std::string& text)
{
    LogInfo(text);
}

} // namespace bridge
