#include "hostfeedback.h"

#include <new>

namespace quelmar {

hostsdk::HRESULT HostFeedback::Allocate(std::int32_t bytes, hostsdk::VARIANT_BOOL* ok)
{
    bool allocated = false;
    if (bytes > 0) {
        // Left uninitialised: only the bytes a frame wrote are ever handed out.
        std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[static_cast<std::size_t>(bytes)]);
        if (buffer) {
            std::lock_guard<std::mutex> lock(mutex_);
            buffer_ = std::move(buffer);
            capacity_ = static_cast<std::size_t>(bytes);
            dataBytes_ = 0;
            allocated = true;
        }
    }
    if (ok)
        *ok = hostsdk::toVariantBool(allocated);
    return allocated ? platform::S_OK : platform::E_OUTOFMEMORY;
}

hostsdk::HRESULT HostFeedback::Begin()
{
    std::lock_guard<std::mutex> lock(mutex_);
    armed_ = true;
    dataBytes_ = 0;
    return platform::S_OK;
}

hostsdk::HRESULT HostFeedback::End()
{
    std::lock_guard<std::mutex> lock(mutex_);
    armed_ = false;
    return platform::S_OK;
}

hostsdk::HRESULT HostFeedback::GetData(void** data, std::int32_t* byteCount)
{
    if (!data || !byteCount)
        return platform::E_INVALIDARG;
    std::lock_guard<std::mutex> lock(mutex_);
    *data = dataBytes_ ? buffer_.get() : nullptr;
    *byteCount = static_cast<std::int32_t>(dataBytes_);
    return platform::S_OK;
}

hostsdk::HRESULT HostFeedback::PrepareData(std::int32_t* out)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (out)
        *out = static_cast<std::int32_t>(dataBytes_);
    return platform::S_OK;
}

bool HostFeedback::isArmed() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return armed_;
}

std::size_t HostFeedback::capacity() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return capacity_;
}

FeedbackResult HostFeedback::renderFrame(const Scene& scene, const FeedbackLayers& layers)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!armed_ || !buffer_)
        return {};
    const FeedbackResult result = writeFeedback(scene, layers, buffer_.get(), capacity_);
    dataBytes_ = result.bytes;
    return result;
}

} // namespace quelmar
