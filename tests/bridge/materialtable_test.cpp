// The material table as log text.

#include <materialtable.h>

#include <gtest/gtest.h>

namespace {

TEST(MaterialText, WritesEveryFieldWithSixDecimalsAndTheColourBytes)
{
    hostsdk::TXorMaterial material{};
    material.xorId = 3;
    material.gis = 120;
    material.epsilon = 4.0f;
    material.sigma = 0.01f;
    material.mu = 1.0f;
    material.color = 0xFF0000FFu;
    EXPECT_EQ(bridge::MaterialText(material),
              "Xor material: XOR: 3; GIS: 120; Epsilon: 4.000000; Sigma: 0.010000; My: 1.000000; "
              "Color: (1.000000, 0.000000, 0.000000, 1.000000);");
}

TEST(MaterialText, LargeValuesAreWrittenWhole)
{
    hostsdk::TXorMaterial material{};
    material.xorId = 4294967295u;
    material.sigma = 3.4e38f;
    const std::string text = bridge::MaterialText(material);
    EXPECT_NE(text.find("XOR: 4294967295;"), std::string::npos);
    EXPECT_NE(text.find("Sigma: 3399999952"), std::string::npos);
    EXPECT_NE(text.find(".000000; My:"), std::string::npos);
}

} // namespace
