#pragma once
// What the channel and the conveyers share: option bits set through SetOption and the feedback
// attached to them. `Interface` is the host interface the object serves.

#include "hostsdkbase.h"
#include "optionbits.h"

#include <atomic>
#include <cstdint>

namespace hostsdk {
class IFeedback;
}

namespace quelmar {

template <class Interface>
class OptionsAndFeedback : public Interface {
public:
    hostsdk::HRESULT SetOption(std::uint32_t bit, hostsdk::VARIANT_BOOL on) override
    {
        options_.set(bit, hostsdk::fromVariantBool(on));
        return platform::S_OK;
    }

    hostsdk::HRESULT AttachFeedback(hostsdk::IFeedback* feedback) override
    {
        feedback_.store(feedback);
        return platform::S_OK;
    }

    const OptionBits& options() const { return options_; }
    hostsdk::IFeedback* attachedFeedback() const { return feedback_.load(); }

protected:
    explicit OptionsAndFeedback(std::uint32_t initialOptions) : options_(initialOptions) {}

private:
    OptionBits options_;
    std::atomic<hostsdk::IFeedback*> feedback_{nullptr};
};

} // namespace quelmar
