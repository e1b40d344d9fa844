#pragma once
// The plug-in's one way into the host's log, through the logger that Initialize stored in the
// bridge state: English lines, never translated, nothing without a logger.

#include <ihostlog.h>

#include <string>

namespace bridge {

// "[Kalmeno] " + text as an information or error line.
void LogInfo(const std::string& text);
void LogError(const std::string& text);
// Lines without the prefix: the entry points' own, and the loader's missing engine.
void logRawInfo(const std::string& text);
void logRawError(const std::string& text);

// The same log for the editing models, which know no bridge.
class BridgeLog : public IHostLog {
public:
    void logInfo(const std::string& text) override;
};

} // namespace bridge
