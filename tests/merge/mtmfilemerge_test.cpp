// A whole merge of files: what is read, in which order the models join, what is written and
// logged, and when the base's settings file is copied.

#include "mergefixtures.h"
#include "mtmfile.h"
#include "mtmfilemerge.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace mergetest;

TRcsValue byPoint(std::uint32_t p, std::uint32_t, std::uint32_t)
{
    return {double(p), 0.0};
}

class FileMerge : public ::testing::Test {
protected:
    // Writes a model of `points` points and returns its path.
    std::string model(const std::string& name, std::uint32_t points, double distance, std::int32_t przn = 0,
                      std::uint32_t countAz = 37, std::uint32_t countEl = 19)
    {
        TMtm mtm = makeModel(points, countAz, countEl, byPoint, distance, przn);
        const ModelGuard guard(mtm);
        writeModel(folder.file(name), mtm);
        return folder.file(name);
    }

    bool merge(const std::string& base, const std::vector<mtmmerge::AnchoredModels>& anchors)
    {
        return mtmmerge::mergeMtmFiles({output, base, anchors}, fileReader(), log);
    }

    TemporaryFolder folder;
    std::string output = folder.file("out/merged.mtm");
    RecordingLog log;
};

TEST_F(FileMerge, ModelsJoinInTheOrderOfTheirAnchorsAtTheLargestDistance)
{
    const std::string base = model("base.mtm", 2, 100.0);
    const std::string first = model("first.mtm", 1, 500.0, 0, 73, 37);
    const std::string second = model("second.mtm", 2, 200.0);
    writeText(folder.file("base.ini"), "{}");

    ASSERT_TRUE(merge(base, {{{1, 2, 3}, {first}}, {{-4, 0, 0}, {second}}}));
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             "Start merging MTM, base: " + base,
                             "Loaded base MTM: " + base,
                             "Loaded MTM: " + first,
                             "Loaded MTM: " + second,
                             "Successfully merged " + first,
                             "Successfully merged " + second,
                             "Merged mtm written to file " + output,
                         }));

    ostrell::MtmHeader header;
    auto read = ostrell::readMtmFile(output, &header);
    ASSERT_TRUE(read.ok()) << read.error();
    TMtm merged = std::move(read.value());
    const ModelGuard guard(merged);
    EXPECT_EQ(header.distance, 500.0);
    EXPECT_EQ(header.countAz, 37u) << "one grid, the base's, for every point";
    const double expected[][3] = {{0, 0, 0}, {1, 2, 3}, {1, 2, 3}, {-4, 0, 0}, {-3, 2, 3}};
    ASSERT_EQ(merged.points.size(), 5u);
    for (std::size_t p = 0; p < 5; ++p) {
        EXPECT_EQ(merged.points[p].x, expected[p][0]) << p;
        EXPECT_EQ(merged.points[p].y, expected[p][1]) << p;
        EXPECT_EQ(merged.points[p].z, expected[p][2]) << p;
    }
    EXPECT_EQ(merged.points[4].rcs[10][5], TRcsValue(1.0)) << "the second model's second point";
    EXPECT_EQ(readText(folder.file("out/merged.ini")), "{}") << "the settings file follows the base";
}

TEST_F(FileMerge, PrznStopsTheMergeBeforeAnythingIsWritten)
{
    const std::string base = model("base.mtm", 1, 10.0);
    const std::string flagged = model("flagged.mtm", 1, 10.0, 1);
    writeText(folder.file("base.ini"), "{}");

    EXPECT_FALSE(merge(base, {{{}, {base}}, {{}, {flagged}}}));
    EXPECT_EQ(log.lines.back(), "error: Error: Przn field must be 0 for both models " + base + " and " + flagged);
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_FALSE(std::filesystem::exists(folder.file("out/merged.ini")));
}

TEST_F(FileMerge, AnExistingSettingsFileIsLeftAsItIs)
{
    const std::string base = model("base.mtm", 1, 10.0);
    writeText(folder.file("base.ini"), "{\"base\": []}");
    std::filesystem::create_directory(folder.file("out"));
    writeText(folder.file("out/merged.ini"), "{\"mine\": []}");

    EXPECT_TRUE(merge(base, {{{}, {base}}}));
    EXPECT_EQ(readText(folder.file("out/merged.ini")), "{\"mine\": []}");
    ASSERT_EQ(log.debugLines.size(), 1u);
    EXPECT_NE(log.debugLines[0].find("out/merged.ini"), std::string::npos) << log.debugLines[0];
}

TEST_F(FileMerge, UnreadableFiles)
{
    const std::string base = model("base.mtm", 2, 10.0);
    const std::string missing = folder.file("missing.mtm");
    output = folder.file("merged.mtm");

    // A model that cannot be read adds nothing; the merge goes on and says so.
    EXPECT_TRUE(merge(base, {{{}, {missing}}, {{}, {base}}}));
    EXPECT_EQ(log.lines[2].rfind("error: Can't read " + missing + ": ", 0), 0u) << log.lines[2];
    EXPECT_EQ(log.lines[5], "Successfully merged ") << "the unread model's record has no path";
    TMtm merged = readModel(output);
    const ModelGuard guard(merged);
    EXPECT_EQ(merged.points.size(), 4u);

    // A base that cannot be read is an empty model without a path.
    log = {};
    EXPECT_FALSE(merge(missing, {{{}, {base}}}));
    EXPECT_EQ(log.lines.back(), "error: Error: Base model  is empty (cannot determine grid parameters)");
}

TEST_F(FileMerge, AFailedWriteIsReportedWithItsReason)
{
    const std::string base = model("base.mtm", 1, 10.0);
    output = folder.file("no such folder/merged.mtm"); // no settings file, so nobody makes the folder

    EXPECT_FALSE(merge(base, {{{}, {base}}}));
    ASSERT_GE(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[log.lines.size() - 2], "error: Can't save mtm to file " + output);
    EXPECT_NE(log.lines.back().find("No such file or directory"), std::string::npos) << log.lines.back();
}

} // namespace
