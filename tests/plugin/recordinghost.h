#pragma once
// A host that records what the plug-in tells it, safe to call from any thread.

#include "ihost.h"
#include "ihostlogger.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

class RecordingHost : public hostsdk::IHost, public hostsdk::IHostLogger {
public:
    hostsdk::HRESULT GetInterface(const char*, const char*, const char*, void** out) override
    {
        if (out)
            *out = nullptr;
        return 0;
    }
    hostsdk::HRESULT NotifyClosed() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++notifyCount_;
        changed_.notify_all();
        return 0;
    }
    hostsdk::HRESULT Info(const char* text) override { return record("I ", text); }
    hostsdk::HRESULT Error(const char* text) override { return record("E ", text); }

    std::vector<std::string> lines() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }
    int notifyCount() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return notifyCount_;
    }
    bool waitForLine(const std::string& line, std::chrono::milliseconds timeout)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] {
            for (const auto& l : lines_)
                if (l == line)
                    return true;
            return false;
        });
    }
    bool waitForNotify(std::chrono::milliseconds timeout)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return notifyCount_ > 0; });
    }

private:
    hostsdk::HRESULT record(const char* kind, const char* text)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back(kind + std::string(text ? text : "(null)"));
        changed_.notify_all();
        return 0;
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> lines_;
    int notifyCount_ = 0;
};
