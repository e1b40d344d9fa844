#pragma once
// Shared spellings of the host boundary: status results (ignored by callers), 16-bit booleans,
// OLE strings and safe arrays come from the platform layer.

#include "oleautomation.h"

#include <cstdint>

namespace hostsdk {

using platform::BSTR;
using platform::HRESULT;
using platform::SAFEARRAY;
using platform::VARIANT_BOOL;
using platform::VARIANT_FALSE;
using platform::VARIANT_TRUE;

inline VARIANT_BOOL toVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }
// Any non-zero value counts as true; the host itself only ever writes -1.
inline bool fromVariantBool(VARIANT_BOOL value) { return value != VARIANT_FALSE; }

// Host objects are owned by the host and never released by the plug-in, so the interfaces have
// no virtual destructor (it would take a slot) and cannot be deleted through.
#define HOSTSDK_INTERFACE_BASE(Name)            \
protected:                                      \
    Name() = default;                           \
    ~Name() = default;                          \
    Name(const Name&) = default;                \
    Name& operator=(const Name&) = default;     \
public:

} // namespace hostsdk
