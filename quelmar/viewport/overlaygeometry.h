#pragma once
// The plug-in's markers and boxes as vertex data for the viewport. Hidden ones are left out.
// A marker is a round dot of the plug-in's point size in its colour; a highlighted one is larger
// and ringed in white. A box is the wire frame of its twelve edges in its colour; the highlighted
// box has thicker edges and its faces filled with the colour at the box's own alpha.

#include "hostrender.h"

#include <vector>

namespace quelmar {

struct BoxDraw {
    std::size_t firstEdgeVertex = 0; // 24 vertices: 12 lines
    std::size_t firstFaceVertex = 0; // 36 vertices: 12 triangles; highlighted boxes only
    float color[4] = {1.f, 1.f, 1.f, 1.f};
    bool highlighted = false;
};

struct OverlayGeometry {
    static constexpr int kMarkerFloats = 9; // x, y, z, r, g, b, a, diameter, ring (pixels)

    std::vector<float> markers;
    std::vector<float> boxEdges; // x, y, z per vertex
    std::vector<float> boxFaces; // x, y, z per vertex
    std::vector<BoxDraw> boxes;

    std::size_t markerCount() const { return markers.size() / kMarkerFloats; }

    static OverlayGeometry build(const HostRender::Snapshot& snapshot);
};

} // namespace quelmar
