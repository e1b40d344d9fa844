// Reading initial-state files: a whole scene, and every kind of fault that must not stop the rest.
#include "boxframe.h"
#include "sceneloader.h"
#include "temporaryfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace quelmar {
namespace {

namespace fs = std::filesystem;

// A unit right triangle in the x/y plane, as OBJ and as ASCII STL.
const char* triangleObj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
const char* squareStl = "solid square\n"
                        "facet normal 0 1 0\n outer loop\n  vertex 0 0 0\n  vertex 0 0 2\n  vertex 2 0 2\n endloop\nendfacet\n"
                        "facet normal 0 1 0\n outer loop\n  vertex 0 0 0\n  vertex 2 0 2\n  vertex 2 0 0\n endloop\nendfacet\n"
                        "endsolid square\n";

const char* materials = R"(  <materials>
    <material xor="1" epsilon="15" sigma="0.01" mu="1" gis="100" color="#806040"/>
    <material xor="7" epsilon="1" sigma="1e7" gis="200" color="#FF000080"/>
  </materials>
)";

struct Line {
    LogLevel level;
    std::string text;
};

class SceneLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write("triangle.obj", triangleObj);
        write("square.stl", squareStl);
    }

    std::string write(const std::string& name, const std::string& content)
    {
        std::ofstream(folder_.file(name), std::ios::binary) << content;
        return folder_.file(name);
    }

    kalmeno::Result<Scene> load(const std::string& xml)
    {
        lines_.clear();
        return loadScene(write("scene.xml", xml), [this](LogLevel level, const std::string& line) {
            lines_.push_back({level, line});
        });
    }

    // The one logged line that contains `part`, checked to name the scene file and `line`.
    void expectLogged(const std::string& part, int line)
    {
        int found = 0;
        for (const Line& l : lines_)
            if (l.text.find(part) != std::string::npos) {
                ++found;
                EXPECT_EQ(l.text.rfind(folder_.file("scene.xml") + ":" + std::to_string(line) + ": ", 0), 0u)
                    << l.text;
            }
        EXPECT_EQ(found, 1) << "'" << part << "' in " << dump();
    }

    std::string dump() const
    {
        std::string all;
        for (const Line& l : lines_)
            all += l.text + "\n";
        return all;
    }

    TemporaryFolder folder_{"quelmar-scene"};
    std::vector<Line> lines_;
};

