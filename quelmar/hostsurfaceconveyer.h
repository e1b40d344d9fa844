#pragma once
// The surface's conveyer. Option 4 shows the surface (and puts it into the feedback), option 2
// is the light. GetState reports the option bits, so a visible surface reports bit 4.

#include "isurfaceconveyer.h"
#include "optionbits.h"

#include <atomic>

namespace quelmar {

class HostSurfaceConveyer : public hostsdk::ISurfaceConveyer {
public:
    static constexpr std::uint32_t kLight = 2;
    static constexpr std::uint32_t kVisible = 4;

    hostsdk::HRESULT SetMode(std::uint16_t mode) override;
    hostsdk::HRESULT GetState(std::uint32_t* bits) override;
    hostsdk::HRESULT SetOption(std::uint32_t bit, hostsdk::VARIANT_BOOL on) override;
    hostsdk::HRESULT IsExtended(hostsdk::VARIANT_BOOL* extended) override;
    hostsdk::HRESULT AttachFeedback(hostsdk::IFeedback* feedback) override;
    hostsdk::HRESULT SetRefresh(std::int32_t value) override;
    hostsdk::HRESULT Refresh() override;

    // From the loaded scene.
    void setExtended(bool extended) { extended_.store(extended); }

    const OptionBits& options() const { return options_; }
    std::uint16_t mode() const { return mode_.load(); }
    std::int32_t refreshValue() const { return refreshValue_.load(); }
    int refreshCount() const { return refreshCount_.load(); }
    hostsdk::IFeedback* attachedFeedback() const { return feedback_.load(); }

private:
    OptionBits options_{kLight | kVisible};
    std::atomic<std::uint16_t> mode_{0};
    std::atomic<bool> extended_{false};
    std::atomic<std::int32_t> refreshValue_{0};
    std::atomic<int> refreshCount_{0};
    std::atomic<hostsdk::IFeedback*> feedback_{nullptr};
};

} // namespace quelmar
