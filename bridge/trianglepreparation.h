#pragma once
// Turns one frame's feedback records into a capture: the triangles the host finds in the
// generation area's box, converted into the box frame, with their normals and materials.

#include "materiallink.h"
#include "tcapture.h"

#include <hostsdk.h>

#include <cstdint>

namespace bridge {

// `byteCount` bytes of 96-byte records at `data` (a partial last record is dropped). Logs the
// counts and the materials used. Without a render object no triangle is kept.
TCapture prepareCapturedTriangles(const void* data, std::int32_t byteCount, hostsdk::IKalmenoRender* render,
                                  std::int32_t boxId, MaterialLink materials);

// Appends one record's triangle to the capture: vertices A, B, C in the box frame, the unit
// normal (A - B) x (C - B) of the vertices as delivered (not numbers for a triangle of no area),
// its material.
void keepTriangle(const hostsdk::TFeedbackTriangle& record, hostsdk::IKalmenoRender& render, std::int32_t boxId,
                  MaterialLink& materials, TCapture& capture);

} // namespace bridge
