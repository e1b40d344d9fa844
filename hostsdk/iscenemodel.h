#pragma once
// One model of the scene: its name and the paths of its files.

#include "hostsdkbase.h"

namespace hostsdk {

class ISceneModel {
    HOSTSDK_INTERFACE_BASE(ISceneModel)
    // A new OLE string; the caller frees it.
    virtual HRESULT GetPath(std::int32_t index, BSTR* out) = 0;
    virtual HRESULT GetPathCount(std::int32_t* out) = 0;
    // Narrow text owned by the host, valid for the life of the process.
    virtual HRESULT GetName(const char** out) = 0;
};

} // namespace hostsdk
