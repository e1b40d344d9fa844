#pragma once
// Lines for the host's log. Texts are English and never translated.

#include <string>

namespace kalmeno {

// "[Kalmeno] " + text as an information line; nothing without a logger.
void LogInfo(std::string text);
// "[Kalmeno] " + text as an error line; nothing without a logger.
void LogError(std::string text);

// The entry points' own lines, without the prefix.
void logRawInfo(const char* text);
void logRawError(const char* text);

} // namespace kalmeno
