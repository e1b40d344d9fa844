#include "feedbackwriter.h"

#include <cstring>

namespace quelmar {

namespace {

void putDouble(unsigned char* at, double value)
{
    std::memcpy(at, &value, sizeof value);
}

void putVertex(unsigned char* at, const Eigen::Vector3d& v, double fourth)
{
    putDouble(at, v.x());
    putDouble(at + 8, v.y());
    putDouble(at + 16, v.z());
    putDouble(at + 24, fourth);
}

} // namespace

void writeFeedbackRecord(const SceneTriangle& triangle, unsigned char* record)
{
    // Scene triangles wind counter-clockwise seen from outside, as their mesh files do; the
    // plug-in takes (A - B) x (C - B) as the outward normal, so records run A, C, B.
    putVertex(record, triangle.a, static_cast<double>(triangle.material));
    putVertex(record + 32, triangle.c, 0.0);
    putVertex(record + 64, triangle.b, 0.0);
}

FeedbackResult writeFeedback(const Scene& scene, const FeedbackLayers& layers, unsigned char* buffer,
                             std::size_t capacity)
{
    FeedbackResult result;
    const std::size_t room = buffer ? capacity / feedbackRecordSize : 0;
    auto emit = [&](const std::vector<SceneTriangle>& triangles) {
        for (const SceneTriangle& triangle : triangles) {
            if (result.triangles == room) {
                result.overflowed = true;
                return;
            }
            writeFeedbackRecord(triangle, buffer + result.triangles * feedbackRecordSize);
            ++result.triangles;
        }
    };
    if (layers.surface)
        emit(scene.surface.triangles);
    if (layers.objects)
        for (const SceneObject& object : scene.objects) {
            if (result.overflowed)
                break;
            emit(object.triangles);
        }
    result.bytes = result.triangles * feedbackRecordSize;
    return result;
}

} // namespace quelmar
