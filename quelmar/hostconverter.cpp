#include "hostconverter.h"

#include "wgs84.h"

#include <cmath>

namespace quelmar {

hostsdk::HRESULT HostConverter::LlaToXyz(double lat, double lon, double alt, double* x, double* y, double* z,
                                         hostsdk::VARIANT_BOOL, hostsdk::VARIANT_BOOL* ok)
{
    const bool valid = x && y && z && std::isfinite(lat) && std::isfinite(lon) && std::isfinite(alt) &&
                       std::abs(lat) <= 90.0;
    if (valid) {
        const Eigen::Vector3d ecef = geodeticToEcef(Geodetic{lat, lon, alt});
        *x = ecef.x();
        *y = ecef.y();
        *z = ecef.z();
    }
    if (ok)
        *ok = hostsdk::toVariantBool(valid);
    return valid ? platform::S_OK : platform::E_INVALIDARG;
}

} // namespace quelmar
