#include "computationbinding.h"
#include "fakefeltrane.h"
#include "mtmfile.h"
#include "mtmsamples.h"
#include "temporaryfolder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A working folder with the given test library staged as ./MTM/Feltrane.dll; the test runs in it.
class BindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        folder_ = std::make_unique<TemporaryFolder>("binding");
        fs::current_path(folder_->path());
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        folder_.reset();
    }

    void stage(const char* library)
    {
        fs::create_directories("MTM");
        fs::copy_file(library, "MTM/libFeltrane.so", fs::copy_options::overwrite_existing);
    }

    // An answer of the staged library's own: -1 when it is not loaded or has no such function.
    int askStaged(const char* function) const
    {
        void* handle = dlopen(folder_->file("MTM/libFeltrane.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (!handle)
            return -1;
        auto answer = reinterpret_cast<int (*)()>(dlsym(handle, function));
        const int result = answer ? answer() : -1;
        dlclose(handle);
        return result;
    }
    // How often the staged library was asked to compute.
    int calculateCalls() const { return askStaged("fakeCalculateCalls"); }

    static TFcoMtm pack(double psiStep, double tetaStep, std::int32_t mode = 0)
    {
        TFcoMtm p{};
        p.countX = mode;
        p.psiStep = psiStep;
        p.tetaStep = tetaStep;
        return p;
    }

    fs::path previous_;
    std::unique_ptr<TemporaryFolder> folder_;
    ostrell::ComputationBinding binding_;
};

TEST(GridSamples, CoverBothEndsOrAreRefused)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double step, span;
        std::optional<std::int32_t> samples;
    } cases[] = {
        {10, 360, 37}, {10, 180, 19}, {5, 360, 73}, {2, 180, 91}, {7, 360, 52}, {360, 360, 2},
        {400, 360, 1}, {0.5, 180, 361},
        {0, 360, std::nullopt}, {-10, 360, std::nullopt}, {-0.0, 180, std::nullopt},
        {std::nan(""), 360, std::nullopt}, {inf, 360, std::nullopt}, {-inf, 180, std::nullopt},
        {1e-300, 360, std::nullopt}, {1e-7, 360, std::nullopt},
    };
    for (const Case& c : cases) {
        auto samples = ostrell::gridSamples(c.step, c.span);
        EXPECT_EQ(samples.ok(), c.samples.has_value()) << c.step;
        if (samples && c.samples) {
            EXPECT_EQ(samples.value(), *c.samples) << c.step;
        }
    }
}

TEST_F(BindingTest, BindsOnlyALibraryThatComputes)
{
    struct Case {
        const char* name;
        const char* library; // null: nothing staged
        bool binds;
        const char* reason;
        int terminateResult;
    } cases[] = {
        {"no library", nullptr, false, "libFeltrane.so", 0},
        {"no Calculate_MTM", FAKE_FELTRANE_WITHOUT_CALCULATE, false, "Calculate_MTM", 0},
        {"no TerminateProcces", FAKE_FELTRANE_WITHOUT_TERMINATE, true, "", 0},
        {"complete", FAKE_FELTRANE_KNOWN, true, "", fakefeltrane::kTerminateResult},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A folder of its own per library: the loader keeps what it loaded.
        TearDown();
        SetUp();
        if (c.library)
            stage(c.library);
        ostrell::ComputationBinding binding;
        auto bound = binding.bind("./MTM/Feltrane.dll");
        EXPECT_EQ(bound.ok(), c.binds) << bound.error();
        EXPECT_EQ(binding.isBound(), c.binds);
        if (!c.binds) {
            EXPECT_NE(bound.error().find(c.reason), std::string::npos) << bound.error();
        }
        EXPECT_EQ(binding.terminate(), c.terminateResult);

        TFcoMtm p = pack(10, 10);
        auto created = binding.createMtm("out.mtm", &p);
        EXPECT_EQ(created.ok(), c.binds) << created.error();
        EXPECT_EQ(fs::exists("out.mtm"), c.binds);
    }
}

