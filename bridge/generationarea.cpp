#include "generationarea.h"

#include "bridgestate.h"

namespace bridge {

std::int32_t createGenerationBox(hostsdk::IKalmenoRender& render)
{
    std::int32_t boxId = -1;
    if (const auto spare = bridgeState().takeSpareBox()) {
        boxId = *spare;
        render.SetBoxState(boxId, hostsdk::kStateShown);
    } else {
        render.CreateBox(&boxId);
    }
    const float color[4] = {1.0f, 0.784f, 0.49f, 0.2f};
    render.SetBoxColor(boxId, color);
    return boxId;
}

void retireGenerationBox(hostsdk::IKalmenoRender& render, std::int32_t boxId)
{
    if (boxId < 0)
        return;
    render.SetBoxState(boxId, hostsdk::kStateHidden);
    bridgeState().addSpareBox(boxId);
}

void placeGenerationArea(const TGenerationArea& area)
{
    auto* render = bridgeState().render.load();
    if (!render)
        return;
    const double position[3] = {area.lat, area.lon, area.alt};
    const double angles[3] = {area.yaw, area.pitch, area.roll};
    const double size[3] = {area.sizeX, area.sizeY, area.sizeZ};
    render->SetBoxGeometry(area.boxId, position, angles, size);
}

void ShowGenerationArea(TModelItem& item)
{
    auto& state = bridgeState();
    auto* render = state.render.load();
    if (!state.engineReady || !render)
        return;
    item.area.boxId = createGenerationBox(*render);
    placeGenerationArea(item.area);
}

} // namespace bridge
