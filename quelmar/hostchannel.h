#pragma once
// Render channel 0: its camera, its options and the feedback it renders into.
// Option 4 shows textures; the others are kept as given.

#include "hostcamera.h"
#include "ichannel.h"
#include "optionbits.h"

#include <atomic>

namespace quelmar {

class HostChannel : public hostsdk::IChannel {
public:
    static constexpr std::uint32_t kTextures = 4;

    hostsdk::HRESULT GetCamera(hostsdk::ICamera** out) override;
    hostsdk::HRESULT SetOption(std::uint32_t bit, hostsdk::VARIANT_BOOL on) override;
    hostsdk::HRESULT AttachFeedback(hostsdk::IFeedback* feedback) override;

    HostCamera& camera() { return camera_; }
    const OptionBits& options() const { return options_; }
    hostsdk::IFeedback* attachedFeedback() const { return feedback_.load(); }

private:
    HostCamera camera_;
    OptionBits options_{kTextures};
    std::atomic<hostsdk::IFeedback*> feedback_{nullptr};
};

} // namespace quelmar
