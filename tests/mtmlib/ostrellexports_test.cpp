// The shipped libOstrell.so, loaded the way the plug-in loads it: by path, exports by plain name.

#include "fakefeltrane.h"
#include "mtmsamples.h"
#include "rcsgrid.h"
#include "temporaryfolder.h"
#include "tmtm.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace mtmtest;

namespace {

class OstrellExports : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        library_ = dlopen(OSTRELL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        getMTM = resolve<getMTM_t>("getMTM");
        saveMTM = resolve<saveMTM_t>("saveMTM");
        getFileSize = resolve<getFileSize_t>("getFileSize");
        createPtrFuncDll = resolve<createPtrFuncDll_t>("createPtrFuncDll");
        createMTM = resolve<createMTM_t>("createMTM");
        terminateProcces = resolve<terminateProcces_t>("terminateProcces");
    }

    template <typename F>
    static F resolve(const char* name)
    {
        return reinterpret_cast<F>(dlsym(library_, name));
    }

    void SetUp() override
    {
        ASSERT_TRUE(getMTM && saveMTM && getFileSize && createPtrFuncDll && createMTM && terminateProcces);
    }
    std::string path(const std::string& name) const { return folder_.file(name); }

    static inline void* library_ = nullptr;
    static inline getMTM_t getMTM = nullptr;
    static inline saveMTM_t saveMTM = nullptr;
    static inline getFileSize_t getFileSize = nullptr;
    static inline createPtrFuncDll_t createPtrFuncDll = nullptr;
    static inline createMTM_t createMTM = nullptr;
    static inline terminateProcces_t terminateProcces = nullptr;
    TemporaryFolder folder_{"ostrell"};
};

// A record that already holds a model, with a grid of its own that a read must not touch.
TMtm occupiedRecord(TRcsValue** grid)
{
    TMtm mtm;
    mtm.path = "earlier.mtm";
    mtm.Przn = 5;
    mtm.distance = 99.0;
    mtm.hidden = 1;
    mtm.color[0] = 0.5f;
    mtm.color[3] = 0.25f;
    TMtmPoint point;
    point.rcs = grid;
    point.countAz = 1;
    point.countEl = 1;
    point.hidden = 2.0;
    mtm.points.push_back(point);
    return mtm;
}

TEST_F(OstrellExports, NothingButTheSixEntryPointsIsVisible)
{
    EXPECT_EQ(dlsym(library_, "allocateRcsGrid"), nullptr);
    EXPECT_EQ(dlsym(library_, "_Z15allocateRcsGridjj"), nullptr);
}

TEST_F(OstrellExports, GetMtmReplacesTheRecordOrLeavesItUntouched)
{
    const MtmShape legacy{0, 2, 3, 4, 17.0, true};
    writeFile(path("legacy.mtm"), craftMtm(legacy));
    writeFile(path("short.mtm"), std::vector<unsigned char>(23, 0));
    writeFile(path("long.mtm"), craftHeader(0, 0, 0, 0, 0.0, 1));

    TRcsValue** earlierGrid = allocateRcsGrid(1, 1);
    for (const char* failing : {"missing.mtm", "short.mtm", "long.mtm", ""}) {
        SCOPED_TRACE(failing);
        TMtm record = occupiedRecord(earlierGrid);
        EXPECT_FALSE(getMTM(*failing ? path(failing) : folder_.path(), &record));
        EXPECT_EQ(record.path, "earlier.mtm");
        EXPECT_EQ(record.Przn, 5);
        EXPECT_EQ(record.hidden, 1);
        ASSERT_EQ(record.points.size(), 1u);
        EXPECT_EQ(record.points[0].rcs, earlierGrid);
    }
    EXPECT_FALSE(getMTM(path("legacy.mtm"), nullptr));

    TMtm record = occupiedRecord(earlierGrid);
    ASSERT_TRUE(getMTM(path("legacy.mtm"), &record));
    EXPECT_EQ(record.path, path("legacy.mtm"));
    EXPECT_EQ(record.Przn, 0);
    EXPECT_EQ(record.distance, 17.0);
    EXPECT_EQ(record.hidden, 0);
    EXPECT_EQ(record.color[0], 0.f);
    EXPECT_EQ(record.color[3], 1.f);
    ASSERT_EQ(record.points.size(), 2u);
    EXPECT_EQ(record.points[1].z, coordinate(1, 2));
    EXPECT_EQ(record.points[1].rcs[2][3], amplitude(1, 2, 3));
    EXPECT_EQ(record.points[1].hidden, 0.0);

    // Read then save: the legacy file comes back in the current layout, otherwise byte for byte.
    std::vector<TMtmSavePoint> points;
    for (const TMtmPoint& p : record.points)
        points.push_back({p.x, p.y, p.z, p.rcs});
    std::uint32_t count = 2, countAz = 3, countEl = 4;
    ASSERT_TRUE(saveMTM(path("saved.mtm"), points.data(), &count, &countAz, &countEl, &record.distance));
    EXPECT_EQ(readFile(path("saved.mtm")), craftMtm({0, 2, 3, 4, 17.0, false}));

    for (TMtmPoint& p : record.points)
        releaseRcsGrid(p.rcs);
    releaseRcsGrid(earlierGrid);
}

