// libFeltrane.so through its exports, as Ostrell and the window use it: the staged library binds
// and computes, bad packs are refused with a reason, an abort ends a long run without a file.

#include "testpack.h"

#include "computationbinding.h"
#include "dynamiclibrary.h"
#include "mtmfile.h"
#include "mtmsamples.h"
#include "physicalconstants.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <limits>
#include <thread>

namespace fs = std::filesystem;

namespace {

class FeltraneExports : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        auto loaded = platform::DynamicLibrary::load(FELTRANE_LIBRARY);
        ASSERT_TRUE(loaded) << loaded.error();
        library_ = new platform::DynamicLibrary(std::move(loaded.value()));
        calculate_ = library_->function<Calculate_MTM_t>("Calculate_MTM").value();
        terminate_ = library_->function<TerminateProcces_t>("TerminateProcces").value();
        progress_ = library_->function<GetCalculationProgress_t>("GetCalculationProgress").value();
    }
    static void TearDownTestSuite()
    {
        delete library_;
        library_ = nullptr;
    }

    static TestPack plate()
    {
        TestPack pack;
        pack.addRectangle({0, 0, 0}, {0, 1, 0}, {0, 0, 1});
        return pack;
    }

    static platform::DynamicLibrary* library_;
    static Calculate_MTM_t calculate_;
    static TerminateProcces_t terminate_;
    static GetCalculationProgress_t progress_;
};

platform::DynamicLibrary* FeltraneExports::library_ = nullptr;
Calculate_MTM_t FeltraneExports::calculate_ = nullptr;
TerminateProcces_t FeltraneExports::terminate_ = nullptr;
GetCalculationProgress_t FeltraneExports::progress_ = nullptr;

TEST_F(FeltraneExports, OstrellBindsTheStagedLibraryAndSavesAPlate)
{
    // The window's road: the host's folder is stage/bin, Ostrell looks for ./MTM/Feltrane.dll.
    const char* stage = std::getenv("KALMENO_STAGE_DIR");
    ASSERT_NE(stage, nullptr);
    const fs::path previous = fs::current_path();
    fs::current_path(fs::path(stage) / "bin");
    auto ostrell = platform::DynamicLibrary::load(OSTRELL_LIBRARY);
    ASSERT_TRUE(ostrell) << ostrell.error();
    const auto bind = ostrell->function<createPtrFuncDll_t>("createPtrFuncDll").value();
    const auto create = ostrell->function<createMTM_t>("createMTM").value();
    const bool bound = bind();
    fs::current_path(previous);
    ASSERT_TRUE(bound);

    const std::string folder = mtmtest::makeTempFolder("feltrane");
    std::string path = folder + "/plate.mtm";
    TestPack pack = plate();
    double position[3] = {};
    ASSERT_TRUE(create(path, position, &pack.pack()));
    auto mtm = ostrell::readMtmFile(path);
    ASSERT_TRUE(mtm) << mtm.error();
    EXPECT_EQ(mtm->points.size(), 1u);
    EXPECT_EQ(mtm->points[0].countAz, 37u);
    EXPECT_EQ(mtm->points[0].countEl, 19u);
    EXPECT_NEAR(mtm->distance, 2 * 2.0 / 0.03, 1e-9) << "2D²/λ of the plate's diagonal";
    // Along the plate's normal: S = A/λ with the phase of the point, here at the plate's centre.
    EXPECT_NEAR(10 * std::log10(4 * feltrane::kPi * std::norm(mtm->points[0].rcs[0][9])), 41.45, 0.05);
    ostrell::releaseMtmGrids(mtm.value());
    fs::remove_all(folder);
}

