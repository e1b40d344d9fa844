// Mesh files as an attacker would craft them: each gets a reason, never a crash, a stall or a
// read that blocks, and a load can be stopped.

#include "hostilefiles.h"
#include "meshloader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string write(const HostileFolder& folder, const std::string& name, const std::string& content)
{
    std::ofstream(folder.path(name), std::ios::binary) << content;
    return folder.path(name);
}

std::string plyWithFace(const std::string& indices)
{
    return "ply\nformat ascii 1.0\nelement vertex 5\nproperty float x\nproperty float y\nproperty float z\n"
           "element face 1\nproperty list uchar int vertex_indices\nend_header\n"
           "0 0 0\n1 0 0\n0 1 0\n1 1 0\n0 0 1\n3 " +
           indices + "\n";
}

// A glTF whose nodes form a chain `depth` long (the last one holding a triangle); with `cycle` the
// last node points back at the first.
std::string gltfChain(int depth, bool cycle = false)
{
    std::ostringstream nodes;
    for (int i = 0; i + 1 < depth; ++i)
        nodes << "{\"children\":[" << i + 1 << "]},";
    nodes << (cycle ? "{\"mesh\":0,\"children\":[0]}" : "{\"mesh\":0}");
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":[)" + nodes.str() +
           R"(],"meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)"
           R"("buffers":[{"byteLength":36,"uri":"data:application/octet-stream;base64,AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAA"}],)"
           R"("bufferViews":[{"buffer":0,"byteLength":36}],)"
           R"("accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","max":[1,1,0],"min":[0,0,0]}]})";
}

// A Collada file whose one triangle sits `depth` nodes deep.
std::string colladaChain(int depth)
{
    std::string nodes;
    for (int i = 0; i < depth; ++i)
        nodes += "<node>";
    nodes += "<instance_geometry url=\"#g\"/>";
    for (int i = 0; i < depth; ++i)
        nodes += "</node>";
    return R"(<?xml version="1.0"?><COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">)"
           R"(<asset><unit meter="1"/><up_axis>Y_UP</up_axis></asset><library_geometries><geometry id="g"><mesh>)"
           R"(<source id="p"><float_array id="pa" count="9">0 0 0 1 0 0 0 1 0</float_array><technique_common>)"
           R"(<accessor source="#pa" count="3" stride="3"><param name="X" type="float"/><param name="Y" type="float"/>)"
           R"(<param name="Z" type="float"/></accessor></technique_common></source><vertices id="v">)"
           R"(<input semantic="POSITION" source="#p"/></vertices><triangles count="1"><input semantic="VERTEX" source="#v" offset="0"/>)"
           R"(<p>0 1 2</p></triangles></mesh></geometry></library_geometries><library_visual_scenes><visual_scene id="s">)" +
           nodes + R"(</visual_scene></library_visual_scenes><scene><instance_visual_scene url="#s"/></scene></COLLADA>)";
}

// An OFF square's header and vertices (lines 1 to 6), its one face still to come.
const std::string kOffSquareHead = "OFF\n4 1 0\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n";

// One face of `corners` corners around a circle (convex), in OBJ.
std::string objPolygon(int corners)
{
    std::ostringstream obj;
    for (int i = 0; i < corners; ++i)
        obj << "v " << std::cos(6.283185307 * i / corners) << ' ' << std::sin(6.283185307 * i / corners) << " 0\n";
    obj << 'f';
    for (int i = 1; i <= corners; ++i)
        obj << ' ' << i;
    obj << '\n';
    return obj.str();
}

