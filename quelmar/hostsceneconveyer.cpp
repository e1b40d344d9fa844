#include "hostsceneconveyer.h"

namespace quelmar {

hostsdk::HRESULT HostSceneConveyer::SetOption(std::uint32_t bit, hostsdk::VARIANT_BOOL on)
{
    options_.set(bit, hostsdk::fromVariantBool(on));
    return platform::S_OK;
}

hostsdk::HRESULT HostSceneConveyer::AttachFeedback(hostsdk::IFeedback* feedback)
{
    feedback_.store(feedback);
    return platform::S_OK;
}

} // namespace quelmar
