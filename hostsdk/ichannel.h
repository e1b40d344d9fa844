#pragma once
// One render channel (a view with its camera).

#include "hostsdkbase.h"

namespace hostsdk {

class ICamera;
class IFeedback;

class IChannel {
    HOSTSDK_INTERFACE_BASE(IChannel)
    virtual HRESULT GetCamera(ICamera** out) = 0;
    virtual HRESULT SetOption(std::uint32_t bit, VARIANT_BOOL on) = 0;
    virtual HRESULT AttachFeedback(IFeedback* feedback) = 0;
};

} // namespace hostsdk
