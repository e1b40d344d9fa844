#pragma once
// The smallest sphere enclosing a set of points (the target's extent for the far-field distance).

#include <Eigen/Core>

#include <vector>

namespace feltrane {

struct Sphere {
    Eigen::Vector3d centre = Eigen::Vector3d::Zero();
    double radius = 0.0;
};

// Exact up to rounding (Welzl's algorithm, iterative, in a fixed shuffled order). Empty: radius 0.
Sphere smallestEnclosingSphere(std::vector<Eigen::Vector3d> points);

} // namespace feltrane
