#include "testpack.h"

#include "coherentrcs.h"
#include "mtmcomputation.h"
#include "physicalconstants.h"

#include <Eigen/Geometry>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <utility>

TestPack::TestPack()
{
    header_.countX = header_.countY = header_.countZ = 1;
    header_.psiStep = header_.tetaStep = 10.0;
    header_.waveLength = 0.03;
}

TestPack::TestPack(const TestPack& other)
    : header_(other.header_), vertices_(other.vertices_), triangles_(other.triangles_)
{
}

void TestPack::addTriangle(const Eigen::Vector3d& a, const Eigen::Vector3d& b, const Eigen::Vector3d& c,
                           TestMaterial material)
{
    const auto first = std::int32_t(vertices_.size());
    for (const Eigen::Vector3d* v : {&a, &c, &b})
        vertices_.push_back({v->x(), v->y(), v->z()});
    TFcoTriangle triangle{};
    triangle.a = first, triangle.b = first + 1, triangle.c = first + 2;
    triangle.epsilon = material.epsilon, triangle.sigma = material.sigma, triangle.mu = material.mu;
    triangles_.push_back(triangle);
}

void TestPack::addRectangle(const Eigen::Vector3d& centre, const Eigen::Vector3d& u, const Eigen::Vector3d& v,
                            TestMaterial material)
{
    const Eigen::Vector3d p00 = centre - u / 2 - v / 2, p10 = centre + u / 2 - v / 2;
    const Eigen::Vector3d p11 = centre + u / 2 + v / 2, p01 = centre - u / 2 + v / 2;
    addTriangle(p00, p10, p11, material);
    addTriangle(p00, p11, p01, material);
}

void TestPack::addSphere(const Eigen::Vector3d& centre, double radius, int level, TestMaterial material)
{
    const double t = (1.0 + std::sqrt(5.0)) / 2.0;
    std::vector<Eigen::Vector3d> points = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0}, {0, -1, t}, {0, 1, t},
                                           {0, -1, -t}, {0, 1, -t}, {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
    for (Eigen::Vector3d& p : points)
        p.normalize();
    std::vector<std::array<int, 3>> faces = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                                             {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                                             {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                                             {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};
    for (int l = 0; l < level; ++l) {
        std::map<std::pair<int, int>, int> middles;
        auto middle = [&](int i, int j) {
            const auto key = std::minmax(i, j);
            const auto found = middles.find(key);
            if (found != middles.end())
                return found->second;
            points.push_back((points[i] + points[j]).normalized());
            return middles[key] = int(points.size() - 1);
        };
        std::vector<std::array<int, 3>> finer;
        for (const auto& f : faces) {
            const int a = middle(f[0], f[1]), b = middle(f[1], f[2]), c = middle(f[2], f[0]);
            finer.insert(finer.end(), {{f[0], a, c}, {f[1], b, a}, {f[2], c, b}, {a, b, c}});
        }
        faces = std::move(finer);
    }
    for (const auto& f : faces) {
        const Eigen::Vector3d a = points[f[0]], b = points[f[1]], c = points[f[2]];
        // Outward: counter-clockwise seen from outside the unit sphere.
        const bool outward = (b - a).cross(c - a).dot(a + b + c) > 0.0;
        addTriangle(centre + radius * a, centre + radius * (outward ? b : c), centre + radius * (outward ? c : b),
                    material);
    }
}

void TestPack::addCylinder(double radius, double length, int segments, TestMaterial material)
{
    auto rim = [&](int i, double y) {
        // The last strip ends exactly where the first begins: the surface is closed.
        const double angle = 2.0 * feltrane::kPi * (i % segments) / segments;
        return Eigen::Vector3d(radius * std::cos(angle), y, -radius * std::sin(angle));
    };
    const double top = length / 2, bottom = -length / 2;
    for (int i = 0; i < segments; ++i) {
        const Eigen::Vector3d b0 = rim(i, bottom), b1 = rim(i + 1, bottom), t0 = rim(i, top), t1 = rim(i + 1, top);
        addTriangle(b0, b1, t1, material);
        addTriangle(b0, t1, t0, material);
        addTriangle({0, top, 0}, t0, t1, material);
        addTriangle({0, bottom, 0}, b1, b0, material);
    }
}

void TestPack::reverseWinding()
{
    for (TFcoTriangle& t : triangles_)
        std::swap(t.b, t.c);
}

void TestPack::setOptions(const feltrane::PackOptions& options)
{
    feltrane::writePackOptions(header_, options);
}

TFcoMtm& TestPack::pack()
{
    header_.vertexCount = std::uint32_t(vertices_.size());
    header_.triangleCount = std::uint32_t(triangles_.size());
    header_.vertices = vertices_.data();
    header_.triangles = triangles_.data();
    return header_;
}

feltrane::ComputedMtm computeOrFail(TestPack& pack)
{
    const auto view = feltrane::PackView::read(&pack.pack());
    if (!view) {
        ADD_FAILURE() << view.error();
        throw std::runtime_error(view.error());
    }
    feltrane::RunControl control;
    control.begin();
    auto result = feltrane::computeMtm(view.value(), control);
    if (!result) {
        ADD_FAILURE() << result.error();
        throw std::runtime_error(result.error());
    }
    return std::move(result.value());
}

std::complex<double> coherentSum(const feltrane::ComputedMtm& mtm, double wavelength, std::uint32_t a,
                                 std::uint32_t e)
{
    const auto grid = feltrane::DirectionGrid::fromCounts(mtm.countAz(), mtm.countEl());
    return feltrane::coherentSum(mtm.savePoints(), a, e, grid->direction(a, e).towardsRadar, wavelength);
}

double crossSectionDb(const feltrane::ComputedMtm& mtm, double wavelength, std::uint32_t a, std::uint32_t e)
{
    const auto grid = feltrane::DirectionGrid::fromCounts(mtm.countAz(), mtm.countEl());
    return feltrane::toDecibels(
        feltrane::crossSection(mtm.savePoints(), a, e, grid->direction(a, e).towardsRadar, wavelength));
}

double decibels(double value)
{
    return 10.0 * std::log10(value);
}
