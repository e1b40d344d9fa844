#pragma once
// The engine's event handlers: one per event id, a new registration replaces the old one.

#include "icallbackprovider.h"

#include <map>
#include <mutex>

namespace quelmar {

class CallbackRegistry {
public:
    void registerCallback(hostsdk::EngineCallback function, int eventId, void* context);
    // Calls the handler of `eventId`, if any, outside the lock (a handler may register others).
    void fire(int eventId) const;
    bool has(int eventId) const;

private:
    struct Entry {
        hostsdk::EngineCallback function = nullptr;
        void* context = nullptr;
    };
    mutable std::mutex mutex_;
    std::map<int, Entry> entries_;
};

} // namespace quelmar
