#pragma once
// Writes a frame's triangles as the feedback records the plug-in reads: 96 bytes each, three
// vertices of 32 bytes (x, y, z doubles and one more double), the first vertex's fourth double
// holding the triangle's fabric offset (its material index). Records wind clockwise seen from
// outside, so that (A - B) x (C - B) points out of the surface.

#include "scene.h"

#include <cstddef>
#include <cstdint>

namespace quelmar {

constexpr std::size_t feedbackRecordSize = 96;

struct FeedbackLayers {
    bool objects = true; // polygonal models on
    bool surface = true; // surface visible
};

struct FeedbackResult {
    std::size_t triangles = 0;  // records written
    std::size_t bytes = 0;      // triangles × 96
    bool overflowed = false;    // the scene had more than fit; the buffer holds what fitted
};

// Surface triangles first, then each object's in scene order. Only whole records are written;
// bytes past the last one are left alone.
FeedbackResult writeFeedback(const Scene& scene, const FeedbackLayers& layers, unsigned char* buffer,
                             std::size_t capacity);

// One record, for tests and the host's own checks.
void writeFeedbackRecord(const SceneTriangle& triangle, unsigned char* record);

} // namespace quelmar
