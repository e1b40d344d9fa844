#pragma once
// The simulation engine ("TypeLib.Quelmar.IEngine" of "Quelmar.Engine").

#include "hostsdkbase.h"

namespace hostsdk {

class IChannel;
class IFeedback;
class IScene;
class ISurface;
class IXor;

class IEngine {
    HOSTSDK_INTERFACE_BASE(IEngine)
    // Names the initial-state file that the next Run loads.
    virtual HRESULT LoadInitialState(BSTR path) = 0;
    // Starts the engine thread: event 1, the load, event 3, then frames (events 4 and 10).
    virtual HRESULT Run() = 0;
    virtual HRESULT GetChannel(std::int32_t index, IChannel** out) = 0;
    virtual HRESULT GetFeedback(IFeedback** out) = 0;
    virtual HRESULT GetScene(IScene** out) = 0;
    virtual HRESULT GetSurface(ISurface** out) = 0;
    virtual HRESULT GetXor(IXor** out) = 0;
};

} // namespace hostsdk
