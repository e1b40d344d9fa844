// Writes data/samples/cube.mtm: the eight corners of a 2 m cube on a 10-degree grid (37 × 19).
// Each corner scatters most towards the directions it faces; the phase is the two-way path of an
// X-band wave (3 cm), so the pattern of the whole model shows real interference lobes.
//   make_cube_sample OUT.mtm

#include "mtmfile.h"
#include "numbers.h"
#include "rcsgrid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cube_sample OUT.mtm\n");
        return 2;
    }
    using platform::pi;
    constexpr std::uint32_t countAz = 37;
    constexpr std::uint32_t countEl = 19;
    constexpr double waveLength = 0.03;
    constexpr double distance = 1000.0;
    const double k = 2 * pi / waveLength;

    std::vector<TMtmSavePoint> points;
    for (int corner = 0; corner < 8; ++corner) {
        const double x = corner & 1 ? 1.0 : -1.0;
        const double y = corner & 2 ? 1.0 : -1.0;
        const double z = corner & 4 ? 1.0 : -1.0;
        TRcsValue** rcs = allocateRcsGrid(countAz, countEl);
        for (std::uint32_t a = 0; a < countAz; ++a) {
            const double phi = a * 2 * pi / (countAz - 1);
            for (std::uint32_t e = 0; e < countEl; ++e) {
                const double theta = e * pi / (countEl - 1) - pi / 2;
                // Direction of observation: x forward, y up, z = x cross y.
                const double ux = std::cos(theta) * std::cos(phi);
                const double uy = std::sin(theta);
                const double uz = -std::cos(theta) * std::sin(phi);
                const double facing = std::max(0.0, (ux * x + uy * y + uz * z) / std::sqrt(3.0));
                const double sigma = 0.1 + 0.9 * facing * facing; // m²
                const double phase = -2 * k * (ux * x + uy * y + uz * z);
                rcs[a][e] = std::polar(std::sqrt(sigma), phase);
            }
        }
        points.push_back({x, y, z, rcs});
    }
    const auto written = ostrell::writeMtmFile(argv[1], points.data(), std::uint32_t(points.size()), countAz,
                                               countEl, distance);
    for (TMtmSavePoint& point : points)
        releaseRcsGrid(point.rcs);
    if (!written) {
        std::fprintf(stderr, "make_cube_sample: %s: %s\n", argv[1], written.error().c_str());
        return 1;
    }
    return 0;
}
