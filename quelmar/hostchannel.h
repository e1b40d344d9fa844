#pragma once
// Render channel 0: its camera, its options and the feedback it renders into.
// Option 4 shows textures; the others are kept as given.

#include "hostcamera.h"
#include "ichannel.h"
#include "optionsandfeedback.h"

namespace quelmar {

class HostChannel : public OptionsAndFeedback<hostsdk::IChannel> {
public:
    static constexpr std::uint32_t kTextures = 4;

    HostChannel() : OptionsAndFeedback(kTextures) {}

    hostsdk::HRESULT GetCamera(hostsdk::ICamera** out) override;

    HostCamera& camera() { return camera_; }
    const HostCamera& camera() const { return camera_; }

private:
    HostCamera camera_;
};

} // namespace quelmar
