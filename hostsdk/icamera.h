#pragma once
// The camera of a channel.

#include "hostsdkbase.h"

namespace hostsdk {

class ICamera {
    HOSTSDK_INTERFACE_BASE(ICamera)
    // Scene frame, metres.
    virtual HRESULT GetPosition(double* x, double* y, double* z) = 0;
};

} // namespace hostsdk
