// Writing the merged model: its own Przn, one grid for all points, and never a half-written file.

#include "mergedmtmwriter.h"
#include "hostilefiles.h"
#include "mergefixtures.h"
#include "mtmfile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

namespace {

using namespace mergetest;

TRcsValue filled(std::uint32_t p, std::uint32_t a, std::uint32_t e)
{
    return {double(p), a + 0.5 * e};
}

TEST(MergedMtmWriter, WritesTheRecordWithItsOwnPrzn)
{
    TemporaryFolder folder;
    const struct {
        std::uint32_t points;
        std::int32_t przn;
        std::uint64_t bytes;
    } cases[] = {
        {3, 7, 24 + 3 * 24 + 3 * 5 * 4 * 16},
        {0, -2, 24},
    };
    for (const auto& c : cases) {
        TMtm mtm = makeModel(c.points, 5, 4, filled, 12.5, c.przn);
        const ModelGuard guard(mtm);
        const std::string path = folder.file("written.mtm");
        ASSERT_TRUE(mtmmerge::writeMergedMtm(mtm, path).ok());

        ostrell::MtmHeader header;
        auto read = ostrell::readMtmFile(path, &header);
        ASSERT_TRUE(read.ok()) << read.error();
        TMtm back = std::move(read.value());
        const ModelGuard backGuard(back);
        EXPECT_EQ(header.fileSize, c.bytes);
        EXPECT_EQ(back.Przn, c.przn);
        EXPECT_EQ(back.distance, 12.5);
        ASSERT_EQ(back.points.size(), c.points);
        if (c.points) {
            EXPECT_EQ(back.points[2].rcs[4][3], TRcsValue(2.0, 5.5));
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("")), {}), 1)
            << "no temporary file stays";
    }
}

TEST(MergedMtmWriter, RefusesPointsOnDifferentGrids)
{
    TemporaryFolder folder;
    const std::string path = folder.file("kept.mtm");
    writeText(path, "old");
    TMtm mtm = makeModel(2, 5, 4, filled);
    TMtm other = makeModel(1, 3, 4, filled);
    mtm.points.push_back(other.points.front());
    const ModelGuard guard(mtm);

    const auto written = mtmmerge::writeMergedMtm(mtm, path);
    EXPECT_FALSE(written.ok());
    EXPECT_EQ(written.error(), "point 2 has a grid of 3 x 4, the first point one of 5 x 4");
    EXPECT_EQ(readText(path), "old");
}

// Files may grow only to a few hundred bytes while it lives; writing past that fails (EFBIG).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(MergedMtmWriter, AWriteThatFailsPartWayKeepsTheExistingFile)
{
    TemporaryFolder folder;
    const std::string path = folder.file("merged.mtm");
    writeText(path, "the previous merge");
    TMtm mtm = makeModel(4, 37, 19, filled);
    const ModelGuard guard(mtm);

    kalmeno::Status written = kalmeno::Status::success();
    {
        const FileSizeLimit limit(500);
        written = mtmmerge::writeMergedMtm(mtm, path);
    }
    EXPECT_FALSE(written.ok());
    EXPECT_EQ(readText(path), "the previous merge");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("")), {}), 1)
        << "the partial temporary file is gone";
}

// The merged file is an output like any other: a link is written through, the old mode stays,
// and what is not a regular file is refused and left as it was.
TEST(MergedMtmWriter, ReplacesOnlyRegularFilesAndWritesThroughLinks)
{
    HostileFolder folder;
    TMtm mtm = makeModel(2, 5, 4, filled);
    const ModelGuard guard(mtm);

    const std::string target = folder.regular("target.mtm", "old", 0600);
    const std::string link = folder.link("link.mtm", target);
    ASSERT_TRUE(mtmmerge::writeMergedMtm(mtm, link).ok());
    struct stat linkInfo {};
    ASSERT_EQ(::lstat(link.c_str(), &linkInfo), 0);
    EXPECT_TRUE(S_ISLNK(linkInfo.st_mode)) << "the link stays a link";
    auto read = ostrell::readMtmFile(target);
    ASSERT_TRUE(read.ok()) << read.error();
    TMtm back = std::move(read.value());
    const ModelGuard backGuard(back);
    EXPECT_EQ(back.points.size(), 2u);
    struct stat targetInfo {};
    ASSERT_EQ(::stat(target.c_str(), &targetInfo), 0);
    EXPECT_EQ(targetInfo.st_mode & 07777, 0600u);

    const std::string refused[] = {folder.folder("folder.mtm", true), folder.fifo("fifo.mtm")};
    const std::string listing = folder.listing();
    for (const std::string& other : refused) {
        SCOPED_TRACE(other);
        EXPECT_FALSE(mtmmerge::writeMergedMtm(mtm, other).ok());
    }
    EXPECT_EQ(folder.listing(), listing) << "nothing made or removed";
}

} // namespace
