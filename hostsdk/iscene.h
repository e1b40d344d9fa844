#pragma once
// The loaded scene.

#include "hostsdkbase.h"

namespace hostsdk {

class IChannel;
class IKalmenoRender;
class ISceneConveyer;
class ISceneObject;

class IScene {
    HOSTSDK_INTERFACE_BASE(IScene)
    virtual HRESULT GetSceneConveyer(std::int32_t index, ISceneConveyer** out) = 0;
    virtual HRESULT GetSceneObject(const char* name, ISceneObject** out) = 0;
    // A new one-dimensional safe array of ISceneModel pointers; the caller destroys it.
    virtual HRESULT GetModels(SAFEARRAY** out) = 0;
    virtual HRESULT GetRender(IChannel* channel, IKalmenoRender** out) = 0;
};

} // namespace hostsdk
