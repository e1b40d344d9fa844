#include "hostxor.h"

#include <cstring>

namespace quelmar {

static_assert(sizeof(XorMaterialRecord) == sizeof(hostsdk::TXorMaterial), "one row, one layout");

hostsdk::HRESULT HostXor::GetMaterials(std::int32_t* count, hostsdk::TXorMaterial** array)
{
    if (!count || !array)
        return platform::E_INVALIDARG;
    std::lock_guard<std::mutex> lock(mutex_);
    *count = static_cast<std::int32_t>(materials_.size());
    *array = materials_.empty() ? nullptr : materials_.data();
    return platform::S_OK;
}

hostsdk::HRESULT HostXor::GetFeedbackSize(std::int32_t* megabytes)
{
    if (!megabytes)
        return platform::E_INVALIDARG;
    std::lock_guard<std::mutex> lock(mutex_);
    *megabytes = feedbackMegabytes_;
    return platform::S_OK;
}

hostsdk::HRESULT HostXor::Prepare()
{
    ++prepareCount_;
    return platform::S_OK;
}

void HostXor::setTable(const std::vector<XorMaterialRecord>& materials, std::int32_t feedbackMegabytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    materials_.resize(materials.size());
    if (!materials.empty())
        std::memcpy(materials_.data(), materials.data(), materials.size() * sizeof(hostsdk::TXorMaterial));
    feedbackMegabytes_ = feedbackMegabytes;
}

} // namespace quelmar
