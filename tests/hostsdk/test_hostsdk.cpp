// The host interfaces are called across separately built binaries by slot number, so their
// order is part of the contract; so are the booleans' values.
#include "hostsdk.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Itanium C++ ABI: a pointer to a virtual member function holds 1 + the slot's byte offset.
template <typename Method>
std::ptrdiff_t slotOf(Method method)
{
    std::ptrdiff_t raw = 0;
    static_assert(sizeof(method) >= sizeof(raw));
    std::memcpy(&raw, &method, sizeof(raw));
    return (raw - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

using namespace hostsdk;

TEST(HostInterfaces, SlotsFollowTheContractOrder)
{
    struct Case { const char* name; std::ptrdiff_t slot; std::ptrdiff_t expected; };
    const Case cases[] = {
        {"IHost::GetInterface", slotOf(&IHost::GetInterface), 0},
        {"IHost::NotifyClosed", slotOf(&IHost::NotifyClosed), 1},
        {"IHostLogger::Info", slotOf(&IHostLogger::Info), 0},
        {"IHostLogger::Error", slotOf(&IHostLogger::Error), 1},
        {"IEngine::LoadInitialState", slotOf(&IEngine::LoadInitialState), 0},
        {"IEngine::Run", slotOf(&IEngine::Run), 1},
        {"IEngine::GetXor", slotOf(&IEngine::GetXor), 6},
        {"IScene::GetRender", slotOf(&IScene::GetRender), 3},
        {"ISceneModel::GetName", slotOf(&ISceneModel::GetName), 2},
        {"IXor::Prepare", slotOf(&IXor::Prepare), 2},
        {"IFeedback::PrepareData", slotOf(&IFeedback::PrepareData), 4},
        {"ISurfaceConveyer::Refresh", slotOf(&ISurfaceConveyer::Refresh), 6},
        {"ISceneConveyer::AttachFeedback", slotOf(&ISceneConveyer::AttachFeedback), 1},
        {"IKalmenoRender::ClearPoints", slotOf(&IKalmenoRender::ClearPoints), 0},
        {"IKalmenoRender::CreateBox", slotOf(&IKalmenoRender::CreateBox), 7},
        {"IKalmenoRender::IsTriangleInBox", slotOf(&IKalmenoRender::IsTriangleInBox), 11},
        {"IKalmenoRender::GetViewAngles", slotOf(&IKalmenoRender::GetViewAngles), 14},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.slot, c.expected) << c.name;
}

TEST(HostBooleans, TrueIsMinusOneAndAnyNonZeroReadsTrue)
{
    EXPECT_EQ(toVariantBool(true), -1);
    EXPECT_EQ(toVariantBool(false), 0);
    EXPECT_TRUE(fromVariantBool(-1));
    EXPECT_TRUE(fromVariantBool(1));
    EXPECT_FALSE(fromVariantBool(0));
}

} // namespace
