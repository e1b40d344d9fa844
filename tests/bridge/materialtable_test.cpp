// The material table: its log text, and a table the XOR module cannot give.

#include <bridgestate.h>
#include <cbridgeevents.h>
#include <materialtable.h>

#include <hostlogger.h>

#include <QStringList>

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

class NegativeCountXor : public hostsdk::IXor {
public:
    hostsdk::HRESULT GetMaterials(std::int32_t* count, hostsdk::TXorMaterial** array) override
    {
        *count = -3;
        *array = &row;
        return 0;
    }
    hostsdk::HRESULT GetFeedbackSize(std::int32_t* megabytes) override { return *megabytes = 0; }
    hostsdk::HRESULT Prepare() override { return 0; }
    hostsdk::TXorMaterial row{};
};

TEST(LoadMaterials, ANegativeCountLoadsNothingAndDisablesGeneration)
{
    quelmar::HostLogger logger;
    logger.setEchoToStderr(false);
    NegativeCountXor xorModule;
    auto& state = bridge::bridgeState();
    state.reset();
    state.hostLogger = &logger;
    state.xorModule = &xorModule;
    state.setMaterials({hostsdk::TXorMaterial{}});
    QStringList reasons;
    QObject receiver;
    QObject::connect(&bridge::bridgeEvents(), &bridge::CBridgeEvents::Signal_disableMTMCalcBottons, &receiver,
                     [&](const QString& reason) { reasons.append(reason); });

    bridge::LoadMaterials();
    EXPECT_EQ(state.materialCount(), 0) << "the previous table is gone too";
    EXPECT_EQ(reasons, QStringList{"There are no XOR material settings. MTM generation will not be available."});
    const auto lines = logger.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].error);
    EXPECT_EQ(lines[0].text, "[Kalmeno] The XOR module reported -3 materials");
    state.reset();
}

} // namespace
