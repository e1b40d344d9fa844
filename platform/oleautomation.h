#pragma once
// Stand-ins for the OLE automation types on the host boundary: length-prefixed UTF-16 strings,
// 16-bit booleans and one-dimensional safe arrays.

#include <cstdint>
#include <string_view>

namespace platform {

using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DISP_E_ARRAYISLOCKED = static_cast<HRESULT>(0x8002000Du);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);

using VARIANT_BOOL = std::int16_t;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

using OLECHAR = char16_t;
// Points at the first character; a 32-bit byte length sits just before it and a NUL after it.
using BSTR = OLECHAR*;

BSTR SysAllocString(const OLECHAR* text);  // null for null text
BSTR SysAllocStringLen(const OLECHAR* text, std::uint32_t length); // text may be null: zero-filled
BSTR SysAllocString(std::u16string_view text);
std::uint32_t SysStringLen(BSTR text);      // characters; 0 for null
void SysFreeString(BSTR text);              // null is fine

struct SAFEARRAYBOUND {
    std::uint32_t cElements;
    std::int32_t lLbound;
};

struct SAFEARRAY {
    std::uint16_t cDims;
    std::uint16_t fFeatures;
    std::uint32_t cbElements;
    std::uint32_t cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];
};

// A one-dimensional array of `count` elements of `elementSize` bytes, zero-filled; null on failure.
SAFEARRAY* SafeArrayCreateVector(std::uint32_t elementSize, std::int32_t lowerBound, std::uint32_t count);
HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
HRESULT SafeArrayUnaccessData(SAFEARRAY* array); // E_UNEXPECTED when not accessed
HRESULT SafeArrayDestroy(SAFEARRAY* array); // DISP_E_ARRAYISLOCKED while accessed; null is S_OK
std::uint32_t SafeArrayElementCount(const SAFEARRAY* array);

} // namespace platform
