// `mtm generate`, `mtm rcs` and `mtm join` run as processes on small meshes written by the tests.

#include "mtmfilebuilder.h"
#include "numbers.h"
#include "toolprocess.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using Vertex = std::array<double, 3>;

// An ASCII STL of square plates, corners counter-clockwise seen from the side the plate faces.
std::string plateStl(const std::vector<std::array<Vertex, 4>>& plates)
{
    std::ostringstream stl;
    stl << "solid plates\n";
    for (const auto& q : plates)
        for (const std::array<int, 3>& t : {std::array<int, 3>{0, 1, 2}, {0, 2, 3}}) {
            stl << " facet normal 0 0 0\n  outer loop\n";
            for (const int k : t)
                stl << "   vertex " << q[k][0] << ' ' << q[k][1] << ' ' << q[k][2] << '\n';
            stl << "  endloop\n endfacet\n";
        }
    stl << "endsolid plates\n";
    return stl.str();
}

// An ASCII STL of triangles, corners counter-clockwise seen from the side they face.
std::string triangleStl(const std::vector<std::array<Vertex, 3>>& triangles)
{
    std::ostringstream stl;
    stl << "solid triangles\n";
    for (const auto& t : triangles) {
        stl << " facet normal 0 0 0\n  outer loop\n";
        for (const Vertex& v : t)
            stl << "   vertex " << v[0] << ' ' << v[1] << ' ' << v[2] << '\n';
        stl << "  endloop\n endfacet\n";
    }
    stl << "endsolid triangles\n";
    return stl.str();
}

// A side × side plate in the y-z plane at x, facing +x.
std::array<Vertex, 4> plateFacingX(double side, double x = 0.0)
{
    const double h = side / 2;
    return {Vertex{x, -h, -h}, {x, h, -h}, {x, h, h}, {x, -h, h}};
}

// The rcs_dbsm column of a `mtm rcs` CSV at (az_index, el_index).
double rcsAt(const std::string& csv, int a, int e)
{
    std::istringstream lines(csv);
    std::string line;
    const std::string key = std::to_string(a) + "," + std::to_string(e) + ",";
    while (std::getline(lines, line))
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(line.rfind(',') + 1));
    ADD_FAILURE() << "no line for " << key;
    return std::nan("");
}

class MtmGenerate : public ::testing::Test {
protected:
    std::string mesh(const std::string& name, const std::vector<std::array<Vertex, 4>>& plates)
    {
        writeFileBytes(folder.file(name), plateStl(plates));
        return folder.file(name);
    }
    // Generates, then returns the RCS table of the result at its own wavelength.
    std::string generateAndRcs(const std::vector<std::string>& options, const std::string& stl)
    {
        const std::string out = folder.file("model.mtm");
        std::vector<std::string> arguments{"generate", stl, "-o", out};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const ToolRun generated = runMtm(arguments);
        EXPECT_EQ(generated.status, 0) << generated.err;
        const ToolRun rcs = runMtm({"rcs", out, "--csv", folder.file("rcs.csv")});
        EXPECT_EQ(rcs.status, 0) << rcs.err;
        return readFileBytes(folder.file("rcs.csv"));
    }

    TemporaryFolder folder;
};

const std::vector<std::string> kPlateGrid = {"--wavelength", "0.03", "--az-step", "5", "--el-step", "5"};

TEST_F(MtmGenerate, PlateShowsItsClosedFormCrossSection)
{
    const std::string stl = mesh("plate.stl", {plateFacingX(1.0)});
    const std::string csv = generateAndRcs(kPlateGrid, stl);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "az_index,el_index,azimuth_deg,elevation_deg,rcs_dbsm");
    EXPECT_NEAR(rcsAt(csv, 0, 18), 41.45, 0.05) << "4πA²/λ² along the normal";
    EXPECT_EQ(csv.find("\n0,0,0,-90,-inf\n"), csv.find('\n')) << "edge-on from the pole: no floor";

    // The settings file is the window's, with the generation's parameters.
    const std::string ini = readFileBytes(folder.file("model.ini"));
    for (const char* member : {"\"waveLength\": 0.03", "\"psi\": 5", "\"axisX\": 10"})
        EXPECT_NE(ini.find(member), std::string::npos) << member;
    EXPECT_EQ(ini.find("\"rows\""), std::string::npos);

    // The same plate in ε_r 4: a third of the field, 9.54 dB less.
    const std::string dielectric = generateAndRcs({"--wavelength", "0.03", "--az-step", "5", "--el-step", "5",
                                                   "--material", "4,0,1"},
                                                  stl);
    EXPECT_NEAR(rcsAt(dielectric, 0, 18) - rcsAt(csv, 0, 18), 20 * std::log10(1.0 / 3.0), 1e-9);
}

