#include "meshpack.h"

#include <Eigen/Geometry>

#include <limits>

namespace mtm {

MeshPack::MeshPack(const std::vector<MeshTriangle>& triangles, const PackMaterial& material)
    : lower_(Eigen::Vector3d::Constant(std::numeric_limits<double>::infinity())),
      upper_(Eigen::Vector3d::Constant(-std::numeric_limits<double>::infinity()))
{
    vertices_.reserve(3 * triangles.size());
    triangles_.reserve(triangles.size());
    for (const MeshTriangle& t : triangles) {
        // Counter-clockwise A, B, C seen from outside goes in as A, C, B.
        const Eigen::Vector3d corners[3] = {t[0], t[2], t[1]};
        TFcoTriangle triangle{};
        triangle.a = std::int32_t(vertices_.size());
        triangle.b = triangle.a + 1;
        triangle.c = triangle.a + 2;
        const Eigen::Vector3d normal = (corners[0] - corners[1]).cross(corners[2] - corners[1]).normalized();
        triangle.normalX = normal.x(), triangle.normalY = normal.y(), triangle.normalZ = normal.z();
        triangle.epsilon = material.epsilon, triangle.sigma = material.sigma, triangle.mu = material.mu;
        triangles_.push_back(triangle);
        for (const Eigen::Vector3d& c : corners) {
            vertices_.push_back({c.x(), c.y(), c.z()});
            lower_ = lower_.cwiseMin(c);
            upper_ = upper_.cwiseMax(c);
        }
    }
    pack_.vertexCount = std::uint32_t(vertices_.size());
    pack_.triangleCount = std::uint32_t(triangles_.size());
    pack_.vertices = vertices_.data();
    pack_.triangles = triangles_.data();
}

} // namespace mtm