TEST_F(OstrellExports, SaveMtmRefusesMissingArgumentsBeforeTouchingTheFile)
{
    TRcsValue** grid = allocateRcsGrid(2, 2);
    TMtmSavePoint point{1, 2, 3, grid};
    std::uint32_t count = 1, countAz = 2, countEl = 2;
    double distance = 3.0;
    writeFile(path("kept.mtm"), {1, 2, 3});
    EXPECT_FALSE(saveMTM(path("kept.mtm"), nullptr, &count, &countAz, &countEl, &distance));
    EXPECT_FALSE(saveMTM(path("kept.mtm"), &point, nullptr, &countAz, &countEl, &distance));
    EXPECT_FALSE(saveMTM(path("kept.mtm"), &point, &count, &countAz, &countEl, nullptr));
    EXPECT_EQ(readFile(path("kept.mtm")), (std::vector<unsigned char>{1, 2, 3}));

    EXPECT_FALSE(saveMTM(path("no/such/folder.mtm"), &point, &count, &countAz, &countEl, &distance));
    count = 0;
    ASSERT_TRUE(saveMTM(path("empty.mtm"), &point, &count, &countAz, &countEl, &distance));
    EXPECT_EQ(readFile(path("empty.mtm")), craftHeader(0, 0, 2, 2, 3.0, 0));
    releaseRcsGrid(grid);
}

TEST_F(OstrellExports, GetFileSizeGivesTheLow32BitsOrThrows)
{
    writeFile(path("seven"), std::vector<unsigned char>(7, 0));
    EXPECT_EQ(getFileSize(path("seven")), 7u);
    // Sparse: 4 GiB + 5 bytes on disk cost nothing.
    fs::resize_file(path("seven"), (std::uint64_t(1) << 32) + 5);
    EXPECT_EQ(getFileSize(path("seven")), 5u);

    try {
        getFileSize(path("missing"));
        FAIL() << "no exception";
    } catch (const fs::filesystem_error& error) {
        EXPECT_NE(std::string(error.what()).find("file_size"), std::string::npos) << error.what();
        EXPECT_EQ(error.path1(), path("missing"));
        EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
    }
}

// The process-wide binding, in the order the plug-in meets it: nothing found yet, then a
// computation library, then a failed rebind that keeps it.
TEST_F(OstrellExports, ComputationBindingLivesForTheProcess)
{
    const fs::path previous = fs::current_path();
    fs::current_path(folder_.path());
    std::string out = "computed.mtm";
    double position[3] = {0, 0, 0};
    TFcoMtm pack{};
    pack.psiStep = 10;
    pack.tetaStep = 10;

    EXPECT_FALSE(createPtrFuncDll());
    EXPECT_FALSE(createMTM(out, position, &pack));
    EXPECT_EQ(terminateProcces(), 0);
    EXPECT_FALSE(fs::exists(out));

    fs::create_directories("MTM");
    fs::copy_file(FAKE_FELTRANE_KNOWN, "MTM/libFeltrane.so");
    EXPECT_TRUE(createPtrFuncDll());
    ASSERT_TRUE(createMTM(out, position, &pack));
    TMtm mtm;
    ASSERT_TRUE(getMTM(out, &mtm));
    EXPECT_EQ(mtm.distance, fakefeltrane::kDistance);
    ASSERT_EQ(mtm.points.size(), std::size_t(fakefeltrane::kFakePoints));
    EXPECT_EQ(mtm.points[0].countAz, 37u);
    EXPECT_EQ(mtm.points[0].countEl, 19u);
    for (TMtmPoint& p : mtm.points)
        releaseRcsGrid(p.rcs);

    pack.tetaStep = -1;
    EXPECT_FALSE(createMTM(out = "refused.mtm", position, &pack));
    EXPECT_FALSE(fs::exists("refused.mtm"));

    // A folder without the library (a loaded one stays found under its old name).
    fs::create_directory("elsewhere");
    fs::current_path("elsewhere");
    EXPECT_FALSE(createPtrFuncDll());
    pack.tetaStep = 10;
    EXPECT_TRUE(createMTM(out = "again.mtm", position, &pack));
    EXPECT_EQ(terminateProcces(), fakefeltrane::kTerminateResult);
    fs::current_path(previous);
}

} // namespace