TEST_F(MtmGenerate, UpAxisAndScaleShapeTheMesh)
{
    // Facing +z in a z-up file: facing up in the box frame, so the peak is at elevation 90°.
    const std::string stl = mesh("flat.stl", {{Vertex{-0.5, -0.5, 0}, {0.5, -0.5, 0}, {0.5, 0.5, 0}, {-0.5, 0.5, 0}}});
    const std::string upright = generateAndRcs({"--wavelength", "0.03", "--az-step", "5", "--el-step", "5",
                                                "--up", "z"},
                                               stl);
    EXPECT_NEAR(rcsAt(upright, 0, 36), 41.45, 0.05);
    // Twice the size: four times the area, 16 times the cross-section.
    const std::string doubled = generateAndRcs({"--wavelength", "0.03", "--az-step", "5", "--el-step", "5",
                                                "--up", "z", "--scale", "2"},
                                               stl);
    EXPECT_NEAR(rcsAt(doubled, 7, 36) - rcsAt(upright, 7, 36), 10 * std::log10(16.0), 1e-9);
}

TEST_F(MtmGenerate, SlabsJoinIntoTheWholeModel)
{
    const std::string stl = mesh("pair.stl", {plateFacingX(0.5), plateFacingX(0.3, 0.4)});
    // Few bouncing rays: the parts must agree with the whole, whatever the rays' density.
    const std::vector<std::string> common = {"--wavelength", "0.05", "--az-step", "10", "--el-step", "10",
                                             "--cells", "2,2,2", "--ray-density", "1"};
    auto generate = [&](const std::string& name, const std::string& rows) {
        std::vector<std::string> arguments{"generate", stl, "-o", folder.file(name)};
        arguments.insert(arguments.end(), common.begin(), common.end());
        if (!rows.empty())
            arguments.insert(arguments.end(), {"--rows", rows});
        const ToolRun run = runMtm(arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        return folder.file(name);
    };
    const std::string whole = generate("whole.mtm", "");
    const std::string a = generate("a.mtm", "0:10"), b = generate("b.mtm", "11:30"), c = generate("c.mtm", "31:36");
    EXPECT_NE(readFileBytes(folder.file("b.ini")).find("\"rows\""), std::string::npos);

    const ToolRun joined = runMtm({"join", folder.file("joined.mtm"), c, a, b});
    ASSERT_EQ(joined.status, 0) << joined.err;
    EXPECT_EQ(readFileBytes(folder.file("joined.mtm")), readFileBytes(whole)) << "byte for byte";
    EXPECT_EQ(readFileBytes(folder.file("joined.ini")), readFileBytes(folder.file("whole.ini")));

    // Parts that overlap, leave a gap, or belong to another model are refused; nothing is written.
    const std::string overlap = generate("overlap.mtm", "10:12");
    const std::string other = folder.file("other.mtm");
    ASSERT_EQ(runMtm({"generate", stl, "-o", other, "--wavelength", "0.04", "--az-step", "10", "--el-step", "10",
                      "--cells", "2,2,2", "--ray-density", "1", "--rows", "31:36"})
                  .status,
              0);
    const struct {
        std::vector<std::string> parts;
        const char* reason;
    } refused[] = {
        {{a, b, overlap, c}, "row 10 is in both"},
        {{a, c}, "no part holds row 11"},
        {{a, b, other}, "another wavelength"},
        {{a, b, folder.file("missing.mtm")}, "settings file"},
    };
    for (const auto& r : refused) {
        std::vector<std::string> arguments{"join", folder.file("refused.mtm")};
        arguments.insert(arguments.end(), r.parts.begin(), r.parts.end());
        const ToolRun run = runMtm(arguments);
        EXPECT_EQ(run.status, 1) << r.reason;
        EXPECT_NE(run.err.find(r.reason), std::string::npos) << run.err;
        EXPECT_FALSE(std::ifstream(folder.file("refused.mtm")).good()) << r.reason;
    }
}

TEST_F(MtmGenerate, CornerReflectorsShowTheirMultipleReflections)
{
    // At 10 cm, seen along +x (azimuth and elevation 0): a dihedral of two 1.5 m plates at 90°
    // along its symmetry plane, and a triangular trihedral of 1.5 m edges along its axis.
    const double s = 1.5 / std::sqrt(2.0);
    const std::string dihedral =
        mesh("dihedral.stl", {{Vertex{0, -0.75, 0}, {s, -0.75, s}, {s, 0.75, s}, {0, 0.75, 0}},
                              {Vertex{0, -0.75, 0}, {0, 0.75, 0}, {s, 0.75, -s}, {s, -0.75, -s}}});
    std::array<Vertex, 3> edges;
    for (int i = 0; i < 3; ++i) {
        const double angle = platform::pi / 2 + 2 * platform::pi * i / 3;
        edges[i] = {1.5 / std::sqrt(3.0), 1.5 * std::sqrt(2.0 / 3) * std::cos(angle),
                    1.5 * std::sqrt(2.0 / 3) * std::sin(angle)};
    }
    const Vertex apex{0, 0, 0};
    writeFileBytes(folder.file("trihedral.stl"),
                   triangleStl({{apex, edges[0], edges[1]}, {apex, edges[1], edges[2]}, {apex, edges[2], edges[0]}}));
    const std::string trihedral = folder.file("trihedral.stl");
    const std::vector<std::string> grid = {"--wavelength", "0.1", "--az-step", "90", "--el-step", "90"};
    auto with = [&](std::vector<std::string> extra) {
        extra.insert(extra.begin(), grid.begin(), grid.end());
        return extra;
    };

    const double dihedralForm = 10 * std::log10(8 * platform::pi * std::pow(1.5, 4) / 0.01); // 41.05 dBsm
    EXPECT_NEAR(rcsAt(generateAndRcs(with({"--bounces", "2"}), dihedral), 0, 1), dihedralForm, 0.5);
    EXPECT_LT(rcsAt(generateAndRcs(with({"--bounces", "1"}), dihedral), 0, 1), dihedralForm - 20)
        << "single reflections alone miss the dihedral";

    const double trihedralForm = 10 * std::log10(4 * platform::pi * std::pow(1.5, 4) / (3 * 0.01)); // 33.27 dBsm
    EXPECT_NEAR(rcsAt(generateAndRcs(grid, trihedral), 0, 1), trihedralForm, 1.0) << "three reflections by default";
    EXPECT_NEAR(rcsAt(generateAndRcs(with({"--ray-density", "8"}), trihedral), 0, 1), trihedralForm, 1.0);
}

TEST_F(MtmGenerate, RcsNeedsAWavelength)
{
    const std::string stl = mesh("plate.stl", {plateFacingX(1.0)});
    ASSERT_EQ(runMtm({"generate", stl, "-o", folder.file("p.mtm"), "--wavelength", "0.03", "--az-step", "10",
                      "--el-step", "10"})
                  .status,
              0);
    std::remove(folder.file("p.ini").c_str());
    const ToolRun without = runMtm({"rcs", folder.file("p.mtm"), "--csv", folder.file("p.csv")});
    EXPECT_EQ(without.status, 2);
    EXPECT_NE(without.err.find("no wavelength"), std::string::npos) << without.err;
    const ToolRun with = runMtm({"rcs", folder.file("p.mtm"), "--csv", folder.file("p.csv"), "--wavelength", "0.03"});
    EXPECT_EQ(with.status, 0) << with.err;
    EXPECT_NEAR(rcsAt(readFileBytes(folder.file("p.csv")), 0, 9), 41.45, 0.05);
}

TEST_F(MtmGenerate, BadRequestsChangeNothing)
{
    const std::string stl = mesh("plate.stl", {plateFacingX(1.0)});
    const std::string out = folder.file("keep.mtm");
    writeFileBytes(out, "an older model");
    const std::vector<std::string> grid = {"--wavelength", "0.03", "--az-step", "10", "--el-step", "10"};
    const struct {
        std::vector<std::string> extra;
        int status;
        const char* reason;
    } cases[] = {
        {{"--cells", "0,1,1"}, 2, "--cells"},
        {{"--cells", "1,2"}, 2, "--cells"},
        {{"--material", "cheese"}, 2, "unknown material"},
        {{"--material", "4,-1,1"}, 2, "conductivity"},
        {{"--rows", "5:2"}, 2, "--rows"},
        {{"--rows", "0:37"}, 2, "--rows"},
        {{"--up", "x"}, 2, "--up"},
        {{"--scale", "0"}, 2, "--scale"},
        {{"--polarisation", "1"}, 2, "--polarisation"},
        {{"--threads", "-1"}, 2, "--threads"},
        {{"--az-step", "400"}, 2, "fewer than two samples"},
        {{"--bounces", "0"}, 2, "--bounces"},
        {{"--bounces", "65"}, 2, "--bounces"},
        {{"--ray-density", "0"}, 2, "--ray-density"},
        {{"--ray-density", "1e9"}, 2, "--ray-density"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"generate", stl, "-o", out};
        arguments.insert(arguments.end(), grid.begin(), grid.end());
        arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
        const ToolRun run = runMtm(arguments);
        EXPECT_EQ(run.status, c.status) << c.reason;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    }
    EXPECT_EQ(runMtm({"generate", stl, "-o", out, "--az-step", "10", "--el-step", "10"}).status, 2)
        << "no wavelength";
    const ToolRun unreadable = runMtm({"generate", folder.file("missing.stl"), "-o", out, "--wavelength", "0.03",
                                       "--az-step", "10", "--el-step", "10"});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.err.find("missing.stl"), std::string::npos) << unreadable.err;
    EXPECT_EQ(readFileBytes(out), "an older model");
}

} // namespace
