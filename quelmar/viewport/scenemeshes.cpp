#include "scenemeshes.h"

namespace quelmar {

namespace {

void append(const SceneTriangle& triangle, std::vector<float>& positions)
{
    for (const Eigen::Vector3d* v : {&triangle.a, &triangle.b, &triangle.c}) {
        positions.push_back(static_cast<float>(v->x()));
        positions.push_back(static_cast<float>(v->y()));
        positions.push_back(static_cast<float>(v->z()));
    }
}

// Appends `triangles` as draws, a new one wherever the material changes.
void appendRuns(const Scene& scene, const std::vector<SceneTriangle>& triangles, bool surface, SceneMeshes& meshes)
{
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        if (i == 0 || triangles[i].material != triangles[i - 1].material) {
            MeshDraw draw;
            draw.surface = surface;
            draw.firstVertex = meshes.positions.size() / 3;
            materialColor(scene, triangles[i].material, draw.color);
            meshes.draws.push_back(draw);
        }
        append(triangles[i], meshes.positions);
        meshes.draws.back().vertexCount += 3;
    }
}

} // namespace

void materialColor(const Scene& scene, std::int32_t material, float rgba[4])
{
    if (!scene.materials || material < 0 || static_cast<std::size_t>(material) >= scene.materials->size()) {
        rgba[0] = rgba[1] = rgba[2] = 0.7f;
        rgba[3] = 1.0f;
        return;
    }
    const std::uint32_t color = (*scene.materials)[static_cast<std::size_t>(material)].color;
    for (int k = 0; k < 4; ++k)
        rgba[k] = static_cast<float>((color >> (8 * k)) & 0xFFu) / 255.0f;
}

SceneMeshes SceneMeshes::build(const Scene& scene)
{
    SceneMeshes meshes;
    meshes.positions.reserve(scene.triangleCount(true, true) * 9);
    appendRuns(scene, scene.surface.triangles, true, meshes);
    for (const SceneObject& object : scene.objects)
        appendRuns(scene, object.triangles, false, meshes);
    return meshes;
}

} // namespace quelmar
