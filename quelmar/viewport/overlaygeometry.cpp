#include "overlaygeometry.h"

#include <algorithm>

namespace quelmar {

namespace {

constexpr float kMaxDiameter = 64.0f;
constexpr float kHighlightGrowth = 8.0f; // pixels added to a highlighted marker's diameter
constexpr float kRingWidth = 3.0f;

// Corners i and j (bit 0 x, bit 1 y, bit 2 z) joined by each edge.
constexpr int kEdges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                               {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
// Two triangles per face.
constexpr int kFaces[12][3] = {{0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}, {0, 1, 5}, {0, 5, 4},
                               {2, 6, 7}, {2, 7, 3}, {0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5}};

void appendPoint(const Eigen::Vector3d& p, std::vector<float>& out)
{
    out.push_back(static_cast<float>(p.x()));
    out.push_back(static_cast<float>(p.y()));
    out.push_back(static_cast<float>(p.z()));
}

} // namespace

OverlayGeometry OverlayGeometry::build(const HostRender::Snapshot& snapshot)
{
    OverlayGeometry geometry;
    const float diameter = std::clamp(static_cast<float>(snapshot.pointSize), 1.0f, kMaxDiameter);
    geometry.markers.reserve(snapshot.markers.size() * kMarkerFloats);
    for (const HostRender::Marker& marker : snapshot.markers) {
        if (marker.state == hostsdk::kStateHidden)
            continue;
        const bool highlighted = marker.state == hostsdk::kStateHighlighted;
        appendPoint({marker.point.x, marker.point.y, marker.point.z}, geometry.markers);
        for (float component : marker.point.color)
            geometry.markers.push_back(std::clamp(component, 0.0f, 1.0f));
        geometry.markers.push_back(highlighted ? diameter + kHighlightGrowth : diameter);
        geometry.markers.push_back(highlighted ? kRingWidth : 0.0f);
    }

    for (const HostRender::BoxOutline& box : snapshot.boxes) {
        if (box.state == hostsdk::kStateHidden)
            continue;
        BoxDraw draw;
        draw.highlighted = box.state == hostsdk::kStateHighlighted;
        std::copy(std::begin(box.color), std::end(box.color), draw.color);
        draw.firstEdgeVertex = geometry.boxEdges.size() / 3;
        for (const auto& edge : kEdges)
            for (int corner : edge)
                appendPoint(box.corners[static_cast<std::size_t>(corner)], geometry.boxEdges);
        if (draw.highlighted) {
            draw.firstFaceVertex = geometry.boxFaces.size() / 3;
            for (const auto& face : kFaces)
                for (int corner : face)
                    appendPoint(box.corners[static_cast<std::size_t>(corner)], geometry.boxFaces);
        }
        geometry.boxes.push_back(draw);
    }
    return geometry;
}

} // namespace quelmar