TEST(MeshLoader, CraftedFilesGetAReason)
{
    HostileFolder folder;
    const std::string fifo = folder.fifo("fifo.obj");
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {write(folder, "far.ply", plyWithFace("0 1 100000000")), "out of range"},
        {write(folder, "negative.ply", plyWithFace("0 1 -1")), "out of range"},
        {write(folder, "endless.ply", "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nend_he"),
         "a PLY header without its end"},
        {write(folder, "commented.ply", "ply\nformat ascii 1.0\ncomment end_header\n"), "a PLY header without its end"},
        {write(folder, "deep.gltf", gltfChain(50000)), "the glTF node hierarchy nests deeper than 1000 levels"},
        {write(folder, "cycle.gltf", gltfChain(3, true)), "the glTF node hierarchy has a cycle"},
        {write(folder, "nested.gltf", std::string(100000, '[') + std::string(100000, ']')),
         "the JSON nests deeper than 1000 levels"},
        {write(folder, "deep.dae", colladaChain(50000)), "the XML nests deeper than 1000 levels"},
        {fifo, "not a regular file (a FIFO)"},
        {folder.folder("folder.stl"), "not a regular file (a folder)"},
        // Assimp's OFF reader crashed on this one (found by fuzzing): a face line with no corner count.
        {write(folder, "nocount.off", kOffSquareHead + "md5version0\n0 1 0\n4 0 11 0\n4 0 1 2 3\n"),
         "OFF line 7: a face is its number of corners"},
        {write(folder, "far.off", kOffSquareHead + "4 0 1 2 7\n"), "OFF line 7: vertex index 7 is not one of the 4"},
        {write(folder, "commented.off", "OFF\n# a comment\n4 1 0\n"), "OFF line 2: the counts"},
        {write(folder, "coloured.off", "COFF\n4 1 0\n"), "only plain OFF files are read"},
        {write(folder, "long.off", kOffSquareHead + "4 0 1 2 3 " + std::string(5000, '1') + "\n"),
         "OFF line 7 is longer than 4095 characters"},
        {write(folder, "short.off", kOffSquareHead), "the OFF file ends before its faces"},
        {write(folder, "unnamed", "OFF\n4 1 0\n0 0 0\n"), "the OFF file ends before its vertices"},
    };
    for (const auto& c : cases) {
        std::string reason;
        EXPECT_TRUE(returnsWithin(
            60, [&] { reason = quelmar::loadMeshTriangles(c.path).error(); }, [&] { releaseFifo(fifo); }))
            << c.path << " did not come back";
        EXPECT_NE(reason.find(c.reason), std::string::npos) << c.path << ": " << reason;
    }
}

TEST(MeshLoader, SoundFilesLoadWhateverTheirPolygonsAndHierarchy)
{
    HostileFolder folder;
    // A material library that is a FIFO is left out instead of blocking the load.
    const std::string fifo = folder.fifo("blocking.mtl");
    const struct {
        std::string path;
        std::size_t triangles;
    } cases[] = {
        {write(folder, "chain.gltf", gltfChain(900)), 1},
        {write(folder, "chain.dae", colladaChain(900)), 1},
        {write(folder, "hexagon.obj", objPolygon(6)), 4},
        {write(folder, "circle.obj", objPolygon(100000)), 99998},
        {write(folder, "materials.obj", "mtllib blocking.mtl\n" + objPolygon(3)), 1},
        {write(folder, "square.off", kOffSquareHead + "\r\n4 0 1 2 3 0.5 0.5 0.5\r\n"), 2},
    };
    for (const auto& c : cases) {
        std::size_t triangles = 0;
        std::string reason;
        EXPECT_TRUE(returnsWithin(
            60,
            [&] {
                auto loaded = quelmar::loadMeshTriangles(c.path);
                triangles = loaded ? loaded->size() : 0;
                reason = loaded.error();
            },
            [&] { releaseFifo(fifo); }))
            << c.path << " did not come back";
        EXPECT_EQ(triangles, c.triangles) << c.path << ": " << reason;
    }
}

TEST(MeshLoader, AStopRequestEndsTheLoad)
{
    HostileFolder folder;
    const std::string path = write(folder, "circle.obj", objPolygon(1000));
    int asked = 0;
    const auto stopped = quelmar::loadMeshTriangles(path, [&] { return ++asked > 0; });
    ASSERT_FALSE(stopped);
    EXPECT_EQ(stopped.error(), "the load was stopped");
    EXPECT_GT(asked, 0);
    EXPECT_TRUE(quelmar::loadMeshTriangles(path, [] { return false; }));
}

} // namespace
