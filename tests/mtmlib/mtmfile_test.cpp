#include "hostilefiles.h"
#include "mtmfile.h"
#include "mtmfilereader.h"
#include "mtmsamples.h"
#include "rcsgrid.h"
#include "temporaryfolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

using namespace mtmtest;
using ostrell::MtmLayout;

namespace {

constexpr std::uint32_t kMax32 = std::numeric_limits<std::uint32_t>::max();

std::vector<unsigned char> withSize(std::vector<unsigned char> bytes, long delta)
{
    bytes.resize(std::size_t(long(bytes.size()) + delta), 0);
    return bytes;
}

class MtmFileTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return folder_.file(name); }

    TemporaryFolder folder_{"mtmfile"};
};

// Checks that `mtm` holds exactly the model craftMtm makes for `shape` (legacy files read as Przn 0).
void expectModel(const TMtm& mtm, const MtmShape& shape)
{
    EXPECT_EQ(mtm.Przn, shape.legacy ? 0 : shape.przn);
    EXPECT_EQ(mtm.distance, shape.distance);
    EXPECT_EQ(mtm.hidden, 0);
    EXPECT_EQ(mtm.color[3], 1.f);
    ASSERT_EQ(mtm.points.size(), shape.points);
    for (std::uint32_t p = 0; p < shape.points; ++p) {
        const TMtmPoint& point = mtm.points[p];
        EXPECT_EQ(point.x, coordinate(p, 0));
        EXPECT_EQ(point.y, coordinate(p, 1));
        EXPECT_EQ(point.z, coordinate(p, 2));
        EXPECT_EQ(point.hidden, 0.0);
        EXPECT_EQ(point.color[0], 0.f);
        EXPECT_EQ(point.color[3], 1.f);
        EXPECT_EQ(point.countAz, shape.countAz);
        EXPECT_EQ(point.countEl, shape.countEl);
        ASSERT_NE(point.rcs, nullptr);
        for (std::uint32_t a = 0; a < shape.countAz; ++a)
            for (std::uint32_t e = 0; e < shape.countEl; ++e)
                ASSERT_EQ(point.rcs[a][e], amplitude(p, a, e)) << "point " << p << " az " << a << " el " << e;
    }
}

