#include "scenemeshes.h"

#include <cstring>
#include <unordered_map>

namespace quelmar {

namespace {

struct Position {
    float xyz[3];
    bool operator==(const Position& other) const { return std::memcmp(xyz, other.xyz, sizeof xyz) == 0; }
};

struct PositionHash {
    std::size_t operator()(const Position& p) const
    {
        std::uint32_t bits[3];
        std::memcpy(bits, p.xyz, sizeof bits);
        return (std::size_t(bits[0]) * 73856093u) ^ (std::size_t(bits[1]) * 19349663u) ^
               (std::size_t(bits[2]) * 83492791u);
    }
};

// Vertices are shared within one mesh only: a draw never reaches into another's.
class MeshBuilder {
public:
    explicit MeshBuilder(SceneMeshes& meshes) : meshes_(meshes) {}

    void begin(const Scene& scene, std::int32_t material, bool surface)
    {
        MeshDraw draw;
        draw.surface = surface;
        draw.firstIndex = meshes_.indices.size();
        materialColor(scene, material, draw.color);
        meshes_.draws.push_back(draw);
        shared_.clear();
    }

    void add(const SceneTriangle& triangle)
    {
        for (const Eigen::Vector3d* v : {&triangle.a, &triangle.b, &triangle.c}) {
            const Position p{{static_cast<float>(v->x()), static_cast<float>(v->y()), static_cast<float>(v->z())}};
            const auto [it, added] = shared_.emplace(p, static_cast<std::uint32_t>(meshes_.vertexCount()));
            if (added)
                meshes_.positions.insert(meshes_.positions.end(), p.xyz, p.xyz + 3);
            meshes_.indices.push_back(it->second);
        }
        meshes_.draws.back().indexCount += 3;
    }

private:
    SceneMeshes& meshes_;
    std::unordered_map<Position, std::uint32_t, PositionHash> shared_;
};

// A new draw wherever the material changes.
void appendRuns(const Scene& scene, const std::vector<SceneTriangle>& triangles, bool surface, MeshBuilder& builder)
{
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        if (i == 0 || triangles[i].material != triangles[i - 1].material)
            builder.begin(scene, triangles[i].material, surface);
        builder.add(triangles[i]);
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
    meshes.indices.reserve(scene.triangleCount(true, true) * 3);
    MeshBuilder builder(meshes);
    appendRuns(scene, scene.surface.triangles, true, builder);
    for (const SceneObject& object : scene.objects)
        appendRuns(scene, object.triangles, false, builder);
    return meshes;
}

} // namespace quelmar
