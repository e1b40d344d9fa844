#pragma once
// The render object that shows the plug-in's markers and boxes in the scene and answers
// questions in the frame of a box. Triples are x, y, z (or lat, lon, alt; yaw, pitch, roll);
// colours are red, green, blue, alpha as floats 0..1. An unknown box id stands for a box at the
// scene origin without rotation.

#include "hostrecords.h"
#include "hostsdkbase.h"

namespace hostsdk {

class IKalmenoRender {
    HOSTSDK_INTERFACE_BASE(IKalmenoRender)
    virtual HRESULT ClearPoints() = 0;
    // Markers are numbered from 0 in AddPoint order since the last ClearPoints.
    virtual HRESULT AddPoint(const TRenderPoint* point, std::int32_t* index) = 0;
    virtual HRESULT SetPointPosition(std::int32_t index, const double xyz[3]) = 0;
    virtual HRESULT SetPointState(std::int32_t index, std::int32_t state) = 0;
    virtual HRESULT SetPointColor(std::int32_t index, const float rgba[4]) = 0;
    virtual HRESULT SetPointSize(std::uint32_t size) = 0;
    virtual HRESULT SetDepthMode(VARIANT_BOOL on) = 0;
    virtual HRESULT CreateBox(std::int32_t* id) = 0;
    // Position in degrees and metres, angles in degrees, sizes in metres.
    virtual HRESULT SetBoxGeometry(std::int32_t id, const double latLonAlt[3], const double yawPitchRoll[3],
                                   const double sizeXyz[3]) = 0;
    virtual HRESULT SetBoxColor(std::int32_t id, const float rgba[4]) = 0;
    virtual HRESULT SetBoxState(std::int32_t id, std::int32_t state) = 0;
    virtual HRESULT IsTriangleInBox(std::int32_t id, const double a[3], const double b[3], const double c[3],
                                    VARIANT_BOOL* inside) = 0;
    virtual HRESULT SceneToBox(std::int32_t id, double x, double y, double z, double* outX, double* outY,
                               double* outZ) = 0;
    virtual HRESULT BoxToScene(std::int32_t id, double x, double y, double z, double* outX, double* outY,
                               double* outZ) = 0;
    // The direction from the box centre to `xyz` (scene frame), in the box frame, in degrees.
    virtual HRESULT GetViewAngles(std::int32_t id, const double xyz[3], double* azimuth, double* elevation) = 0;
};

} // namespace hostsdk
