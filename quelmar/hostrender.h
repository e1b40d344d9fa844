#pragma once
// The render object of channel 0: the plug-in's markers and boxes, kept as inspectable state,
// and exact answers in a box's frame (box centre at its geodetic position, turned by yaw, pitch
// and roll). An unknown box id, such as -1, stands for a box at the scene origin without rotation.
// The plug-in changes it from its GUI thread while the viewport draws it: every change counts up
// a revision, and the viewport copies the state only when that moved.

#include "boxframe.h"
#include "ikalmenorender.h"

#include <array>
#include <atomic>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace quelmar {

class HostRender : public hostsdk::IKalmenoRender {
public:
    struct Marker {
        hostsdk::TRenderPoint point{};
        std::int32_t state = hostsdk::kStateShown;
    };
    struct Box {
        BoxGeometry geometry;
        float color[4] = {1.f, 1.f, 1.f, 1.f};
        std::int32_t state = hostsdk::kStateShown;
    };
    // A box as it is drawn: its corners in the scene frame, corner i at (±x, ±y, ±z) half sizes
    // with bit 0 of i for x, bit 1 for y, bit 2 for z (set: +).
    struct BoxOutline {
        std::array<Eigen::Vector3d, 8> corners;
        float color[4] = {1.f, 1.f, 1.f, 1.f};
        std::int32_t state = hostsdk::kStateShown;
    };
    struct Snapshot {
        std::uint64_t revision = 0;
        std::vector<Marker> markers;
        std::vector<BoxOutline> boxes; // in id order
        std::uint32_t pointSize = 5;
        bool depthMode = false;
    };

    hostsdk::HRESULT ClearPoints() override;
    hostsdk::HRESULT AddPoint(const hostsdk::TRenderPoint* point, std::int32_t* index) override;
    hostsdk::HRESULT SetPointPosition(std::int32_t index, const double xyz[3]) override;
    hostsdk::HRESULT SetPointState(std::int32_t index, std::int32_t state) override;
    hostsdk::HRESULT SetPointColor(std::int32_t index, const float rgba[4]) override;
    hostsdk::HRESULT SetPointSize(std::uint32_t size) override;
    hostsdk::HRESULT SetDepthMode(hostsdk::VARIANT_BOOL on) override;
    hostsdk::HRESULT CreateBox(std::int32_t* id) override;
    hostsdk::HRESULT SetBoxGeometry(std::int32_t id, const double latLonAlt[3], const double yawPitchRoll[3],
                                    const double sizeXyz[3]) override;
    hostsdk::HRESULT SetBoxColor(std::int32_t id, const float rgba[4]) override;
    hostsdk::HRESULT SetBoxState(std::int32_t id, std::int32_t state) override;
    hostsdk::HRESULT IsTriangleInBox(std::int32_t id, const double a[3], const double b[3], const double c[3],
                                     hostsdk::VARIANT_BOOL* inside) override;
    hostsdk::HRESULT SceneToBox(std::int32_t id, double x, double y, double z, double* outX, double* outY,
                                double* outZ) override;
    hostsdk::HRESULT BoxToScene(std::int32_t id, double x, double y, double z, double* outX, double* outY,
                                double* outZ) override;
    hostsdk::HRESULT GetViewAngles(std::int32_t id, const double xyz[3], double* azimuth,
                                   double* elevation) override;

    // The scene origin of a newly loaded scene: boxes keep their geodetic placement.
    void setSceneFrame(const EnuFrame& frame);

    std::vector<Marker> markers() const;
    std::map<std::int32_t, Box> boxes() const;
    std::uint32_t pointSize() const;
    bool depthMode() const;

    // Counts every change of markers, boxes, point size and depth mode.
    std::uint64_t revision() const { return revision_.load(); }
    Snapshot snapshot() const;

private:
    // One of the box frame's conversions between scene and box coordinates.
    using PointMap = Eigen::Vector3d (BoxFrame::*)(const Eigen::Vector3d&) const;

    BoxFrame frameOf(std::int32_t id) const; // under mutex_
    hostsdk::HRESULT mapPoint(std::int32_t id, PointMap map, const Eigen::Vector3d& point, double* outX,
                              double* outY, double* outZ) const;
    static bool validState(std::int32_t state);
    void changed() { revision_.fetch_add(1); } // under mutex_

    mutable std::mutex mutex_;
    EnuFrame sceneFrame_;
    std::vector<Marker> markers_;
    std::map<std::int32_t, Box> boxes_;
    std::map<std::int32_t, BoxFrame> frames_;
    std::int32_t nextBoxId_ = 0;
    std::uint32_t pointSize_ = 5;
    bool depthMode_ = false;
    std::atomic<std::uint64_t> revision_{0};
};

} // namespace quelmar
