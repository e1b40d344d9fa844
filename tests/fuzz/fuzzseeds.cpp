// Writes the fuzz targets' starting corpora: small valid .mtm files (current and legacy), the demo's
// settings file and scene, and small meshes of each format the mesh target picks.
//   fuzz_seeds FOLDER SOURCE_FOLDER      (FOLDER/mtm, /settings, /scene, /mesh)

#include "mtmbytes.h"

#include <complex>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Seed {
    const char* name;
    bool legacy;
    std::int32_t przn;
    std::uint32_t points, countAz, countEl;
    double distance = 1000.0;
};

// Coordinates p + axis / 2; the grids' values, read as one run of doubles, count up by 0.25.
std::vector<unsigned char> seedBytes(const Seed& seed)
{
    return mtmtest::mtmBytes(
        seed, [](std::uint32_t p, int axis) { return p + axis * 0.5; },
        [&seed](std::uint32_t p, std::uint32_t a, std::uint32_t e) {
            const std::uint32_t v = 2 * ((p * seed.countAz + a) * seed.countEl + e);
            return std::complex<double>(v * 0.25, (v + 1) * 0.25);
        });
}

bool write(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

std::string contentOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The mesh target reads its first byte as the index of the extension (meshfuzz.cpp).
std::string meshSeed(int extension, const std::string& file)
{
    return std::string(1, char(extension)) + file;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER SOURCE_FOLDER\n");
        return 2;
    }
    const std::string out = argv[1];
    const std::string demo = std::string(argv[2]) + "/data/demo/";
    bool ok = true;

    const Seed seeds[] = {
        {"current-empty", false, 0, 0, 37, 19},  {"current-1x2x2", false, 0, 1, 2, 2},
        {"current-2x3x2", false, 1, 2, 3, 2},    {"current-no-az", false, 0, 2, 0, 3},
        {"current-no-el", false, 0, 2, 3, 0},    {"legacy-1x2x2", true, 0, 1, 2, 2},
        {"legacy-2x2x3", true, 0, 2, 2, 3},      {"legacy-3x1x1", true, 0, 3, 1, 1},
    };
    for (const Seed& seed : seeds) {
        const auto bytes = seedBytes(seed);
        ok = write(out + "/mtm/" + seed.name + ".mtm", std::string(bytes.begin(), bytes.end())) && ok;
    }

    ok = write(out + "/settings/reflector.ini", contentOf(demo + "reflector.ini")) && ok;
    ok = write(out + "/scene/demo.xml", contentOf(demo + "demo.xml")) && ok;

    const std::string gltf =
        R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":[{"children":[1]},{"mesh":0}],)"
        R"("meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)"
        R"("buffers":[{"byteLength":36,"uri":"data:application/octet-stream;base64,AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAA"}],)"
        R"("bufferViews":[{"buffer":0,"byteLength":36}],)"
        R"("accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","max":[1,1,0],"min":[0,0,0]}]})";
    const std::string collada =
        R"(<?xml version="1.0"?><COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">)"
        R"(<library_geometries><geometry id="g"><mesh><source id="p"><float_array id="pa" count="9">0 0 0 1 0 0 0 1 0</float_array>)"
        R"(<technique_common><accessor source="#pa" count="3" stride="3"><param name="X" type="float"/>)"
        R"(<param name="Y" type="float"/><param name="Z" type="float"/></accessor></technique_common></source>)"
        R"(<vertices id="v"><input semantic="POSITION" source="#p"/></vertices><triangles count="1">)"
        R"(<input semantic="VERTEX" source="#v" offset="0"/><p>0 1 2</p></triangles></mesh></geometry></library_geometries>)"
        R"(<library_visual_scenes><visual_scene id="s"><node><node><instance_geometry url="#g"/></node></node></visual_scene>)"
        R"(</library_visual_scenes><scene><instance_visual_scene url="#s"/></scene></COLLADA>)";
    const struct {
        const char* name;
        std::string bytes;
    } meshes[] = {
        {"square.obj", meshSeed(0, "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n")},
        {"wheels.stl", meshSeed(1, contentOf(demo + "vehicle_wheels.stl"))},
        {"plate.ply", meshSeed(2, contentOf(demo + "plate.ply"))},
        {"chain.gltf", meshSeed(3, gltf)},
        {"chain.dae", meshSeed(5, collada)},
        {"square.off", meshSeed(6, "OFF\n4 1 0\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n4 0 1 2 3\n")},
    };
    for (const auto& mesh : meshes)
        ok = write(out + "/mesh/" + mesh.name, mesh.bytes) && ok;
    return ok ? 0 : 1;
}
