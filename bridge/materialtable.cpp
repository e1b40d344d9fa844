#include "materialtable.h"

#include "bridgelog.h"
#include "bridgestate.h"
#include "cbridgeevents.h"

#include <vector>

namespace bridge {

void LoadMaterials()
{
    auto* xorModule = bridgeState().xorModule.load();
    if (!xorModule)
        return;
    std::int32_t count = 0;
    hostsdk::TXorMaterial* array = nullptr;
    xorModule->GetMaterials(&count, &array);
    if (count < 0)
        LogError("The XOR module reported " + std::to_string(count) + " materials");
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

} // namespace bridge
