#pragma once
// The render feedback buffer: between Begin and End each frame writes its triangles into it as
// TFeedbackTriangle records.

#include "hostsdkbase.h"

namespace hostsdk {

class IFeedback {
    HOSTSDK_INTERFACE_BASE(IFeedback)
    virtual HRESULT Allocate(std::int32_t bytes, VARIANT_BOOL* ok) = 0;
    virtual HRESULT Begin() = 0;
    virtual HRESULT End() = 0;
    // The host's buffer and the number of bytes the last armed frame wrote into it.
    virtual HRESULT GetData(void** data, std::int32_t* byteCount) = 0;
    virtual HRESULT PrepareData(std::int32_t* out) = 0;
};

} // namespace hostsdk
