#pragma once
// The host object handed to the plug-in: its objects by (type library, program id, object name),
// and the plug-in's notice that its window closed.

#include "ihost.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace quelmar {

class HostConverter;
class HostEngine;
class HostLogger;

class HostObject : public hostsdk::IHost {
public:
    HostObject(HostEngine& engine, HostConverter& converter, HostLogger& logger);

    hostsdk::HRESULT GetInterface(const char* typeLibName, const char* progId, const char* objectName,
                                  void** out) override;
    hostsdk::HRESULT NotifyClosed() override;

    int closedCount() const;
    // True once NotifyClosed came; false when the timeout passed first.
    bool waitClosed(std::chrono::milliseconds timeout) const;
    // Called (on the plug-in's thread) at each NotifyClosed.
    void setOnClosed(std::function<void()> onClosed);

private:
    HostEngine& engine_;
    HostConverter& converter_;
    HostLogger& logger_;
    mutable std::mutex mutex_;
    mutable std::condition_variable closed_;
    int closedCount_ = 0;
    std::function<void()> onClosed_;
};

} // namespace quelmar
