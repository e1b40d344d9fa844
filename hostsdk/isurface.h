#pragma once
// The underlying surface of the scene.

#include "hostsdkbase.h"

namespace hostsdk {

class ISurfaceConveyer;

class ISurface {
    HOSTSDK_INTERFACE_BASE(ISurface)
    virtual HRESULT GetSurfaceConveyer(std::int32_t index, ISurfaceConveyer** out) = 0;
};

} // namespace hostsdk
