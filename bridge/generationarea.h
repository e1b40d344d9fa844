#pragma once
// A row's generation area as a box in the host scene.

#include <hostsdk.h>
#include <tmodelitem.h>

namespace bridge {

// A new box in the area colour (translucent orange); its id.
std::int32_t createGenerationBox(hostsdk::IKalmenoRender& render);
// Moves the area's box to the area's position, angles and size.
void placeGenerationArea(const TGenerationArea& area);
// Creates, colours and places the item's box, when the engine is ready.
void ShowGenerationArea(TModelItem& item);

} // namespace bridge
