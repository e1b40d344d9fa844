#include "boundingsphere.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <random>

namespace feltrane {

namespace {

bool outside(const Sphere& sphere, const Eigen::Vector3d& p)
{
    // Points on the sphere up to rounding count as inside, or degenerate boundaries would follow.
    return (p - sphere.centre).norm() > sphere.radius * (1.0 + 1e-12);
}

Sphere throughTwo(const Eigen::Vector3d& a, const Eigen::Vector3d& b)
{
    return {(a + b) / 2.0, (a - b).norm() / 2.0};
}

Sphere throughThree(const Eigen::Vector3d& a, const Eigen::Vector3d& b, const Eigen::Vector3d& c)
{
    const Eigen::Vector3d u = b - a, v = c - a, w = u.cross(v);
    const double w2 = w.squaredNorm();
    if (!(w2 > 1e-24 * u.squaredNorm() * v.squaredNorm())) {
        // Collinear: the sphere on the two points furthest apart.
        Sphere best = throughTwo(a, b);
        for (const Sphere& s : {throughTwo(a, c), throughTwo(b, c)})
            if (s.radius > best.radius)
                best = s;
        return best;
    }
    const Eigen::Vector3d offset = (u.squaredNorm() * v.cross(w) + v.squaredNorm() * w.cross(u)) / (2.0 * w2);
    return {a + offset, offset.norm()};
}

Sphere throughFour(const Eigen::Vector3d& a, const Eigen::Vector3d& b, const Eigen::Vector3d& c,
                   const Eigen::Vector3d& d)
{
    Eigen::Matrix3d m;
    m.row(0) = 2.0 * (b - a);
    m.row(1) = 2.0 * (c - a);
    m.row(2) = 2.0 * (d - a);
    const double scale = (b - a).norm() * (c - a).norm() * (d - a).norm();
    if (std::abs(m.determinant()) > 1e-12 * 8.0 * scale) {
        const Eigen::Vector3d rhs((b - a).squaredNorm(), (c - a).squaredNorm(), (d - a).squaredNorm());
        const Eigen::Vector3d offset = m.partialPivLu().solve(rhs);
        return {a + offset, offset.norm()};
    }
    // Coplanar: the smallest sphere through three of them that holds the fourth.
    const Eigen::Vector3d p[4] = {a, b, c, d};
    Sphere best;
    bool found = false;
    for (int skip = 0; skip < 4; ++skip) {
        const Sphere s = throughThree(p[(skip + 1) % 4], p[(skip + 2) % 4], p[(skip + 3) % 4]);
        if (!outside(s, p[skip]) && (!found || s.radius < best.radius)) {
            best = s;
            found = true;
        }
    }
    return found ? best : throughThree(a, b, c);
}

} // namespace

Sphere smallestEnclosingSphere(std::vector<Eigen::Vector3d> points)
{
    if (points.empty())
        return {};
    // Expected linear time needs a random order; a fixed seed keeps results reproducible.
    std::mt19937_64 random(0x5eed);
    for (std::size_t i = points.size() - 1; i > 0; --i)
        std::swap(points[i], points[std::uniform_int_distribution<std::size_t>(0, i)(random)]);

    Sphere sphere{points[0], 0.0};
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (!outside(sphere, points[i]))
            continue;
        sphere = {points[i], 0.0};
        for (std::size_t j = 0; j < i; ++j) {
            if (!outside(sphere, points[j]))
                continue;
            sphere = throughTwo(points[i], points[j]);
            for (std::size_t k = 0; k < j; ++k) {
                if (!outside(sphere, points[k]))
                    continue;
                sphere = throughThree(points[i], points[j], points[k]);
                for (std::size_t l = 0; l < k; ++l)
                    if (outside(sphere, points[l]))
                        sphere = throughFour(points[i], points[j], points[k], points[l]);
            }
        }
    }
    return sphere;
}

} // namespace feltrane