TEST_F(FeltraneExports, BadPacksGiveNoPointsAndSayWhy)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    using Change = std::function<void(TFcoMtm&)>;
    const struct {
        const char* what;
        Change change;
        const char* reason;
    } cases[] = {
        {"no cells along x", [](TFcoMtm& p) { p.countX = 0; }, "cell counts"},
        {"negative cells along z", [](TFcoMtm& p) { p.countZ = -3; }, "cell counts"},
        {"zero azimuth step", [](TFcoMtm& p) { p.psiStep = 0; }, "azimuth"},
        {"elevation step not a number", [](TFcoMtm& p) { p.tetaStep = nan; }, "elevation"},
        {"azimuth step above 360", [](TFcoMtm& p) { p.psiStep = 400; }, "fewer than two samples"},
        {"steps too fine for int32", [](TFcoMtm& p) { p.psiStep = 1e-9; }, "too many samples"},
        {"output beyond the memory", [](TFcoMtm& p) { p.psiStep = p.tetaStep = 0.005; }, "memory"},
        {"zero wavelength", [](TFcoMtm& p) { p.waveLength = 0; }, "wavelength"},
        {"negative wavelength", [](TFcoMtm& p) { p.waveLength = -0.03; }, "wavelength"},
        {"infinite wavelength", [](TFcoMtm& p) { p.waveLength = inf; }, "wavelength"},
        {"polarisation not a number", [](TFcoMtm& p) { p.coefEllipt = nan; }, "polarisation"},
        {"no vertices", [](TFcoMtm& p) { p.vertexCount = 0; }, "nothing to compute"},
        {"null vertices", [](TFcoMtm& p) { p.vertices = nullptr; }, "vertex pointer is null"},
        {"null triangles", [](TFcoMtm& p) { p.triangles = nullptr; }, "triangle pointer is null"},
        {"negative index", [](TFcoMtm& p) { p.triangles[1].b = -1; }, "refers to vertex -1"},
        {"index past the vertices", [](TFcoMtm& p) { p.triangles[0].c = std::int32_t(p.vertexCount); },
         "refers to vertex 6 of 6"},
        {"infinite coordinate", [](TFcoMtm& p) { p.vertices[4].y = inf; }, "vertex 4"},
        {"coordinate not a number", [](TFcoMtm& p) { p.vertices[0].z = nan; }, "vertex 0"},
        {"zero permittivity", [](TFcoMtm& p) { p.triangles[0].epsilon = 0; }, "permittivity"},
        {"negative conductivity", [](TFcoMtm& p) { p.triangles[1].sigma = -1; }, "conductivity"},
        {"permeability not a number", [](TFcoMtm& p) { p.triangles[1].mu = float(nan); }, "permeability"},
        {"only degenerate triangles",
         [](TFcoMtm& p) {
             for (std::uint32_t v = 0; v < p.vertexCount; ++v)
                 p.vertices[v] = {1, 2, 3};
         },
         "covers any area"},
        {"first row outside the grid", [](TFcoMtm& p) { p.reserved3[0] = 40; }, "row"},
        {"fractional row count", [](TFcoMtm& p) { p.reserved3[1] = 1.5; }, "row"},
        {"unknown option bits", [](TFcoMtm& p) { p.reserved1 = 6; }, "option bits"},
        {"negative thread count", [](TFcoMtm& p) { p.reserved2 = -1; }, "thread count"},
        {"fractional reflections", [](TFcoMtm& p) { p.reserved3[2] = 2.5; }, "reflections per ray"},
        {"too many reflections", [](TFcoMtm& p) { p.reserved3[2] = 65; }, "reflections per ray"},
        {"negative ray density", [](TFcoMtm& p) { p.reserved3[3] = -4; }, "ray density"},
        {"ray density not a number", [](TFcoMtm& p) { p.reserved3[3] = nan; }, "ray density"},
        {"more rays than the grid holds",
         [](TFcoMtm& p) {
             p.vertices[0].x = 1e6; // a second reflection is possible, and the target is a kilometre wide
             p.waveLength = 1e-4;
             p.reserved3[3] = 1000;
         },
         "ray grid"},
    };
    for (const auto& c : cases) {
        TestPack pack = plate();
        TFcoMtm& raw = pack.pack();
        c.change(raw);
        std::int32_t count = 99;
        ::testing::internal::CaptureStderr();
        const TMtmSavePoint* points = calculate_(&raw, &count);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(count, 0) << c.what;
        EXPECT_EQ(points, nullptr) << c.what;
        EXPECT_NE(said.find("Feltrane: no MTM computed: "), std::string::npos) << c.what << ": " << said;
        EXPECT_NE(said.find(c.reason), std::string::npos) << c.what << ": " << said;
        EXPECT_EQ(raw.distance, 0.0) << c.what;
    }
    std::int32_t count = 99;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(calculate_(nullptr, &count), nullptr);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("no pack"), std::string::npos);
    EXPECT_EQ(count, 0);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(calculate_(&plate().pack(), nullptr), nullptr);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("count"), std::string::npos);
}

TEST_F(FeltraneExports, TerminateEndsALongRunWithoutAFileAndTheNextRunStartsAfresh)
{
    ostrell::ComputationBinding binding;
    ASSERT_TRUE(binding.bind(FELTRANE_LIBRARY));
    EXPECT_EQ(terminate_(), 0) << "nothing runs yet";

    // Minutes of work: 20480 facets with shadow rays on a 1° grid.
    TestPack big;
    big.addSphere({0, 0, 0}, 1.0, 5);
    big.setGrid(1.0, 1.0);
    const std::string folder = mtmtest::makeTempFolder("feltrane");
    const std::string path = folder + "/stopped.mtm";
    ::testing::internal::CaptureStderr();
    auto run = std::async(std::launch::async, [&] { return binding.createMtm(path, &big.pack()); });
    // Wait (at most a minute) until the directions are being computed, then stop.
    for (int i = 0; i < 6000 && progress_() <= 0.0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GT(progress_(), 0.0);
    EXPECT_LT(progress_(), 50.0);
    EXPECT_EQ(binding.terminate(), 1);
    const kalmeno::Status stopped = run.get();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(stopped);
    EXPECT_NE(said.find("stopped on request"), std::string::npos) << said;
    EXPECT_FALSE(fs::exists(path));

    TestPack small = plate();
    std::int32_t count = 0;
    const TMtmSavePoint* points = calculate_(&small.pack(), &count);
    EXPECT_EQ(count, 1);
    ASSERT_NE(points, nullptr);
    EXPECT_NEAR(std::abs(points[0].rcs[0][9]), 1.0 / 0.03, 1e-3) << "A/λ of the 1 m² plate";
    EXPECT_EQ(progress_(), 100.0);
    fs::remove_all(folder);
}

} // namespace
