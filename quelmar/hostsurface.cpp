#include "hostsurface.h"

namespace quelmar {

hostsdk::HRESULT HostSurface::GetSurfaceConveyer(std::int32_t index, hostsdk::ISurfaceConveyer** out)
{
    if (!out)
        return platform::E_INVALIDARG;
    *out = index == 0 ? &conveyer_ : nullptr;
    return index == 0 ? platform::S_OK : platform::E_INVALIDARG;
}

} // namespace quelmar
