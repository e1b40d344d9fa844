#include "hostchannel.h"

namespace quelmar {

hostsdk::HRESULT HostChannel::GetCamera(hostsdk::ICamera** out)
{
    if (!out)
        return platform::E_INVALIDARG;
    *out = &camera_;
    return platform::S_OK;
}

hostsdk::HRESULT HostChannel::SetOption(std::uint32_t bit, hostsdk::VARIANT_BOOL on)
{
    options_.set(bit, hostsdk::fromVariantBool(on));
    return platform::S_OK;
}

hostsdk::HRESULT HostChannel::AttachFeedback(hostsdk::IFeedback* feedback)
{
    feedback_.store(feedback);
    return platform::S_OK;
}

} // namespace quelmar
