#include "materialtable.h"

#include "bridgelog.h"
#include "bridgestate.h"
#include "cbridgeevents.h"

#include <cstdio>
#include <vector>

namespace bridge {

namespace {

std::string fixed6(double value)
{
    char text[512];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

std::string colorText(std::uint32_t color)
{
    std::string text = "(";
    for (int k = 0; k < 4; ++k) {
        const float component = static_cast<float>((color >> (8 * k)) & 0xFFu) / 255.0f;
        text += fixed6(component);
        if (k < 3)
            text += ", ";
    }
    return text + ")";
}

} // namespace

void LoadMaterials()
{
    auto* xorModule = bridgeState().xorModule.load();
    if (!xorModule)
        return;
    std::int32_t count = 0;
    hostsdk::TXorMaterial* array = nullptr;
    xorModule->GetMaterials(&count, &array);
    // A negative count or a missing array is no table either.
    if (count <= 0 || !array) {
        bridgeState().setMaterials({});
        emit bridgeEvents().Signal_disableMTMCalcBottons(
            QStringLiteral("There are no XOR material settings. MTM generation will not be available."));
        return;
    }
    std::vector<hostsdk::TXorMaterial> materials(array, array + count);
    std::string text;
    for (std::size_t i = 0; i < materials.size(); ++i)
        text += "\nRow #" + std::to_string(i) + ". " + MaterialText(materials[i]);
    bridgeState().setMaterials(std::move(materials));
    LogInfo(text);
}

std::string MaterialText(const hostsdk::TXorMaterial& m)
{
    return "Xor material: XOR: " + std::to_string(m.xorId) + "; GIS: " + std::to_string(m.gis)
        + "; Epsilon: " + fixed6(m.epsilon) + "; Sigma: " + fixed6(m.sigma) + "; My: " + fixed6(m.mu)
        + "; Color: " + colorText(m.color) + ";";
}

} // namespace bridge
