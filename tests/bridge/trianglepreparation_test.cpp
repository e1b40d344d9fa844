// Preparing one frame's feedback records: the reference host writes the records and answers the
// box questions; the plug-in keeps the triangles in the box.

#include <bridgestate.h>
#include <trianglepreparation.h>

#include <feedbackwriter.h>
#include <hostlogger.h>
#include <hostrender.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

using quelmar::SceneTriangle;

const quelmar::Geodetic origin{39.25, -119.95, 2980.0};

hostsdk::TXorMaterial material(std::uint32_t xorId, float sigma)
{
    hostsdk::TXorMaterial m{};
    m.xorId = xorId;
    m.epsilon = 2.0f;
    m.sigma = sigma;
    m.mu = 1.0f;
    m.gis = 5;
    m.color = 0xFF00FF00u;
    return m;
}

// The host's render with a 2 m box level at the scene origin: scene (east, north, up) is box
// (north, up, east) there.
class TrianglePreparation : public ::testing::Test {
protected:
    void SetUp() override
    {
        logger.setEchoToStderr(false);
        bridge::bridgeState().reset();
        bridge::bridgeState().hostLogger = &logger;
        render.setSceneFrame(quelmar::EnuFrame(origin));
        render.CreateBox(&box);
        const double lla[3] = {origin.latitude, origin.longitude, origin.altitude};
        const double ypr[3] = {0.0, 0.0, 0.0};
        const double size[3] = {2.0, 2.0, 2.0};
        render.SetBoxGeometry(box, lla, ypr, size);
    }
    void TearDown() override { bridge::bridgeState().reset(); }

    static void append(std::vector<unsigned char>& buffer, const SceneTriangle& triangle)
    {
        buffer.resize(buffer.size() + quelmar::feedbackRecordSize);
        quelmar::writeFeedbackRecord(triangle, buffer.data() + buffer.size() - quelmar::feedbackRecordSize);
    }

    TCapture prepare(const std::vector<unsigned char>& buffer, std::size_t byteCount)
    {
        return bridge::prepareCapturedTriangles(buffer.data(), static_cast<std::int32_t>(byteCount), &render, box,
                                                bridge::MaterialLink(true, materials));
    }

    std::vector<std::string> pluginLines() const
    {
        std::vector<std::string> texts;
        for (const auto& line : logger.lines())
            texts.push_back((line.error ? "E " : "I ") + line.text.substr(std::strlen("[Kalmeno] ")));
        return texts;
    }

    quelmar::HostLogger logger;
    quelmar::HostRender render;
    std::int32_t box = -1;
    std::vector<hostsdk::TXorMaterial> materials{material(3, 0.5f), material(8, 6.0f)};
};

