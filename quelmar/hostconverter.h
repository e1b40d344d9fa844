#pragma once
// "KalmenoConverter": WGS84 geodetic to Earth-centred, Earth-fixed coordinates.

#include "iconverter.h"

namespace quelmar {

class HostConverter : public hostsdk::IConverter {
public:
    // Fails (ok false, outputs untouched) for null outputs, non-finite input or a latitude
    // outside -90..90.
    hostsdk::HRESULT LlaToXyz(double lat, double lon, double alt, double* x, double* y, double* z,
                              hostsdk::VARIANT_BOOL flag, hostsdk::VARIANT_BOOL* ok) override;
};

} // namespace quelmar
