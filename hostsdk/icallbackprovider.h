#pragma once
// Engine event registration ("TypeLib.Quelmar.Maintance.ICallbackProvider", same object as the
// engine). Handlers run on the engine's thread.

#include "hostsdkbase.h"

namespace hostsdk {

using EngineCallback = void (*)(void* context);

class ICallbackProvider {
    HOSTSDK_INTERFACE_BASE(ICallbackProvider)
    // One handler per event: registering again for an event replaces the earlier handler.
    virtual HRESULT RegisterCallback(EngineCallback function, std::int32_t eventId, void* context) = 0;
};

} // namespace hostsdk
