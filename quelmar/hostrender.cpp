#include "hostrender.h"

#include <cstring>

namespace quelmar {

namespace {

Eigen::Vector3d vec(const double xyz[3]) { return {xyz[0], xyz[1], xyz[2]}; }

} // namespace

bool HostRender::validState(std::int32_t state)
{
    return state == hostsdk::kStateShown || state == hostsdk::kStateHidden || state == hostsdk::kStateHighlighted;
}

hostsdk::HRESULT HostRender::ClearPoints()
{
    std::lock_guard<std::mutex> lock(mutex_);
    markers_.clear();
    changed();
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::AddPoint(const hostsdk::TRenderPoint* point, std::int32_t* index)
{
    if (index)
        *index = -1;
    if (!point)
        return platform::E_INVALIDARG;
    std::lock_guard<std::mutex> lock(mutex_);
    Marker marker;
    marker.point = *point;
    marker.state = point->hidden == 1.0 ? hostsdk::kStateHidden : hostsdk::kStateShown;
    markers_.push_back(marker);
    changed();
    if (index)
        *index = static_cast<std::int32_t>(markers_.size() - 1);
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::SetPointPosition(std::int32_t index, const double xyz[3])
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!xyz || index < 0 || static_cast<std::size_t>(index) >= markers_.size())
        return platform::E_INVALIDARG;
    hostsdk::TRenderPoint& point = markers_[static_cast<std::size_t>(index)].point;
    point.x = xyz[0];
    point.y = xyz[1];
    point.z = xyz[2];
    changed();
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::SetPointState(std::int32_t index, std::int32_t state)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!validState(state) || index < 0 || static_cast<std::size_t>(index) >= markers_.size())
        return platform::E_INVALIDARG;
    markers_[static_cast<std::size_t>(index)].state = state;
    changed();
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::SetPointColor(std::int32_t index, const float rgba[4])
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!rgba || index < 0 || static_cast<std::size_t>(index) >= markers_.size())
        return platform::E_INVALIDARG;
    std::memcpy(markers_[static_cast<std::size_t>(index)].point.color, rgba, 4 * sizeof(float));
    changed();
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::SetPointSize(std::uint32_t size)
{
    std::lock_guard<std::mutex> lock(mutex_);
    pointSize_ = size;
    changed();
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::SetDepthMode(hostsdk::VARIANT_BOOL on)
{
    std::lock_guard<std::mutex> lock(mutex_);
    depthMode_ = hostsdk::fromVariantBool(on);
    changed();
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::CreateBox(std::int32_t* id)
{
    if (!id)
        return platform::E_INVALIDARG;
    std::lock_guard<std::mutex> lock(mutex_);
    *id = nextBoxId_++;
    Box box; // at the scene origin, level, of no size until its geometry is set
    box.geometry.placement.position = sceneFrame_.origin();
    boxes_[*id] = box;
    frames_[*id] = BoxFrame(sceneFrame_, box.geometry);
    changed();
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::SetBoxGeometry(std::int32_t id, const double latLonAlt[3], const double yawPitchRoll[3],
                                            const double sizeXyz[3])
{
    if (!latLonAlt || !yawPitchRoll || !sizeXyz)
        return platform::E_INVALIDARG;
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = boxes_.find(id);
    if (it == boxes_.end())
        return platform::E_INVALIDARG;
    BoxGeometry& geometry = it->second.geometry;
    geometry.placement = Placement{Geodetic{latLonAlt[0], latLonAlt[1], latLonAlt[2]}, yawPitchRoll[0],
                                   yawPitchRoll[1], yawPitchRoll[2]};
    geometry.sizeX = sizeXyz[0];
    geometry.sizeY = sizeXyz[1];
    geometry.sizeZ = sizeXyz[2];
    frames_[id] = BoxFrame(sceneFrame_, geometry);
    changed();
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::SetBoxColor(std::int32_t id, const float rgba[4])
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = boxes_.find(id);
    if (!rgba || it == boxes_.end())
        return platform::E_INVALIDARG;
    std::memcpy(it->second.color, rgba, 4 * sizeof(float));
    changed();
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::SetBoxState(std::int32_t id, std::int32_t state)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = boxes_.find(id);
    if (!validState(state) || it == boxes_.end())
        return platform::E_INVALIDARG;
    it->second.state = state;
    changed();
    return platform::S_OK;
}

BoxFrame HostRender::frameOf(std::int32_t id) const
{
    auto it = frames_.find(id);
    return it == frames_.end() ? BoxFrame() : it->second;
}

hostsdk::HRESULT HostRender::IsTriangleInBox(std::int32_t id, const double a[3], const double b[3],
                                             const double c[3], hostsdk::VARIANT_BOOL* inside)
{
    if (!a || !b || !c || !inside)
        return platform::E_INVALIDARG;
    std::lock_guard<std::mutex> lock(mutex_);
    *inside = hostsdk::toVariantBool(frameOf(id).isTriangleInBox(vec(a), vec(b), vec(c)));
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::SceneToBox(std::int32_t id, double x, double y, double z, double* outX, double* outY,
                                        double* outZ)
{
    return mapPoint(id, &BoxFrame::sceneToBox, {x, y, z}, outX, outY, outZ);
}

hostsdk::HRESULT HostRender::BoxToScene(std::int32_t id, double x, double y, double z, double* outX, double* outY,
                                        double* outZ)
{
    return mapPoint(id, &BoxFrame::boxToScene, {x, y, z}, outX, outY, outZ);
}

hostsdk::HRESULT HostRender::mapPoint(std::int32_t id, PointMap map, const Eigen::Vector3d& point, double* outX,
                                      double* outY, double* outZ) const
{
    if (!outX || !outY || !outZ)
        return platform::E_INVALIDARG;
    std::lock_guard<std::mutex> lock(mutex_);
    const Eigen::Vector3d p = (frameOf(id).*map)(point);
    *outX = p.x();
    *outY = p.y();
    *outZ = p.z();
    return platform::S_OK;
}

hostsdk::HRESULT HostRender::GetViewAngles(std::int32_t id, const double xyz[3], double* azimuth, double* elevation)
{
    if (!xyz || !azimuth || !elevation)
        return platform::E_INVALIDARG;
    std::lock_guard<std::mutex> lock(mutex_);
    const ViewAngles angles = frameOf(id).viewAngles(vec(xyz));
    *azimuth = angles.azimuth;
    *elevation = angles.elevation;
    return platform::S_OK;
}

void HostRender::setSceneFrame(const EnuFrame& frame)
{
    std::lock_guard<std::mutex> lock(mutex_);
    sceneFrame_ = frame;
    for (const auto& [id, box] : boxes_)
        frames_[id] = BoxFrame(sceneFrame_, box.geometry);
    changed();
}

std::vector<HostRender::Marker> HostRender::markers() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return markers_;
}

std::map<std::int32_t, HostRender::Box> HostRender::boxes() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
}

std::uint32_t HostRender::pointSize() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return pointSize_;
}

bool HostRender::depthMode() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return depthMode_;
}

HostRender::Snapshot HostRender::snapshot() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    Snapshot snapshot;
    snapshot.revision = revision_.load();
    snapshot.markers = markers_;
    snapshot.boxes.reserve(boxes_.size());
    for (const auto& [id, box] : boxes_) {
        const BoxFrame frame = frameOf(id);
        const BoxGeometry& g = box.geometry;
        BoxOutline outline;
        for (int i = 0; i < 8; ++i)
            outline.corners[static_cast<std::size_t>(i)] =
                frame.boxToScene({(i & 1 ? 0.5 : -0.5) * g.sizeX, (i & 2 ? 0.5 : -0.5) * g.sizeY,
                                  (i & 4 ? 0.5 : -0.5) * g.sizeZ});
        std::memcpy(outline.color, box.color, sizeof outline.color);
        outline.state = box.state;
        snapshot.boxes.push_back(outline);
    }
    snapshot.pointSize = pointSize_;
    snapshot.depthMode = depthMode_;
    return snapshot;
}

} // namespace quelmar
