// Writes the demo corner reflector's MTM: `quelmar_make_demo_mtm OUTPUT.mtm`.
#include "cornerreflectormodel.h"

#include "mtmfile.h"
#include "rcsgrid.h"

#include <cstdio>
#include <vector>

namespace {

// The reflector in data/demo (reflector.stl), seen at the demo radar's wavelength.
constexpr double edgeMetres = 1.5;
constexpr double wavelengthMetres = 0.03;
constexpr double stepDegrees = 5.0;

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.mtm\n", argv[0]);
        return 2;
    }
    const quelmar::CornerReflectorModel model(edgeMetres, wavelengthMetres);
    // Azimuth 0 … 360 and elevation −90 … 90, both ends included.
    const auto countAz = static_cast<std::uint32_t>(360.0 / stepDegrees) + 1;
    const auto countEl = static_cast<std::uint32_t>(180.0 / stepDegrees) + 1;

    std::vector<TMtmSavePoint> points;
    for (std::size_t p = 0; p < model.points().size(); ++p) {
        const Eigen::Vector3d& at = model.points()[p];
        TRcsValue** grid = allocateRcsGrid(countAz, countEl);
        for (std::uint32_t a = 0; a < countAz; ++a)
            for (std::uint32_t e = 0; e < countEl; ++e)
                grid[a][e] = model.amplitude(p, quelmar::CornerReflectorModel::direction(a * stepDegrees,
                                                                                          -90.0 + e * stepDegrees));
        points.push_back({at.x(), at.y(), at.z(), grid});
    }
    const kalmeno::Status written = ostrell::writeMtmFile(argv[1], points.data(), static_cast<std::uint32_t>(points.size()),
                                                          countAz, countEl, model.farFieldDistance());
    for (TMtmSavePoint& point : points)
        releaseRcsGrid(point.rcs);
    if (!written) {
        std::fprintf(stderr, "%s: %s\n", argv[1], written.error().c_str());
        return 1;
    }
    return 0;
}
