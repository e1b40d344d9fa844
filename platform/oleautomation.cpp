#include "oleautomation.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace platform {

namespace {

constexpr std::size_t prefixBytes = sizeof(std::uint32_t);

// Longest string whose byte length and terminator still fit the 32-bit prefix.
constexpr std::uint32_t maximumLength =
    (std::numeric_limits<std::uint32_t>::max() - sizeof(OLECHAR)) / sizeof(OLECHAR);

std::uint32_t* prefixOf(BSTR text)
{
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<unsigned char*>(text) - prefixBytes);
}

} // namespace

BSTR SysAllocStringLen(const OLECHAR* text, std::uint32_t length)
{
    if (length > maximumLength)
        return nullptr;
    const std::uint32_t byteLength = length * std::uint32_t(sizeof(OLECHAR));
    auto* block = static_cast<unsigned char*>(
        std::malloc(prefixBytes + std::size_t(byteLength) + sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    std::memcpy(block, &byteLength, prefixBytes);
    auto* characters = reinterpret_cast<BSTR>(block + prefixBytes);
    if (text)
        std::memcpy(characters, text, byteLength);
    else
        std::memset(characters, 0, byteLength);
    characters[length] = 0;
    return characters;
}

BSTR SysAllocString(const OLECHAR* text)
{
    if (!text)
        return nullptr;
    std::size_t length = 0;
    while (text[length] != 0)
        ++length;
    if (length > maximumLength)
        return nullptr;
    return SysAllocStringLen(text, static_cast<std::uint32_t>(length));
}

BSTR SysAllocString(std::u16string_view text)
{
    if (text.size() > maximumLength)
        return nullptr;
    return SysAllocStringLen(text.data(), static_cast<std::uint32_t>(text.size()));
}

std::uint32_t SysStringLen(BSTR text)
{
    if (!text)
        return 0;
    std::uint32_t byteLength = 0;
    std::memcpy(&byteLength, prefixOf(text), prefixBytes);
    return byteLength / std::uint32_t(sizeof(OLECHAR));
}

void SysFreeString(BSTR text)
{
    if (text)
        std::free(prefixOf(text));
}

SAFEARRAY* SafeArrayCreateVector(std::uint32_t elementSize, std::int32_t lowerBound, std::uint32_t count)
{
    if (elementSize == 0)
        return nullptr;
    const std::size_t dataBytes = std::size_t(elementSize) * count; // both 32-bit: cannot wrap
    auto* array = new (std::nothrow) SAFEARRAY{};
    if (!array)
        return nullptr;
    // Always a real block, even for no elements, so access never hands out null.
    array->pvData = std::calloc(dataBytes ? dataBytes : 1, 1);
    if (!array->pvData) {
        delete array;
        return nullptr;
    }
    array->cDims = 1;
    array->cbElements = elementSize;
    array->rgsabound[0].cElements = count;
    array->rgsabound[0].lLbound = lowerBound;
    return array;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data)
{
    if (!array || !data)
        return E_INVALIDARG;
    if (array->cLocks == std::numeric_limits<std::uint32_t>::max())
        return E_UNEXPECTED;
    ++array->cLocks;
    *data = array->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array)
{
    if (!array)
        return E_INVALIDARG;
    if (array->cLocks == 0)
        return E_UNEXPECTED;
    --array->cLocks;
    return S_OK;
}

HRESULT SafeArrayDestroy(SAFEARRAY* array)
{
    if (!array)
        return S_OK;
    if (array->cLocks > 0)
        return DISP_E_ARRAYISLOCKED;
    std::free(array->pvData);
    delete array;
    return S_OK;
}

std::uint32_t SafeArrayElementCount(const SAFEARRAY* array)
{
    return array ? array->rgsabound[0].cElements : 0;
}

} // namespace platform
