#pragma once
// The host objects the window's view toggles talk to. Each is null until a scene is attached;
// a toggle whose object is missing does nothing.

namespace hostsdk {
class IChannel;
class IKalmenoRender;
class ISceneConveyer;
class ISurfaceConveyer;
} // namespace hostsdk

namespace kalmeno {

struct HostViewObjects {
    hostsdk::IChannel* channel = nullptr;
    hostsdk::ISurfaceConveyer* surfaceConveyer = nullptr;
    hostsdk::ISceneConveyer* sceneConveyer = nullptr;
    hostsdk::IKalmenoRender* render = nullptr;
};

} // namespace kalmeno
