#include "oleautomation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace platform;

namespace {

TEST(OleString, CarriesByteLengthPrefixAndTerminator)
{
    for (const std::u16string& text : {std::u16string(u"Полигон"), std::u16string(u""),
                                      std::u16string(u"a\0b", 3)}) {
        BSTR string = SysAllocStringLen(text.data(), static_cast<std::uint32_t>(text.size()));
        ASSERT_NE(string, nullptr);
        EXPECT_EQ(SysStringLen(string), text.size());
        std::uint32_t prefix = 0;
        std::memcpy(&prefix, reinterpret_cast<const char*>(string) - 4, 4);
        EXPECT_EQ(prefix, 2 * text.size());
        EXPECT_EQ(std::u16string(string, SysStringLen(string)), text);
        EXPECT_EQ(string[text.size()], u'\0');
        SysFreeString(string);
    }
}

TEST(OleString, NullAndZeroFilledForms)
{
    EXPECT_EQ(SysAllocString(static_cast<const OLECHAR*>(nullptr)), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);

    BSTR fromTerminated = SysAllocString(u"Cube");
    EXPECT_EQ(SysStringLen(fromTerminated), 4u);
    SysFreeString(fromTerminated);

    BSTR blank = SysAllocStringLen(nullptr, 3);
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(std::u16string(blank, 4), std::u16string(4, u'\0'));
    SysFreeString(blank);

    EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr) << "byte length would not fit";
}

TEST(OleSafeArray, LockingGuardsDestroy)
{
    SAFEARRAY* array = SafeArrayCreateVector(sizeof(double), 0, 3);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(SafeArrayElementCount(array), 3u);

    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
    auto* values = static_cast<double*>(data);
    EXPECT_EQ(values[0] + values[1] + values[2], 0.0) << "zero-filled";
    values[2] = 7.5;
    void* again = nullptr;
    ASSERT_EQ(SafeArrayAccessData(array, &again), S_OK);
    EXPECT_EQ(again, data);

    EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(SafeArrayUnaccessData(array), S_OK);
    EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED) << "still locked once";
    EXPECT_EQ(SafeArrayUnaccessData(array), S_OK);
    EXPECT_EQ(SafeArrayUnaccessData(array), E_UNEXPECTED) << "unbalanced unaccess";
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(OleSafeArray, InvalidArgumentsAreRefused)
{
    EXPECT_EQ(SafeArrayCreateVector(0, 0, 4), nullptr);
    void* data = nullptr;
    EXPECT_EQ(SafeArrayAccessData(nullptr, &data), E_INVALIDARG);
    EXPECT_EQ(SafeArrayUnaccessData(nullptr), E_INVALIDARG);
    EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
    EXPECT_EQ(SafeArrayElementCount(nullptr), 0u);

    SAFEARRAY* empty = SafeArrayCreateVector(4, 1, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SafeArrayElementCount(empty), 0u);
    EXPECT_EQ(empty->rgsabound[0].lLbound, 1);
    EXPECT_EQ(SafeArrayAccessData(empty, nullptr), E_INVALIDARG);
    EXPECT_EQ(SafeArrayDestroy(empty), S_OK);
}

} // namespace
