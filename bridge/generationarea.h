#pragma once
// A row's generation area as a box in the host scene.

#include <hostsdk.h>
#include <tmodelitem.h>

namespace bridge {

// A box in the area colour (translucent orange), shown: a spare one when there is one, else a
// new one; its id.
std::int32_t createGenerationBox(hostsdk::IKalmenoRender& render);
// A row's box that is no longer needed: hidden and kept for the next createGenerationBox.
void retireGenerationBox(hostsdk::IKalmenoRender& render, std::int32_t boxId);
// Moves the area's box to the area's position, angles and size.
void placeGenerationArea(const TGenerationArea& area);
// Creates, colours and places the item's box, when the engine is ready.
void ShowGenerationArea(TModelItem& item);

} // namespace bridge
