#pragma once
// The host object handed to the plug-in's Initialize.

#include "hostsdkbase.h"

namespace hostsdk {

class IHost {
    HOSTSDK_INTERFACE_BASE(IHost)
    // *out receives the interface pointer (for example an IEngine*), or null when the host has
    // no such object. The texts are narrow and NUL-terminated.
    virtual HRESULT GetInterface(const char* typeLibName, const char* progId, const char* objectName,
                                 void** out) = 0;
    // The plug-in's user interface ended without the host having called Release.
    virtual HRESULT NotifyClosed() = 0;
};

} // namespace hostsdk
