#include "callbackregistry.h"

namespace quelmar {

void CallbackRegistry::registerCallback(hostsdk::EngineCallback function, int eventId, void* context)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (function)
        entries_[eventId] = {function, context};
    else
        entries_.erase(eventId);
}

void CallbackRegistry::fire(int eventId) const
{
    Entry entry;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = entries_.find(eventId);
        if (it == entries_.end())
            return;
        entry = it->second;
    }
    entry.function(entry.context);
}

bool CallbackRegistry::has(int eventId) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_.count(eventId) != 0;
}

} // namespace quelmar
