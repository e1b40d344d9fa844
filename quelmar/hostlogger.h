#pragma once
// The host's log: every line to stderr and to the log file, from any thread. Lines are kept in
// memory too, so tests can read what the plug-in reported.
//
// File and stderr lines: "<UTC time> <LEVEL> <text>", LEVEL being INFO or ERROR padded to 5.

#include "ihostlogger.h"
#include "result.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace quelmar {

class HostLogger : public hostsdk::IHostLogger {
public:
    struct Line {
        bool error = false;
        std::string text;
    };

    HostLogger() = default;
    ~HostLogger();
    HostLogger(const HostLogger&) = delete;
    HostLogger& operator=(const HostLogger&) = delete;

    // Appends to `path` from now on (the file is created when missing).
    kalmeno::Status openFile(const std::string& path);
    void setEchoToStderr(bool echo);

    hostsdk::HRESULT Info(const char* text) override;
    hostsdk::HRESULT Error(const char* text) override;

    // The host's own lines, prefixed "[quelmar] ".
    void hostInfo(const std::string& text);
    void hostError(const std::string& text);

    std::vector<Line> lines() const;

private:
    void write(bool error, const char* text);

    mutable std::mutex mutex_;
    std::FILE* file_ = nullptr;
    bool echo_ = true;
    std::vector<Line> lines_;
};

} // namespace quelmar
