#include "bridgelog.h"

#include "bridgestate.h"

namespace bridge {

namespace {
constexpr char kPrefix[] = "[Kalmeno] ";
}

void LogInfo(const std::string& text)
{
    logRawInfo(kPrefix + text);
}

void LogError(const std::string& text)
{
    logRawError(kPrefix + text);
}

// The host's logger copies each text before it returns, so a local string is enough.
void logRawInfo(const std::string& text)
{
    if (auto* logger = bridgeState().hostLogger.load())
        logger->Info(text.c_str());
}

void logRawError(const std::string& text)
{
    if (auto* logger = bridgeState().hostLogger.load())
        logger->Error(text.c_str());
}

void BridgeLog::logInfo(const std::string& text)
{
    LogInfo(text);
}

} // namespace bridge
