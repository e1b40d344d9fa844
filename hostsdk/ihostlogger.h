#pragma once
// The host's log. Each call takes one NUL-terminated narrow text; the logger copies it before it
// returns, so the caller may release the text afterwards.

#include "hostsdkbase.h"

namespace hostsdk {

class IHostLogger {
    HOSTSDK_INTERFACE_BASE(IHostLogger)
    virtual HRESULT Info(const char* text) = 0;
    virtual HRESULT Error(const char* text) = 0;
};

} // namespace hostsdk