TEST_F(BindingTest, SavesTheComputedPointsOnTheGridOfTheSteps)
{
    stage(FAKE_FELTRANE_KNOWN);
    ASSERT_TRUE(binding_.bind("./MTM/Feltrane.dll").ok());
    struct Case {
        double psiStep, tetaStep;
        std::uint32_t countAz, countEl;
    } cases[] = {{10, 10, 37, 19}, {5, 2, 73, 91}, {7, 10, 52, 19}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.psiStep) + " / " + std::to_string(c.tetaStep));
        TFcoMtm p = pack(c.psiStep, c.tetaStep);
        ASSERT_TRUE(binding_.createMtm("grid.mtm", &p).ok());
        auto mtm = ostrell::readMtmFile("grid.mtm");
        ASSERT_TRUE(mtm.ok()) << mtm.error();
        EXPECT_EQ(mtm->distance, fakefeltrane::kDistance);
        EXPECT_EQ(mtm->Przn, 0);
        ASSERT_EQ(mtm->points.size(), std::size_t(fakefeltrane::kFakePoints));
        for (std::uint32_t i = 0; i < mtm->points.size(); ++i) {
            const TMtmPoint& point = mtm->points[i];
            EXPECT_EQ(point.x, i + 1.0);
            EXPECT_EQ(point.y, -double(i));
            ASSERT_EQ(point.countAz, c.countAz);
            ASSERT_EQ(point.countEl, c.countEl);
            EXPECT_EQ(point.rcs[0][0], fakefeltrane::value(i, 0, 0));
            EXPECT_EQ(point.rcs[c.countAz - 1][c.countEl - 1],
                      fakefeltrane::value(i, c.countAz - 1, c.countEl - 1));
        }
        ostrell::releaseMtmGrids(mtm.value());
    }
}

TEST_F(BindingTest, WritesNothingWithoutAUsableResultOrGrid)
{
    const double nan = std::nan("");
    struct Case {
        const char* name;
        const char* library;
        TFcoMtm pack;
        bool computes; // whether the computation may be asked at all
        const char* reason;
    } cases[] = {
        {"count of 0", FAKE_FELTRANE_RETURNS_NOTHING, pack(10, 10), true, "no points"},
        {"points claimed, none given", FAKE_FELTRANE_KNOWN, pack(10, 10, fakefeltrane::kNullPoints), true,
         "without data"},
        {"azimuth step 0", FAKE_FELTRANE_KNOWN, pack(0, 10), false, "azimuth"},
        {"negative azimuth step", FAKE_FELTRANE_KNOWN, pack(-5, 10), false, "azimuth"},
        {"elevation step 0", FAKE_FELTRANE_KNOWN, pack(10, 0), false, "elevation"},
        {"elevation step not a number", FAKE_FELTRANE_KNOWN, pack(10, nan), false, "elevation"},
        {"infinite azimuth step", FAKE_FELTRANE_KNOWN, pack(HUGE_VAL, 10), false, "azimuth"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        stage(c.library);
        ostrell::ComputationBinding binding;
        ASSERT_TRUE(binding.bind("./MTM/Feltrane.dll").ok());
        auto created = binding.createMtm("out.mtm", &c.pack);
        ASSERT_FALSE(created.ok());
        EXPECT_NE(created.error().find(c.reason), std::string::npos) << created.error();
        EXPECT_FALSE(fs::exists("out.mtm"));
        EXPECT_EQ(calculateCalls(), c.computes ? 1 : 0);
    }
}

TEST_F(BindingTest, AbortReachesARunningComputation)
{
    stage(FAKE_FELTRANE_KNOWN);
    ASSERT_TRUE(binding_.bind("./MTM/Feltrane.dll").ok());
    TFcoMtm p = pack(10, 10, fakefeltrane::kWaitForAbort);
    kalmeno::Status created = kalmeno::Status::success();
    std::thread job([&] { created = binding_.createMtm("aborted.mtm", &p); });
    // The abort must come while the computation runs: one before it would be forgotten.
    for (int i = 0; i < 20000 && askStaged("fakeIsComputing") != 1; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(askStaged("fakeIsComputing"), 1);
    EXPECT_EQ(binding_.terminate(), fakefeltrane::kTerminateResult);
    job.join();
    ASSERT_FALSE(created.ok());
    EXPECT_NE(created.error().find("no points"), std::string::npos)
        << "the abort ended it, not the library's patience: " << created.error();
    EXPECT_FALSE(fs::exists("aborted.mtm"));
}

TEST_F(BindingTest, AFailedBindKeepsTheEarlierLibrary)
{
    stage(FAKE_FELTRANE_KNOWN);
    ASSERT_TRUE(binding_.bind("./MTM/Feltrane.dll").ok());
    // A folder without the library (a loaded one stays found under its old name).
    fs::create_directory("elsewhere");
    fs::current_path("elsewhere");
    EXPECT_FALSE(binding_.bind("./MTM/Feltrane.dll").ok());
    TFcoMtm p = pack(10, 10);
    EXPECT_TRUE(binding_.createMtm("still.mtm", &p).ok());
    EXPECT_EQ(binding_.terminate(), fakefeltrane::kTerminateResult);
}

} // namespace
