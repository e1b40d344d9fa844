#pragma once
// Geographic conversion ("TypeLib.Quelmar.IConverter" of "Quelmar.Converter.Converter").

#include "hostsdkbase.h"

namespace hostsdk {

class IConverter {
    HOSTSDK_INTERFACE_BASE(IConverter)
    // Latitude and longitude in degrees, altitude in metres -> Earth-centred metres.
    virtual HRESULT LlaToXyz(double lat, double lon, double alt, double* x, double* y, double* z,
                             VARIANT_BOOL flag, VARIANT_BOOL* ok) = 0;
};

} // namespace hostsdk
