#pragma once
// The XOR module: the electromagnetic material table and the feedback buffer size.

#include "hostrecords.h"
#include "hostsdkbase.h"

namespace hostsdk {

class IXor {
    HOSTSDK_INTERFACE_BASE(IXor)
    // *array points at `*count` materials owned by the host (null when there are none).
    virtual HRESULT GetMaterials(std::int32_t* count, TXorMaterial** array) = 0;
    // 0 means the default size.
    virtual HRESULT GetFeedbackSize(std::int32_t* megabytes) = 0;
    virtual HRESULT Prepare() = 0;
};

} // namespace hostsdk
