#pragma once
// A loaded scene as vertex data for the viewport: the positions (floats, scene frame) that the
// triangles share, three indices per triangle, and one draw per mesh: a run of an object's
// triangles of one material, or the ground. Each draw carries its material's display colour.
// Mesh files give every triangle vertices of its own; sharing the equal ones lets the graphics
// transform each corner once instead of once for each of its triangles.

#include "scene.h"

#include <cstdint>
#include <vector>

namespace quelmar {

struct MeshDraw {
    bool surface = false;      // the ground, else an object's mesh
    std::size_t firstIndex = 0;
    std::size_t indexCount = 0;
    float color[4] = {0.7f, 0.7f, 0.7f, 1.0f};

    bool isTranslucent() const { return color[3] < 1.0f; }
};

struct SceneMeshes {
    std::vector<float> positions;       // x, y, z per vertex
    std::vector<std::uint32_t> indices; // three per triangle, in the scene's order
    std::vector<MeshDraw> draws;        // the ground first, then the objects' meshes in scene order

    std::size_t vertexCount() const { return positions.size() / 3; }

    static SceneMeshes build(const Scene& scene);
};

// A material's display colour as RGBA floats; grey for a material the table lacks (or no table).
void materialColor(const Scene& scene, std::int32_t material, float rgba[4]);

} // namespace quelmar
