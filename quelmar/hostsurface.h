#pragma once
// The scene's underlying surface and its conveyer (index 0).

#include "hostsurfaceconveyer.h"
#include "isurface.h"

namespace quelmar {

class HostSurface : public hostsdk::ISurface {
public:
    hostsdk::HRESULT GetSurfaceConveyer(std::int32_t index, hostsdk::ISurfaceConveyer** out) override;

    HostSurfaceConveyer& conveyer() { return conveyer_; }
    const HostSurfaceConveyer& conveyer() const { return conveyer_; }

private:
    HostSurfaceConveyer conveyer_;
};

} // namespace quelmar
