#include "dynamiclibrary.h"

#include <gtest/gtest.h>

#include <string>

using platform::DynamicLibrary;
using platform::nativeLibraryName;

namespace {

// The probe library lives next to this test program: libKalmenoPlatformProbe.so.
const std::string probeFolder = KALMENO_PROBE_DIR;
using ProbeFunction = int (*)();

TEST(DynamicLibraryName, MapsWindowsNamesToNativeOnes)
{
    struct Case {
        const char* windowsName;
        const char* nativeName;
    };
    const Case cases[] = {
        {"./MTM/Feltrane.dll", "./MTM/libFeltrane.so"},
        {"Ostrell.dll", "libOstrell.so"},
        {"Ostrell.DLL", "libOstrell.so"},
        {"/opt/x/Kalmeno.dll", "/opt/x/libKalmeno.so"},
        {".\\MTM\\Feltrane.dll", "./MTM/libFeltrane.so"},
        {"libm.so.6", "libm.so.6"},
        {"./MTM/libFeltrane.so", "./MTM/libFeltrane.so"},
        {"Feltrane.dll.bak", "Feltrane.dll.bak"},
        {".dll", ".dll"},
        {"MTM/.dll", "MTM/.dll"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nativeLibraryName(c.windowsName), c.nativeName) << c.windowsName;
}

TEST(DynamicLibraryLoad, FindsWindowsNamedLibraryByPathAndBesideTheCaller)
{
    for (const std::string& name : {probeFolder + "/KalmenoPlatformProbe.dll",
                                   std::string("KalmenoPlatformProbe.dll")}) {
        auto library = DynamicLibrary::load(name);
        ASSERT_TRUE(library) << library.error();
        EXPECT_TRUE(library->isLoaded());
        EXPECT_EQ(library->path(), probeFolder + "/libKalmenoPlatformProbe.so");
        auto answer = library->function<ProbeFunction>("kalmenoProbeAnswer");
        ASSERT_TRUE(answer) << answer.error();
        EXPECT_EQ(answer.value()(), 42);
    }
}

TEST(DynamicLibraryLoad, BareNamesFollowTheCallerThenTheSystemSearch)
{
    auto system = DynamicLibrary::load("libm.so.6");
    ASSERT_TRUE(system) << system.error();
    auto cosine = system->symbol("cos");
    ASSERT_TRUE(cosine) << cosine.error();

    // Beside a caller inside the system's libm there is no probe, and the system search has none.
    auto besideOther = DynamicLibrary::load("KalmenoPlatformProbe.dll", cosine.value());
    EXPECT_FALSE(besideOther);
}

TEST(DynamicLibraryLoad, MissingLibraryNamesBothNamesAndTheLoaderMessage)
{
    auto library = DynamicLibrary::load("./MTM/NoSuchLibrary.dll");
    ASSERT_FALSE(library);
    EXPECT_NE(library.error().find("\"./MTM/NoSuchLibrary.dll\""), std::string::npos) << library.error();
    EXPECT_NE(library.error().find("./MTM/libNoSuchLibrary.so"), std::string::npos) << library.error();
    EXPECT_NE(library.error().find("No such file"), std::string::npos) << library.error();

    EXPECT_FALSE(DynamicLibrary::load(""));
}

TEST(DynamicLibraryLoad, MissingSymbolNamesSymbolAndLibrary)
{
    auto library = DynamicLibrary::load(probeFolder + "/KalmenoPlatformProbe.dll");
    ASSERT_TRUE(library) << library.error();
    auto missing = library->symbol("TerminateProcces");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find("\"TerminateProcces\""), std::string::npos) << missing.error();
    EXPECT_NE(missing.error().find("libKalmenoPlatformProbe.so"), std::string::npos) << missing.error();

    EXPECT_FALSE(library->symbol(nullptr));
    EXPECT_FALSE(DynamicLibrary().symbol("kalmenoProbeAnswer"));
}

TEST(DynamicLibraryLoad, OwnershipMovesAndReleaseUnloads)
{
    auto loaded = DynamicLibrary::load(probeFolder + "/KalmenoPlatformProbe.dll");
    ASSERT_TRUE(loaded) << loaded.error();
    DynamicLibrary first = std::move(loaded.value());
    DynamicLibrary second = std::move(first);
    EXPECT_FALSE(first.isLoaded());
    EXPECT_TRUE(second.isLoaded());
    EXPECT_TRUE(second.symbol("kalmenoProbeAnswer"));

    second.keepLoaded();
    EXPECT_TRUE(second.symbol("kalmenoProbeAnswer")) << "a kept library stays usable";
    second.release();
    EXPECT_FALSE(second.isLoaded());
}

} // namespace
