// Linking captured triangles to XOR materials by fabric offset, and counting their use.

#include <bridgestate.h>
#include <materiallink.h>

#include <hostlogger.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

hostsdk::TXorMaterial material(std::uint32_t xorId, float epsilon, float sigma, std::uint32_t color = 0xFFFFFFFFu)
{
    hostsdk::TXorMaterial m{};
    m.xorId = xorId;
    m.epsilon = epsilon;
    m.sigma = sigma;
    m.mu = 1.0f;
    m.gis = 100 + xorId;
    m.color = color;
    return m;
}

class MaterialLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        logger.setEchoToStderr(false);
        bridge::bridgeState().reset();
        bridge::bridgeState().hostLogger = &logger;
    }
    void TearDown() override { bridge::bridgeState().reset(); }

    std::vector<std::string> errors() const
    {
        std::vector<std::string> texts;
        for (const auto& line : logger.lines())
            if (line.error)
                texts.push_back(line.text);
        return texts;
    }

    quelmar::HostLogger logger;
};

// Rows 0 and 1 differ only in colour; row 2 is another material; row 3 has a non-number.
const std::vector<hostsdk::TXorMaterial> table = {
    material(7, 4.0f, 0.01f, 0xFF0000FFu),
    material(7, 4.0f, 0.01f, 0xFF00FF00u),
    material(9, 1.0f, 5.8e6f),
    material(11, std::numeric_limits<float>::quiet_NaN(), 1.0f),
};

TEST_F(MaterialLinkTest, EqualMaterialsShareOneEntryInOrderOfFirstUse)
{
    struct Case {
        const char* name;
        std::vector<std::uint32_t> offsets;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> usage; // xor id, count
    };
    const Case cases[] = {
        {"the same offset twice", {2, 2}, {{9, 2}}},
        {"rows that differ only in colour", {0, 1, 0}, {{7, 3}}},
        {"order of first use", {2, 0, 2, 1}, {{9, 2}, {7, 2}}},
        {"a non-number never equals", {3, 3}, {{11, 1}, {11, 1}}},
    };
    for (const Case& c : cases) {
        bridge::MaterialLink link(true, table);
        for (std::uint32_t offset : c.offsets) {
            TFcoTriangle triangle{};
            link.GIS2XORlink(triangle, offset);
            EXPECT_EQ(triangle.materialId, static_cast<std::int32_t>(table[offset].xorId)) << c.name;
            EXPECT_EQ(triangle.sigma, table[offset].sigma) << c.name;
        }
        ASSERT_EQ(link.usage().size(), c.usage.size()) << c.name;
        for (std::size_t i = 0; i < c.usage.size(); ++i) {
            EXPECT_EQ(link.usage()[i].material.xorId, c.usage[i].first) << c.name;
            EXPECT_EQ(link.usage()[i].count, c.usage[i].second) << c.name;
        }
    }
    EXPECT_TRUE(errors().empty());

    bridge::MaterialLink link(true, table);
    TFcoTriangle triangle{};
    link.GIS2XORlink(triangle, 1);
    link.GIS2XORlink(triangle, 0);
    EXPECT_EQ(link.usage()[0].material.color, 0xFF00FF00u) << "an entry keeps the colour that made it";
}

TEST_F(MaterialLinkTest, AnUnknownMaterialGetsTheDefaultsAndAnErrorPerTriangle)
{
    const std::string noTable =
        "[Kalmeno] Manager3D::XOR == nullptr || Manager3D::MaterialArray == nullptr || Manager3D::MaterialCount <= 0";
    struct Case {
        const char* name;
        bool xorPresent;
        std::vector<hostsdk::TXorMaterial> materials;
        double fabricOffset;
        std::string error;
    };
    const Case cases[] = {
        {"offset past the table", true, table, 4.0, "[Kalmeno] Didnt find fabric by offset 4 in GIS2XORlink"},
        {"offset -1", true, table, -1.0, "[Kalmeno] Didnt find fabric by offset 4294967295 in GIS2XORlink"},
        {"offset NaN", true, table, std::nan(""), "[Kalmeno] Didnt find fabric by offset 4294967295 in GIS2XORlink"},
        {"no table", true, {}, 0.0, noTable},
        {"no XOR module", false, table, 0.0, noTable},
    };
    for (const Case& c : cases) {
        bridge::MaterialLink link(c.xorPresent, c.materials);
        const std::size_t before = errors().size();
        for (int k = 0; k < 2; ++k) {
            TFcoTriangle triangle{};
            triangle.materialId = 99;
            link.GIS2XORlink(triangle, bridge::MaterialLink::tableIndex(c.fabricOffset));
            EXPECT_EQ(triangle.materialId, 0) << c.name;
            EXPECT_EQ(triangle.epsilon, 10.0f) << c.name;
            EXPECT_EQ(triangle.sigma, 1e10f) << c.name;
            EXPECT_EQ(triangle.mu, 1.0f) << c.name;
        }
        EXPECT_TRUE(link.usage().empty()) << c.name;
        const auto lines = errors();
        ASSERT_EQ(lines.size(), before + 2) << c.name;
        EXPECT_EQ(lines.back(), c.error) << c.name;
    }
}

TEST(MaterialLink, AFabricOffsetBecomesATableIndexOnlyWhenItConvertsExactly)
{
    const struct {
        double offset;
        std::uint32_t index;
    } cases[] = {
        {0.0, 0u},
        {2.9, 2u},          // truncated toward zero
        {-0.5, 0u},
        {-1.0, 4294967295u},
        {4294967296.0 + 3.0, 3u}, // the low 32 bits
        {-9223372036854775808.0, 0u},
        {9223372036854775808.0, 4294967295u},
        {1e300, 4294967295u},
        {std::numeric_limits<double>::infinity(), 4294967295u},
        {-std::numeric_limits<double>::infinity(), 4294967295u},
        {std::nan(""), 4294967295u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bridge::MaterialLink::tableIndex(c.offset), c.index) << c.offset;
}

} // namespace
