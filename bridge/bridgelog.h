#pragma once
// Lines for the host's log from the bridge: English, never translated.

#include <string>

namespace bridge {

// "[Kalmeno] " + text as an information or error line; nothing without a logger.
void LogInfo(const std::string& text);
void LogError(const std::string& text);
// An error line without the prefix.
void logRawError(const std::string& text);

} // namespace bridge
