#include "hostsurfaceconveyer.h"

namespace quelmar {

hostsdk::HRESULT HostSurfaceConveyer::SetMode(std::uint16_t mode)
{
    mode_.store(mode);
    return platform::S_OK;
}

hostsdk::HRESULT HostSurfaceConveyer::GetState(std::uint32_t* bits)
{
    if (!bits)
        return platform::E_INVALIDARG;
    *bits = options().bits();
    return platform::S_OK;
}

hostsdk::HRESULT HostSurfaceConveyer::IsExtended(hostsdk::VARIANT_BOOL* extended)
{
    if (!extended)
        return platform::E_INVALIDARG;
    *extended = hostsdk::toVariantBool(extended_.load());
    return platform::S_OK;
}

hostsdk::HRESULT HostSurfaceConveyer::SetRefresh(std::int32_t value)
{
    refreshValue_.store(value);
    return platform::S_OK;
}

hostsdk::HRESULT HostSurfaceConveyer::Refresh()
{
    ++refreshCount_;
    return platform::S_OK;
}

} // namespace quelmar
