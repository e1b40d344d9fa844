#include "bridgelog.h"

#include "bridgestate.h"

namespace bridge {

namespace {
constexpr char kPrefix[] = "[Kalmeno] ";
}

void LogInfo(const std::string& text)
{
    if (auto* logger = bridgeState().hostLogger.load())
        logger->Info((kPrefix + text).c_str());
}

void LogError(const std::string& text)
{
    if (auto* logger = bridgeState().hostLogger.load())
        logger->Error((kPrefix + text).c_str());
}

void logRawError(const std::string& text)
{
    if (auto* logger = bridgeState().hostLogger.load())
        logger->Error(text.c_str());
}

} // namespace bridge
