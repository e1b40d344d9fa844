#pragma once
// The scene objects' render conveyer.

#include "hostsdkbase.h"

namespace hostsdk {

class IFeedback;

class ISceneConveyer {
    HOSTSDK_INTERFACE_BASE(ISceneConveyer)
    virtual HRESULT SetOption(std::uint32_t bit, VARIANT_BOOL on) = 0;
    virtual HRESULT AttachFeedback(IFeedback* feedback) = 0;
};

} // namespace hostsdk