TEST(MtmFileSize, IsExactOrAbsentWhenItLeaves64Bits)
{
    struct Case {
        MtmLayout layout;
        std::uint32_t n, az, el;
        std::optional<std::uint64_t> bytes;
    } cases[] = {
        {MtmLayout::Current, 0, 0, 0, 24},
        {MtmLayout::Legacy, 0, 37, 19, 20},
        {MtmLayout::Current, 1, 37, 19, 24 + 24 + 16 * 37 * 19},
        {MtmLayout::Legacy, 2000, 181, 181, 20 + 24 * 2000 + 16ull * 2000 * 181 * 181},
        {MtmLayout::Current, kMax32, 0, 0, 24 + 24ull * kMax32},
        // 16·16·2^28·2^28 is exactly 2^64: a naive sum wraps to 408.
        {MtmLayout::Current, 16, 1u << 28, 1u << 28, std::nullopt},
        {MtmLayout::Current, 1, kMax32, kMax32, std::nullopt},
        {MtmLayout::Legacy, kMax32, kMax32, kMax32, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ostrell::mtmFileSize(c.layout, c.n, c.az, c.el), c.bytes)
            << c.n << " x " << c.az << " x " << c.el;
}

// Every reader (file, header only, memory) must agree on what a file is.
TEST_F(MtmFileTest, CraftedFilesAreAcceptedOrRejectedWithAReason)
{
    const MtmShape current{0, 3, 4, 5, 1250.5, false};
    const MtmShape small{0, 1, 2, 2, 0.0, false};
    const MtmShape legacy{0, 2, 3, 4, 77.0, true};
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        std::optional<MtmShape> model; // set when the file must read as this model
        std::string reason;            // a part of the reason otherwise
    } cases[] = {
        {"current", craftMtm(current), current, ""},
        {"current with Przn", craftMtm({-7, 2, 3, 2, 3.5, false}), MtmShape{-7, 2, 3, 2, 3.5, false}, ""},
        {"legacy", craftMtm(legacy), legacy, ""},
        {"no points", craftMtm({3, 0, 37, 19, 9.0, false}), MtmShape{3, 0, 0, 0, 9.0, false}, ""},
        {"no azimuth samples", craftMtm({0, 2, 0, 5, 1.0, false}), MtmShape{0, 2, 0, 5, 1.0, false}, ""},
        {"no elevation samples", craftMtm({0, 2, 3, 0, 1.0, false}), MtmShape{0, 2, 3, 0, 1.0, false}, ""},
        {"one byte too long", withSize(craftMtm(small), +1), std::nullopt,
         "size 113 fits neither layout: 112 bytes expected for the current layout, 20 for the legacy one"},
        {"one byte too short", withSize(craftMtm(small), -1), std::nullopt,
         "size 111 fits neither layout: 112 bytes expected"},
        {"legacy one byte too long", withSize(craftMtm(legacy), +1), std::nullopt, "fits neither layout"},
        {"legacy one byte too short", withSize(craftMtm(legacy), -1), std::nullopt, "fits neither layout"},
        {"legacy without points", craftMtm({0, 0, 37, 19, 5.0, true}), std::nullopt,
         "shorter than the 24-byte header"},
        {"empty", {}, std::nullopt, "shorter than the 24-byte header"},
        {"current header wrapping to its size", craftHeader(0, 16, 1u << 28, 1u << 28, 0.0, 408 - 24),
         std::nullopt, "more than 2^64 bytes expected for the current layout"},
        {"legacy header wrapping to its size", craftHeader(16, 1u << 28, 1u << 28, 0, 0.0, 404 - 24),
         std::nullopt, "more than 2^64 for the legacy one"},
        {"rows of nothing outweighing the file", craftHeader(0, 1, kMax32, 0, 0.0, 24), std::nullopt,
         "row tables"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = path("case.mtm");
        writeFile(file, c.bytes);

        ostrell::MtmHeader header;
        auto fromFile = ostrell::readMtmFile(file, &header);
        auto headerOnly = ostrell::readMtmHeader(file);
        auto fromMemory = ostrell::readMtmBuffer(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(fromFile.ok(), c.model.has_value()) << fromFile.error();
        EXPECT_EQ(headerOnly.ok(), c.model.has_value());
        EXPECT_EQ(fromMemory.ok(), c.model.has_value());
        if (c.model) {
            ASSERT_TRUE(fromFile.ok());
            expectModel(fromFile.value(), *c.model);
            EXPECT_EQ(fromFile->path, file);
            EXPECT_EQ(header.layout, c.model->legacy ? MtmLayout::Legacy : MtmLayout::Current);
            EXPECT_EQ(header.fileSize, c.bytes.size());
            ASSERT_TRUE(fromMemory.ok());
            expectModel(fromMemory.value(), *c.model);
            ostrell::releaseMtmGrids(fromFile.value());
            ostrell::releaseMtmGrids(fromMemory.value());
        } else {
            EXPECT_NE(fromFile.error().find(c.reason), std::string::npos) << fromFile.error();
            EXPECT_EQ(headerOnly.error(), fromFile.error());
            EXPECT_EQ(fromMemory.error(), fromFile.error());
        }
    }
}

TEST_F(MtmFileTest, UnreadablePathsFailWithTheSystemsReason)
{
    auto missing = ostrell::readMtmFile(path("missing.mtm"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("No such file"), std::string::npos) << missing.error();

    auto folder = ostrell::readMtmFile(folder_.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_FALSE(ostrell::fileSizeOf(path("missing.mtm")).ok());
}

TEST_F(MtmFileTest, WhatIsNotARegularFileIsRefusedWithoutBlocking)
{
    HostileFolder hostile;
    const std::string fifo = hostile.fifo("fifo.mtm");
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {fifo, "cannot open: not a regular file (a FIFO)"},
        {hostile.link("link.mtm", fifo), "cannot open: not a regular file (a FIFO)"},
        {hostile.folder("folder.mtm"), "cannot open: not a regular file (a folder)"},
        {hostile.socket("socket.mtm"), "cannot open: not a regular file (a socket)"},
        {"/dev/zero", "cannot open: not a regular file (a device)"},
    };
    for (const auto& c : cases) {
        std::string whole, header, streamed;
        const bool returned = returnsWithin(
            10,
            [&] {
                whole = ostrell::readMtmFile(c.path).error();
                header = ostrell::readMtmHeader(c.path).error();
                streamed = ostrell::MtmFileReader::open(c.path).error();
            },
            [&] { releaseFifo(fifo); });
        EXPECT_TRUE(returned) << c.path << " blocked the reader";
        EXPECT_EQ(whole, c.reason) << c.path;
        EXPECT_EQ(header, c.reason) << c.path;
        EXPECT_EQ(streamed, c.reason) << c.path;
    }
}

// Whether reading `path` succeeds in a child process whose address space may grow by `bytes`.
bool readsWithin(const std::string& path, std::uint64_t bytes)
{
    const pid_t child = fork();
    if (child == 0) {
        std::ifstream statm("/proc/self/statm");
        std::uint64_t pages = 0;
        statm >> pages;
        const rlimit limit{rlim_t(pages * sysconf(_SC_PAGESIZE) + bytes), RLIM_INFINITY};
        setrlimit(RLIMIT_AS, &limit);
        auto mtm = ostrell::readMtmFile(path);
        _exit(mtm ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The record of a point is 64 bytes and its grid a row table ahead of its values, against
// 24 + 16·A·B bytes in the file: a read takes at most four times the file, whatever its shape.
TEST_F(MtmFileTest, AReadTakesAtMostFourTimesTheFile)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#endif
    const struct {
        std::uint32_t points, countAz, countEl;
    } shapes[] = {{2000000, 0, 0}, {1000000, 2, 0}, {500000, 2, 2}};
    for (const auto& shape : shapes) {
        const std::string file = path("large.mtm");
        const std::vector<unsigned char> header = craftHeader(0, shape.points, shape.countAz, shape.countEl, 1.0, 0);
        const std::uint64_t size = *ostrell::mtmFileSize(MtmLayout::Current, shape.points, shape.countAz, shape.countEl);
        writeFile(file, header);
        std::filesystem::resize_file(file, size);
        EXPECT_TRUE(readsWithin(file, 4 * size + (16 << 20)))
            << shape.points << " points of " << shape.countAz << " x " << shape.countEl;
        EXPECT_FALSE(readsWithin(file, size / 2)) << "the limit must bind";
    }
}

// A reader that fails part-way stands for a file that shrank after its size was checked.
TEST(MtmBody, ReadFailingAfterTheSizeCheckLeavesNothingAllocated)
{
    ostrell::MtmHeader header;
    header.pointCount = 3;
    header.countAz = 2;
    header.countEl = 2;
    const struct {
        int failingCall;
        const char* reason;
    } cases[] = {{0, "coordinate block"}, {1, "amplitude block of point 0"}};
    for (const auto& c : cases) {
        int call = 0;
        auto result = ostrell::readMtmBody(header, [&](void* destination, std::size_t bytes) {
            if (call++ == c.failingCall)
                return false;
            std::memset(destination, 0, bytes);
            return true;
        });
        ASSERT_FALSE(result.ok());
        EXPECT_NE(result.error().find(c.reason), std::string::npos) << result.error();
    }
}

TEST_F(MtmFileTest, ReadThenSaveGivesTheSameBytesInTheCurrentLayout)
{
    struct Case {
        const char* name;
        MtmShape shape;
    } cases[] = {
        {"current", {0, 3, 4, 5, 12.0, false}},
        {"non-zero Przn becomes 0", {41, 2, 3, 3, -1.0, false}},
        {"legacy gains the Przn word", {0, 2, 4, 3, 8.0, true}},
        {"one row of one sample", {0, 2, 1, 1, 0.5, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path("in.mtm"), craftMtm(c.shape));
        auto mtm = ostrell::readMtmFile(path("in.mtm"));
        ASSERT_TRUE(mtm.ok()) << mtm.error();

        std::vector<TMtmSavePoint> points;
        for (const TMtmPoint& p : mtm->points)
            points.push_back({p.x, p.y, p.z, p.rcs});
        ASSERT_TRUE(ostrell::writeMtmFile(path("out.mtm"), points.data(), std::uint32_t(points.size()),
                                          c.shape.countAz, c.shape.countEl, mtm->distance)
                        .ok());
        MtmShape expected = c.shape;
        expected.przn = 0;
        expected.legacy = false;
        EXPECT_EQ(readFile(path("out.mtm")), craftMtm(expected));
        ostrell::releaseMtmGrids(mtm.value());
    }
}

TEST_F(MtmFileTest, RowsNeedNotBeOneBlock)
{
    const MtmShape shape{0, 2, 3, 4, 6.0, false};
    std::vector<std::vector<TRcsValue>> rowStorage;
    std::vector<std::vector<TRcsValue*>> tables(shape.points);
    std::vector<TMtmSavePoint> points;
    for (std::uint32_t p = 0; p < shape.points; ++p) {
        for (std::uint32_t a = 0; a < shape.countAz; ++a) {
            std::vector<TRcsValue> row;
            for (std::uint32_t e = 0; e < shape.countEl; ++e)
                row.push_back(amplitude(p, a, e));
            rowStorage.push_back(std::move(row));
        }
    }
    for (std::uint32_t p = 0; p < shape.points; ++p) {
        // Every row an allocation of its own, as an edit may leave them.
        for (std::uint32_t a = 0; a < shape.countAz; ++a)
            tables[p].push_back(rowStorage[p * shape.countAz + a].data());
        points.push_back({coordinate(p, 0), coordinate(p, 1), coordinate(p, 2), tables[p].data()});
    }
    ASSERT_TRUE(ostrell::writeMtmFile(path("rows.mtm"), points.data(), shape.points, shape.countAz,
                                      shape.countEl, shape.distance)
                    .ok());
    EXPECT_EQ(readFile(path("rows.mtm")), craftMtm(shape));
}

TEST_F(MtmFileTest, WritingFailsCleanly)
{
    TRcsValue** grid = allocateRcsGrid(2, 2);
    TRcsValue* missingRow[2] = {grid[0], nullptr};
    const TMtmSavePoint good{1, 2, 3, grid};
    const TMtmSavePoint noRows{1, 2, 3, nullptr};
    const TMtmSavePoint halfRows{1, 2, 3, missingRow};
    struct Case {
        const char* name;
        std::string file;
        const TMtmSavePoint* points;
        std::uint32_t count;
        std::string reason;
    } cases[] = {
        {"no point array", path("a.mtm"), nullptr, 1, "no points"},
        {"point without grid", path("b.mtm"), &noRows, 1, "point 0 has no amplitudes"},
        {"missing row", path("c.mtm"), &halfRows, 1, "row 1 of point 0 is missing"},
        {"folder missing", path("none/d.mtm"), &good, 1, "cannot create"},
        {"a device", "/dev/full", &good, 1, "cannot create: not a regular file (a device)"},
        {"a file that cannot grow", path("e.mtm"), &good, 1, "cannot write: File too large"},
    };
    // The file size limit stands in for a full disk, on a file the writer has created.
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{40, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setrlimit(RLIMIT_FSIZE, &small);
        auto status = ostrell::writeMtmFile(c.file, c.points, c.count, 2, 2, 0.0);
        setrlimit(RLIMIT_FSIZE, &limit);
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.error().find(c.reason), std::string::npos) << status.error();
        if (c.file.rfind(folder_.path(), 0) == 0) {
            EXPECT_FALSE(std::filesystem::exists(c.file));
        }
    }
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));

    ASSERT_TRUE(ostrell::writeMtmFile(path("empty.mtm"), &good, 0, 2, 2, 4.0).ok());
    EXPECT_EQ(readFile(path("empty.mtm")), craftHeader(0, 0, 2, 2, 4.0, 0));
    releaseRcsGrid(grid);
}

TEST(RcsGrid, IsOneZeroedBlockAndCopiesDeeply)
{
    TRcsValue** grid = allocateRcsGrid(3, 4);
    for (std::uint32_t a = 0; a < 3; ++a) {
        EXPECT_EQ(grid[a], grid[0] + 4 * a);
        for (std::uint32_t e = 0; e < 4; ++e)
            EXPECT_EQ(grid[a][e], TRcsValue());
    }
    grid[2][3] = {5, 6};
    TRcsValue** copy = copyRcsGrid(grid, 3, 4);
    EXPECT_EQ(copy[2][3], TRcsValue(5, 6));
    copy[2][3] = {7, 8};
    EXPECT_EQ(grid[2][3], TRcsValue(5, 6));
    releaseRcsGrid(copy);
    releaseRcsGrid(grid);

    TRcsValue** empty = allocateRcsGrid(0, 19);
    EXPECT_NE(empty, nullptr);
    releaseRcsGrid(empty);
    releaseRcsGrid(nullptr);
}

} // namespace
