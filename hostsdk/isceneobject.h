#pragma once
// Placement of one scene object.

#include "hostsdkbase.h"

namespace hostsdk {

class ISceneObject {
    HOSTSDK_INTERFACE_BASE(ISceneObject)
    // Degrees, degrees, metres.
    virtual HRESULT GetPosition(double* lat, double* lon, double* alt) = 0;
    // Degrees.
    virtual HRESULT GetOrientation(double* pitch, double* roll, double* yaw) = 0;
};

} // namespace hostsdk
