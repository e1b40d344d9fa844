#pragma once
// The XOR module: the loaded scene's material table and feedback buffer size.

#include "ixor.h"
#include "xormaterialrecord.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace quelmar {

class HostXor : public hostsdk::IXor {
public:
    // The array stays valid until the next scene load.
    hostsdk::HRESULT GetMaterials(std::int32_t* count, hostsdk::TXorMaterial** array) override;
    hostsdk::HRESULT GetFeedbackSize(std::int32_t* megabytes) override;
    hostsdk::HRESULT Prepare() override;

    void setTable(const std::vector<XorMaterialRecord>& materials, std::int32_t feedbackMegabytes);
    int prepareCount() const { return prepareCount_.load(); }

private:
    mutable std::mutex mutex_;
    std::vector<hostsdk::TXorMaterial> materials_;
    std::int32_t feedbackMegabytes_ = 0;
    std::atomic<int> prepareCount_{0};
};

} // namespace quelmar
