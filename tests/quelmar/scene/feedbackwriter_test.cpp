// Feedback records as the plug-in reads them.
#include "feedbackwriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace quelmar {
namespace {

double at(const std::vector<unsigned char>& buffer, std::size_t offset)
{
    double value;
    std::memcpy(&value, buffer.data() + offset, sizeof value);
    return value;
}

// One ground triangle (material 0) and one object triangle (material 3).
Scene twoTriangleScene()
{
    Scene scene;
    scene.surface.size = 10;
    scene.surface.triangles.push_back({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, 0});
    SceneObject object;
    object.name = "Plate";
    object.triangles.push_back({{-1.5, 0.25, 2}, {10, 20, 30}, {-7, -8, -9.5}, 3});
    scene.objects.push_back(object);
    return scene;
}

TEST(FeedbackWriter, RecordsCarryVerticesAndFabricOffsets)
{
    const Scene scene = twoTriangleScene();
    std::vector<unsigned char> buffer(4 * feedbackRecordSize, 0xAB);
    const FeedbackResult result = writeFeedback(scene, {}, buffer.data(), buffer.size());
    EXPECT_EQ(result.triangles, 2u);
    EXPECT_EQ(result.bytes, 192u);
    EXPECT_FALSE(result.overflowed);

    struct Expected {
        std::size_t offset;
        double value;
    };
    // Scene triangles a, b, c are written as A = a, B = c, C = b.
    const Expected fields[] = {
        {0, 1},     {8, 2},      {16, 3},  {24, 0}, {32, 7},  {40, 8},  {48, 9},   {56, 0},  {64, 4},   {72, 5},
        {80, 6},    {88, 0},     {96, -1.5}, {104, 0.25}, {112, 2}, {120, 3}, {128, -7}, {136, -8}, {144, -9.5},
        {152, 0},   {160, 10},   {168, 20}, {176, 30}, {184, 0},
    };
    for (const Expected& f : fields)
        EXPECT_EQ(at(buffer, f.offset), f.value) << "offset " << f.offset;
    for (std::size_t i = 192; i < buffer.size(); ++i)
        ASSERT_EQ(buffer[i], 0xAB) << "byte " << i << " after the records";
}

TEST(FeedbackWriter, LayersChooseWhatAFrameContains)
{
    const Scene scene = twoTriangleScene();
    struct Case {
        FeedbackLayers layers;
        std::size_t count;
        double firstOffset;
    };
    const Case cases[] = {{{true, true}, 2, 0}, {{true, false}, 1, 3}, {{false, true}, 1, 0}, {{false, false}, 0, -1}};
    for (const Case& c : cases) {
        std::vector<unsigned char> buffer(2 * feedbackRecordSize);
        const FeedbackResult result = writeFeedback(scene, c.layers, buffer.data(), buffer.size());
        EXPECT_EQ(result.triangles, c.count);
        EXPECT_EQ(scene.triangleCount(c.layers.objects, c.layers.surface), c.count);
        if (c.count > 0) {
            EXPECT_EQ(at(buffer, 24), c.firstOffset);
        }
    }
}

TEST(FeedbackWriter, TooSmallABufferIsFilledWithWholeRecordsAndReportsOverflow)
{
    const Scene scene = twoTriangleScene();
    struct Case {
        std::size_t capacity;
        std::size_t count;
    };
    for (const Case c : {Case{150, 1}, Case{95, 0}, Case{0, 0}}) {
        std::vector<unsigned char> buffer(200, 0xCD);
        const FeedbackResult result = writeFeedback(scene, {}, buffer.data(), c.capacity);
        EXPECT_EQ(result.triangles, c.count);
        EXPECT_TRUE(result.overflowed);
        for (std::size_t i = c.count * feedbackRecordSize; i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], 0xCD) << "capacity " << c.capacity << ", byte " << i;
    }
    const FeedbackResult none = writeFeedback(scene, {}, nullptr, 1000);
    EXPECT_EQ(none.triangles, 0u);
    EXPECT_TRUE(none.overflowed);
}

} // namespace
} // namespace quelmar
