#pragma once
// The FCO pack of a mesh, laid out as the window's capture lays it out: three vertices of its own
// per triangle, wound so that (A − B) × (C − B) points out of the surface, one material for all.

#include "fcopack.h"
#include "meshfile.h"

#include <Eigen/Core>

#include <vector>

namespace mtm {

struct PackMaterial {
    float epsilon;
    float sigma; // S/m; infinity for a perfect conductor
    float mu;
};

class MeshPack {
public:
    MeshPack(const std::vector<MeshTriangle>& triangles, const PackMaterial& material);
    MeshPack(const MeshPack&) = delete;
    MeshPack& operator=(const MeshPack&) = delete;

    // The pack's header; its pointers refer to this object's vertices and triangles.
    TFcoMtm& pack() { return pack_; }
    // The box around the vertices.
    Eigen::Vector3d extent() const { return upper_ - lower_; }

private:
    TFcoMtm pack_{};
    std::vector<TFcoVertex> vertices_;
    std::vector<TFcoTriangle> triangles_;
    Eigen::Vector3d lower_, upper_;
};

} // namespace mtm