TEST_F(TrianglePreparation, KeepsTheTrianglesInTheBoxInTheBoxFrameWithOutwardUnitNormals)
{
    // Counter-clockwise seen from outside, as in a mesh file: facing up, down and east.
    const SceneTriangle inside[3] = {
        {{0, 0, 0}, {0.5, 0, 0}, {0, 0.5, 0}, 0},
        {{0, 0, 0.2}, {0, 0.5, 0.2}, {0.5, 0, 0.2}, 1},
        {{0, 0, 0}, {0, 0.5, 0}, {0, 0, 0.5}, 1},
    };
    const double normals[3][3] = {{0, 0, 1}, {0, 0, -1}, {1, 0, 0}};
    std::vector<unsigned char> buffer;
    for (int i = 0; i < 1000; ++i) {
        const int k = i == 10 ? 0 : i == 500 ? 1 : i == 999 ? 2 : -1;
        if (k >= 0) {
            append(buffer, inside[k]);
        } else {
            // Far outside, with a material the table lacks: never linked, so never reported.
            const double x = 10.0 + i;
            append(buffer, {{x, 0, 0}, {x + 1, 0, 0}, {x, 1, 0}, 7});
        }
    }
    const TCapture capture = prepare(buffer, buffer.size());

    const std::vector<std::string> expected = {
        "I Count of recieved triangles: 1000",
        "I Triangle preparation started...",
        "I ... preparation ended.",
        "I Count of triangles in BoundBox: 3",
        "I 1 times -> Xor material: XOR: 3; GIS: 5; Epsilon: 2.000000; Sigma: 0.500000; My: 1.000000; "
        "Color: (0.000000, 1.000000, 0.000000, 1.000000);",
        "I 2 times -> Xor material: XOR: 8; GIS: 5; Epsilon: 2.000000; Sigma: 6.000000; My: 1.000000; "
        "Color: (0.000000, 1.000000, 0.000000, 1.000000);",
    };
    EXPECT_EQ(pluginLines(), expected);

    ASSERT_EQ(capture.capturedTriangles.size(), 3u);
    ASSERT_EQ(capture.capturedVertices.size(), 9u);
    for (std::size_t k = 0; k < 3; ++k) {
        const TFcoTriangle& t = capture.capturedTriangles[k];
        EXPECT_EQ(t.a, static_cast<std::int32_t>(3 * k));
        EXPECT_EQ(t.b, static_cast<std::int32_t>(3 * k + 1));
        EXPECT_EQ(t.c, static_cast<std::int32_t>(3 * k + 2));
        EXPECT_NEAR(t.normalX, normals[k][0], 1e-12) << k;
        EXPECT_NEAR(t.normalY, normals[k][1], 1e-12) << k;
        EXPECT_NEAR(t.normalZ, normals[k][2], 1e-12) << k;
        EXPECT_EQ(t.reserved1, 0.0);
        EXPECT_EQ(t.reserved2, 0.0);
        EXPECT_EQ(t.reserved3, 0);
        EXPECT_EQ(t.materialId, k == 0 ? 3 : 8);
        // The host delivers a, c, b; the box frame is (north, up, east) here.
        const Eigen::Vector3d delivered[3] = {inside[k].a, inside[k].c, inside[k].b};
        for (int v = 0; v < 3; ++v) {
            const TFcoVertex& got = capture.capturedVertices[3 * k + static_cast<std::size_t>(v)];
            EXPECT_NEAR(got.x, delivered[v].y(), 1e-6) << k << "/" << v;
            EXPECT_NEAR(got.y, delivered[v].z(), 1e-6) << k << "/" << v;
            EXPECT_NEAR(got.z, delivered[v].x(), 1e-6) << k << "/" << v;
        }
    }
    ASSERT_EQ(capture.materialUsage.size(), 2u);
    EXPECT_EQ(capture.materialUsage[1].count, 2u);
}

TEST_F(TrianglePreparation, ACutRecordIsDroppedAndOddTrianglesStillEnter)
{
    std::vector<unsigned char> buffer;
    append(buffer, {{0.1, 0.1, 0.1}, {0.1, 0.1, 0.1}, {0.1, 0.1, 0.1}, 1}); // no area
    append(buffer, {{0, 0, 0}, {0.5, 0, 0}, {0, 0.5, 0}, 0});
    // A fabric offset the host never writes: not a number.
    const double nan = std::nan("");
    std::memcpy(buffer.data() + quelmar::feedbackRecordSize + 24, &nan, sizeof nan);
    append(buffer, {{0, 0, 0}, {0.5, 0, 0}, {0, 0.5, 0}, 0});
    const TCapture capture = prepare(buffer, 2 * quelmar::feedbackRecordSize + 50);

    const auto lines = pluginLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "I Count of recieved triangles: 2");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "E Didnt find fabric by offset 4294967295 in GIS2XORlink"),
              lines.end());
    ASSERT_EQ(capture.capturedTriangles.size(), 2u);
    const TFcoTriangle& flat = capture.capturedTriangles[0];
    EXPECT_TRUE(std::isnan(flat.normalX) && std::isnan(flat.normalY) && std::isnan(flat.normalZ));
    EXPECT_EQ(flat.materialId, 8);
    const TFcoTriangle& unknown = capture.capturedTriangles[1];
    EXPECT_EQ(unknown.materialId, 0);
    EXPECT_EQ(unknown.epsilon, 10.0f);
    EXPECT_EQ(unknown.sigma, 1e10f);
    ASSERT_EQ(capture.materialUsage.size(), 1u) << "the unknown material is not counted";
}

} // namespace