TEST_F(SceneLoaderTest, ReadsEveryPartOfAWholeScene)
{
    write("model.mtm", "");
    const auto scene = load(std::string(R"(<?xml version="1.0"?>
<scene>
  <origin lat="39.25" lon="-119.95" alt="2980"/>
  <feedback megabytes="16"/>
)") + materials + R"(  <surface size="100" height="-1.5" material="1" divisions="2" extended="true"/>
  <camera><orbit east="5" north="6" up="7" radius="80" height="30" period="20"/></camera>
  <object name="Tri">
    <position lat="39.25" lon="-119.95" alt="2980"/>
    <orientation yaw="90" pitch="0" roll="0"/>
    <mesh path="triangle.obj" material="1" scale="2"/>
    <mtm path="model.mtm"/>
    <mesh path="square.stl"/>
  </object>
</scene>
)");
    ASSERT_TRUE(scene.ok()) << scene.error();
    EXPECT_TRUE(lines_.empty()) << dump();

    EXPECT_EQ(scene->frame.origin().latitude, 39.25);
    EXPECT_EQ(scene->frame.origin().longitude, -119.95);
    EXPECT_EQ(scene->frame.origin().altitude, 2980.0);
    EXPECT_EQ(scene->feedbackMegabytes, 16);

    ASSERT_TRUE(scene->materials.has_value());
    ASSERT_EQ(scene->materials->size(), 2u);
    const XorMaterialRecord& first = (*scene->materials)[0];
    EXPECT_EQ(first.xorId, 1u);
    EXPECT_EQ(first.epsilon, 15.0f);
    EXPECT_EQ(first.sigma, 0.01f);
    EXPECT_EQ(first.mu, 1.0f);
    EXPECT_EQ(first.gis, 100u);
    EXPECT_EQ(first.color, 0xFF406080u); // red in the lowest byte, opaque when alpha is not given
    EXPECT_EQ((*scene->materials)[1].color, 0x800000FFu);
    EXPECT_EQ((*scene->materials)[1].mu, 1.0f);

    EXPECT_EQ(scene->surface.triangles.size(), 8u);
    EXPECT_TRUE(scene->surface.extended);
    for (const SceneTriangle& t : scene->surface.triangles) {
        EXPECT_EQ(t.material, 1);
        EXPECT_EQ(t.a.z(), -1.5);
        EXPECT_GT((t.b - t.a).cross(t.c - t.a).z(), 0.0); // facing up
    }

    EXPECT_TRUE(scene->camera.isOrbit());
    EXPECT_EQ(scene->camera.centre(), Eigen::Vector3d(5, 6, 7));
    EXPECT_EQ(scene->camera.period(), 20.0);

    ASSERT_EQ(scene->objects.size(), 1u);
    const SceneObject& object = scene->objects[0];
    EXPECT_EQ(object.name, "Tri");
    EXPECT_EQ(scene->findObject("Tri"), &object);
    EXPECT_EQ(scene->findObject("Other"), nullptr);
    EXPECT_EQ(object.placement.yaw, 90.0);
    const std::vector<std::string> paths = {folder_.file("triangle.obj"), folder_.file("model.mtm"),
                                            folder_.file("square.stl")};
    EXPECT_EQ(object.paths, paths);
    EXPECT_EQ(object.mtmPaths, std::vector<std::string>{paths[1]});
    ASSERT_EQ(object.triangles.size(), 3u);
    EXPECT_EQ(object.triangles[0].material, 1);
    EXPECT_EQ(object.triangles[1].material, 0);

    // Mesh coordinates are the body frame: facing east, the OBJ's x (forward) runs east, scaled by 2.
    const BodyFrame body(scene->frame, object.placement);
    const SceneTriangle& t = object.triangles[0];
    EXPECT_LT((t.a - body.centre()).norm(), 1e-6);
    EXPECT_LT((t.b - t.a - Eigen::Vector3d(2, 0, 0)).norm(), 1e-6);
    EXPECT_LT((t.c - t.a - Eigen::Vector3d(0, 0, 2)).norm(), 1e-6);
}

TEST_F(SceneLoaderTest, DefaultsWhenOptionalPartsAreMissing)
{
    const auto scene = load("<scene><object name=\"Bare\"/></scene>");
    ASSERT_TRUE(scene.ok()) << scene.error();
    EXPECT_TRUE(lines_.empty()) << dump();
    EXPECT_FALSE(scene->materials.has_value()); // no XOR module at all
    EXPECT_EQ(scene->feedbackMegabytes, 0);
    EXPECT_TRUE(scene->surface.triangles.empty());
    EXPECT_TRUE(scene->camera.isOrbit());
    ASSERT_EQ(scene->objects.size(), 1u);
    EXPECT_TRUE(scene->objects[0].paths.empty());

    const auto empty = load("<scene><materials/></scene>");
    ASSERT_TRUE(empty.ok());
    ASSERT_TRUE(empty->materials.has_value()); // a module without materials
    EXPECT_TRUE(empty->materials->empty());
}

TEST_F(SceneLoaderTest, FaultsAreLoggedWithFileAndLineWhileTheRestLoads)
{
    struct Case {
        const char* name;
        std::string body;   // lines 3 onwards of the scene element
        std::string logged; // part of the one expected line
        int line;
        std::vector<std::string> objects;
        std::size_t triangles; // of all objects
    };
    const std::string good = "  <object name=\"Good\"><mesh path=\"triangle.obj\"/></object>\n";
    const Case cases[] = {
        {"missing mesh", "  <object name=\"Lost\">\n    <mesh path=\"nowhere.obj\"/>\n  </object>\n" + good,
         "mesh file 'nowhere.obj'", 4, {"Lost", "Good"}, 1},
        {"unreadable mesh", "  <object name=\"Junk\"><mesh path=\"junk.obj\"/></object>\n" + good,
         "'junk.obj' cannot be read", 3, {"Junk", "Good"}, 1},
        {"a FIFO for a mesh", "  <object name=\"Pipe\"><mesh path=\"fifo.obj\"/></object>\n" + good,
         "'fifo.obj' cannot be read: not a regular file (a FIFO)", 3, {"Pipe", "Good"}, 1},
        {"unknown material index", "  <object name=\"Odd\">\n    <mesh path=\"triangle.obj\" material=\"5\"/>\n  </object>\n" + good,
         "unknown material index 5 (the table has 2 materials)", 4, {"Odd", "Good"}, 2},
        {"negative material index", good + "  <object name=\"Neg\"><mesh path=\"triangle.obj\" material=\"-1\"/></object>\n",
         "unknown material index -1", 4, {"Good", "Neg"}, 2},
        {"unknown surface material", "  <surface size=\"10\" material=\"9\"/>\n" + good, "<surface>: unknown material index 9", 3,
         {"Good"}, 1},
        {"malformed XML keeps what came before", good + "  <object name=\"Cut\"><mesh path=\"triangle.obj\">\n  </object>\n",
         "malformed XML", 5, {"Good"}, 1},
        {"bad number", "  <object name=\"X\"><position lat=\"north\" lon=\"1\"/></object>\n" + good,
         "attribute 'lat': 'north' is not a number", 3, {"X", "Good"}, 1},
        {"object without name", "  <object><mesh path=\"triangle.obj\"/></object>\n" + good, "<object> without a name", 3,
         {"Good"}, 1},
        {"unknown element", "  <lamp/>\n" + good, "unknown element <lamp>", 3, {"Good"}, 1},
        {"feedback too large for 32-bit byte counts", "  <feedback megabytes=\"2148\"/>\n" + good,
         "'megabytes': 2148 lies outside 0 .. 2147", 3, {"Good"}, 1},
        {"duplicate names", good + good, "a second object named 'Good'", 4, {"Good", "Good"}, 2},
        {"latitude beyond a pole", "  <object name=\"P\"><position lat=\"91\" lon=\"0\"/></object>\n" + good,
         "attribute 'lat': 91 lies outside -90 .. 90", 3, {"P", "Good"}, 1},
        {"mirroring scale", "  <object name=\"M\"><mesh path=\"triangle.obj\" scale=\"-1\"/></object>\n" + good,
         "attribute 'scale': -1 lies outside", 3, {"M", "Good"}, 1},
        {"too fine a ground", "  <surface size=\"10\" divisions=\"100000\"/>\n" + good, "100000 lies outside 1 .. 256", 3,
         {"Good"}, 1},
        {"two material tables", "  <materials/>\n" + good, "a second <materials> replaces the first", 5, {"Good"}, 1},
    };
    write("junk.obj", "this is not a mesh\n");
    ASSERT_EQ(::mkfifo(folder_.file("fifo.obj").c_str(), 0644), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto scene = load("<?xml version=\"1.0\"?>\n<scene>\n" + c.body + materials + "</scene>\n");
        ASSERT_TRUE(scene.ok()) << scene.error();
        expectLogged(c.logged, c.line);
        std::vector<std::string> names;
        for (const SceneObject& o : scene->objects)
            names.push_back(o.name);
        EXPECT_EQ(names, c.objects);
        EXPECT_EQ(scene->triangleCount(true, false), c.triangles);
        // Reading stops at malformed XML, before the table.
        EXPECT_EQ(scene->materials.has_value(), std::string(c.name).find("malformed") == std::string::npos);
    }
}

TEST_F(SceneLoaderTest, AFileThatIsNoSceneIsAFailure)
{
    struct Case {
        const char* name;
        const char* content;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "not a scene file"},
        {"not XML", "\x01\x02 binary", "not a scene file"},
        {"another root", "<html><body/></html>", "the root element is <html>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto scene = load(c.content);
        ASSERT_FALSE(scene.ok());
        EXPECT_NE(scene.error().find(c.reason), std::string::npos) << scene.error();
        EXPECT_NE(scene.error().find("scene.xml"), std::string::npos) << scene.error();
    }
    const auto missing = loadScene(folder_.file("absent.xml"), nullptr);
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("absent.xml"), std::string::npos) << missing.error();

    // A FIFO would block the engine's thread for good.
    const std::string fifo = folder_.file("fifo.xml");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const auto blocked = loadScene(fifo, nullptr);
    ASSERT_FALSE(blocked.ok());
    EXPECT_EQ(blocked.error(), "cannot open the scene file " + fifo + ": not a regular file (a FIFO)");
}

