#include "hostchannel.h"

namespace quelmar {

hostsdk::HRESULT HostChannel::GetCamera(hostsdk::ICamera** out)
{
    if (!out)
        return platform::E_INVALIDARG;
    *out = &camera_;
    return platform::S_OK;
}

} // namespace quelmar
