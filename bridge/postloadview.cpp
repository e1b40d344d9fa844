#include "postloadview.h"

#include "bridgestate.h"

namespace bridge {

bool bindComputationLibrary(const OstrellFunctions& library)
{
    return library.createPtrFuncDll && library.createPtrFuncDll();
}

bool setInitialHostView()
{
    auto& state = bridgeState();
    auto* surfaceConveyer = state.surfaceConveyer.load();
    auto* channel = state.channel.load();
    auto* sceneConveyer = state.sceneConveyer.load();
    auto* render = state.render.load();
    if (!surfaceConveyer || !channel || !sceneConveyer || !render)
        return false;
    surfaceConveyer->SetOption(4, hostsdk::VARIANT_TRUE);
    channel->SetOption(4, hostsdk::VARIANT_TRUE);
    channel->SetOption(4, hostsdk::VARIANT_TRUE);
    surfaceConveyer->SetOption(2, hostsdk::VARIANT_TRUE);
    sceneConveyer->SetOption(2, hostsdk::VARIANT_TRUE);
    sceneConveyer->SetOption(4, hostsdk::VARIANT_TRUE);
    render->SetDepthMode(hostsdk::VARIANT_FALSE);
    return true;
}

} // namespace bridge