TEST_F(SceneLoaderTest, AMeshNamedByManyObjectsIsReadOnceAndPlacedForEach)
{
    std::string objects;
    for (int i = 0; i < 3; ++i)
        objects += "  <object name=\"T" + std::to_string(i) + "\"><position lat=\"0\" lon=\"" + std::to_string(i) +
                   "e-5\"/><mesh path=\"triangle.obj\"/><mesh path=\"junk.obj\"/></object>\n";
    write("junk.obj", "this is not a mesh\n");
    const auto scene = load("<scene>\n" + objects + "</scene>\n");
    ASSERT_TRUE(scene.ok()) << scene.error();
    ASSERT_EQ(scene->objects.size(), 3u);
    for (const SceneObject& object : scene->objects)
        EXPECT_EQ(object.triangles.size(), 1u) << object.name;
    EXPECT_NE(scene->objects[0].triangles[0].a, scene->objects[1].triangles[0].a) << "each at its own place";
    int unreadable = 0;
    for (const Line& l : lines_)
        unreadable += l.text.find("'junk.obj' cannot be read") != std::string::npos;
    EXPECT_EQ(unreadable, 3) << "reported for each object";
}

TEST_F(SceneLoaderTest, AStopRequestEndsTheLoad)
{
    int asked = 0;
    const auto stopped = loadScene(write("scene.xml", "<scene><object name=\"T\"><mesh path=\"triangle.obj\"/></object></scene>"),
                                   nullptr, [&] { return ++asked > 0; });
    ASSERT_FALSE(stopped.ok());
    EXPECT_EQ(stopped.error(), "the load was stopped");
}

