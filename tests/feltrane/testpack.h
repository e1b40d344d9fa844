#pragma once
// Packs made by the tests: meshes of closed-form shapes with their outward side known, held with
// the storage the pack points into.

#include "computedmtm.h"
#include "fcopack.h"
#include "packview.h"

#include <Eigen/Core>

#include <complex>
#include <vector>

struct TestMaterial {
    float epsilon = 10.0f; // the capture's default material
    float sigma = 1e10f;
    float mu = 1.0f;
};

inline TestMaterial perfectConductor()
{
    return {1.0f, std::numeric_limits<float>::infinity(), 1.0f};
}

class TestPack {
public:
    TestPack();
    TestPack(const TestPack& other);
    TestPack& operator=(const TestPack&) = delete;

    // A triangle whose outward side is the one from which a, b, c turn counter-clockwise, as in
    // mesh files; stored in the capture's order, so that (A − B) × (C − B) points out.
    void addTriangle(const Eigen::Vector3d& a, const Eigen::Vector3d& b, const Eigen::Vector3d& c,
                     TestMaterial material = {});
    // A rectangle centred on `centre` with edges `u` and `v` (full lengths); outward u × v.
    void addRectangle(const Eigen::Vector3d& centre, const Eigen::Vector3d& u, const Eigen::Vector3d& v,
                      TestMaterial material = {});
    // A geodesic sphere: the icosahedron with each face split into 4^level triangles.
    void addSphere(const Eigen::Vector3d& centre, double radius, int level, TestMaterial material = {});
    // A closed cylinder along y, `segments` flat strips around.
    void addCylinder(double radius, double length, int segments, TestMaterial material = {});
    // Every triangle turned over.
    void reverseWinding();

    // The pack with its pointers on this object's storage.
    TFcoMtm& pack();
    std::vector<TFcoVertex>& vertices() { return vertices_; }
    std::vector<TFcoTriangle>& triangles() { return triangles_; }

    void setGrid(double psiStep, double tetaStep) { header_.psiStep = psiStep, header_.tetaStep = tetaStep; }
    void setCells(int x, int y, int z) { header_.countX = x, header_.countY = y, header_.countZ = z; }
    void setWavelength(double metres) { header_.waveLength = metres; }
    void setPolarisation(double ellipticity, double orientation)
    {
        header_.coefEllipt = ellipticity, header_.orientAngle = orientation;
    }
    void setOptions(const feltrane::PackOptions& options);

private:
    TFcoMtm header_{};
    std::vector<TFcoVertex> vertices_;
    std::vector<TFcoTriangle> triangles_;
};

// Computes the pack's MTM in process; fails the test on an error.
feltrane::ComputedMtm computeOrFail(TestPack& pack);

// Σ_p S_p(d) e^{j2k d·p} at sample (a, e): σ = 4π|·|².
std::complex<double> coherentSum(const feltrane::ComputedMtm& mtm, double wavelength, std::uint32_t a,
                                 std::uint32_t e);
// 10·log10 σ at sample (a, e), dBsm.
double crossSectionDb(const feltrane::ComputedMtm& mtm, double wavelength, std::uint32_t a, std::uint32_t e);

double decibels(double value);
