#pragma once
// The surface's render conveyer.

#include "hostsdkbase.h"

namespace hostsdk {

class IFeedback;

class ISurfaceConveyer {
    HOSTSDK_INTERFACE_BASE(ISurfaceConveyer)
    virtual HRESULT SetMode(std::uint16_t mode) = 0;
    virtual HRESULT GetState(std::uint32_t* bits) = 0;
    virtual HRESULT SetOption(std::uint32_t bit, VARIANT_BOOL on) = 0;
    virtual HRESULT IsExtended(VARIANT_BOOL* extended) = 0;
    virtual HRESULT AttachFeedback(IFeedback* feedback) = 0;
    virtual HRESULT SetRefresh(std::int32_t value) = 0;
    virtual HRESULT Refresh() = 0;
};

} // namespace hostsdk