TEST_F(SceneLoaderTest, ABadMaterialRowKeepsItsPlace)
{
    const auto scene = load("<scene>\n<materials>\n<material xor=\"1\" epsilon=\"x\" sigma=\"0\"/>\n"
                            "<material xor=\"2\" epsilon=\"3\" sigma=\"0\"/>\n</materials>\n</scene>\n");
    ASSERT_TRUE(scene.ok());
    ASSERT_EQ(scene->materials->size(), 2u);
    EXPECT_EQ((*scene->materials)[0].xorId, 0u);
    EXPECT_EQ((*scene->materials)[1].xorId, 2u);
    expectLogged("material row 0 gets the defaults", 3);

    const auto huge = load("<scene>\n<materials>\n<material xor=\"1\" epsilon=\"1\" sigma=\"1e40\"/>\n</materials>\n</scene>\n");
    ASSERT_TRUE(huge.ok());
    ASSERT_EQ(huge->materials->size(), 1u);
    EXPECT_EQ((*huge->materials)[0].sigma, 0.0f);
    expectLogged("'sigma': 1e40 lies outside", 3);
}

TEST(DemoScene, LoadsCleanlyAroundTheDefaultGenerationArea)
{
    const char* stage = std::getenv("KALMENO_STAGE_DIR");
    ASSERT_NE(stage, nullptr);
    std::vector<std::string> problems;
    const auto scene = loadScene(std::string(stage) + "/Kalmeno/demo/demo.xml",
                                 [&](LogLevel, const std::string& line) { problems.push_back(line); });
    ASSERT_TRUE(scene.ok()) << scene.error();
    EXPECT_TRUE(problems.empty()) << problems.front();

    ASSERT_TRUE(scene->materials.has_value());
    EXPECT_GE(scene->materials->size(), 5u);
    EXPECT_GE(scene->objects.size(), 3u);
    EXPECT_FALSE(scene->surface.triangles.empty());

    std::vector<bool> used(scene->materials->size(), false);
    auto use = [&](const SceneTriangle& t) {
        ASSERT_GE(t.material, 0);
        ASSERT_LT(static_cast<std::size_t>(t.material), used.size());
        used[t.material] = true;
    };
    for (const SceneTriangle& t : scene->surface.triangles)
        use(t);

    // The default generation area (a 1000 m cube) sees every object whole.
    BoxGeometry area;
    area.placement.position = {39.250498, -119.955377, 2980.0};
    area.sizeX = area.sizeY = area.sizeZ = 1000.0;
    const BoxFrame box(scene->frame, area);
    bool withMtm = false;
    for (const SceneObject& object : scene->objects) {
        SCOPED_TRACE(object.name);
        EXPECT_FALSE(object.triangles.empty());
        for (const SceneTriangle& t : object.triangles) {
            use(t);
            ASSERT_TRUE(box.isTriangleInBox(t.a, t.b, t.c));
        }
        for (const std::string& mtm : object.mtmPaths)
            withMtm = withMtm || fs::file_size(mtm) > 0;
    }
    EXPECT_TRUE(withMtm);
    EXPECT_EQ(std::count(used.begin(), used.end(), true), static_cast<long>(used.size())) << "every material is used";
}

} // namespace
} // namespace quelmar
