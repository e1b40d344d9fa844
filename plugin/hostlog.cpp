#include "hostlog.h"

#include "pluginglobals.h"

namespace kalmeno {

namespace {
const char* const kPrefix = "[Kalmeno] ";
} // namespace

// The host's logger copies each text before it returns, so a local string is enough.
void LogInfo(std::string text)
{
    if (hostsdk::IHostLogger* logger = hostLogger.load())
        logger->Info((kPrefix + text).c_str());
}

void LogError(std::string text)
{
    if (hostsdk::IHostLogger* logger = hostLogger.load())
        logger->Error((kPrefix + text).c_str());
}

void logRawInfo(const char* text)
{
    if (hostsdk::IHostLogger* logger = hostLogger.load())
        logger->Info(text);
}

void logRawError(const char* text)
{
    if (hostsdk::IHostLogger* logger = hostLogger.load())
        logger->Error(text);
}

} // namespace kalmeno
