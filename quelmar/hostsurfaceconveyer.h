#pragma once
// The surface's conveyer. Option 4 shows the surface (and puts it into the feedback), option 2
// is the light. GetState reports the option bits, so a visible surface reports bit 4.

#include "isurfaceconveyer.h"
#include "optionsandfeedback.h"

#include <atomic>

namespace quelmar {

class HostSurfaceConveyer : public OptionsAndFeedback<hostsdk::ISurfaceConveyer> {
public:
    static constexpr std::uint32_t kLight = 2;
    static constexpr std::uint32_t kVisible = 4;

    HostSurfaceConveyer() : OptionsAndFeedback(kLight | kVisible) {}

    hostsdk::HRESULT SetMode(std::uint16_t mode) override;
    hostsdk::HRESULT GetState(std::uint32_t* bits) override;
    hostsdk::HRESULT IsExtended(hostsdk::VARIANT_BOOL* extended) override;
    hostsdk::HRESULT SetRefresh(std::int32_t value) override;
    hostsdk::HRESULT Refresh() override;

    // From the loaded scene.
    void setExtended(bool extended) { extended_.store(extended); }

    std::uint16_t mode() const { return mode_.load(); }
    std::int32_t refreshValue() const { return refreshValue_.load(); }
    int refreshCount() const { return refreshCount_.load(); }

private:
    std::atomic<std::uint16_t> mode_{0};
    std::atomic<bool> extended_{false};
    std::atomic<std::int32_t> refreshValue_{0};
    std::atomic<int> refreshCount_{0};
};

} // namespace quelmar
