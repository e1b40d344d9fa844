#pragma once
// The scene objects' conveyer. Option 4 shows the polygonal models (and puts them into the
// feedback); option 2 is the light; the others are kept as given.

#include "isceneconveyer.h"
#include "optionbits.h"

#include <atomic>

namespace quelmar {

class HostSceneConveyer : public hostsdk::ISceneConveyer {
public:
    static constexpr std::uint32_t kLight = 2;
    static constexpr std::uint32_t kPolygonal = 4;

    hostsdk::HRESULT SetOption(std::uint32_t bit, hostsdk::VARIANT_BOOL on) override;
    hostsdk::HRESULT AttachFeedback(hostsdk::IFeedback* feedback) override;

    const OptionBits& options() const { return options_; }
    hostsdk::IFeedback* attachedFeedback() const { return feedback_.load(); }

private:
    OptionBits options_{kLight | kPolygonal};
    std::atomic<hostsdk::IFeedback*> feedback_{nullptr};
};

} // namespace quelmar
