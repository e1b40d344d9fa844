#pragma once
// The render feedback buffer. Begin arms it; every frame rendered while it is armed writes the
// enabled layers' triangles into it (replacing what the previous frame wrote); End disarms it.
// GetData then gives the buffer and the bytes of the last armed frame.

#include "feedbackwriter.h"
#include "ifeedback.h"

#include <memory>
#include <mutex>

namespace quelmar {

class HostFeedback : public hostsdk::IFeedback {
public:
    // ok is false for a size of 0 or less or when the memory is not there; the old buffer is
    // kept then.
    hostsdk::HRESULT Allocate(std::int32_t bytes, hostsdk::VARIANT_BOOL* ok) override;
    hostsdk::HRESULT Begin() override;
    hostsdk::HRESULT End() override;
    hostsdk::HRESULT GetData(void** data, std::int32_t* byteCount) override;
    hostsdk::HRESULT PrepareData(std::int32_t* out) override;

    bool isArmed() const;
    std::size_t capacity() const;
    // Writes a frame when armed; returns what was written (nothing when not armed).
    FeedbackResult renderFrame(const Scene& scene, const FeedbackLayers& layers);

private:
    mutable std::mutex mutex_;
    std::unique_ptr<unsigned char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t dataBytes_ = 0;
    bool armed_ = false;
};

} // namespace quelmar
