// The settings file of a merged model: named as the window looks for it, copied from the base,
// never over an existing one.

#include "mergefixtures.h"
#include "settingsfilecopy.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace mergetest;

TEST(SettingsFileCopy, NameReplacesTheLastSuffixOfTheFileName)
{
    const struct {
        std::string mtm;
        std::string ini;
    } cases[] = {
        {"C:/m/plane.mtm", "C:/m/plane.ini"},
        {"/m/convoy.v2.mtm", "/m/convoy.v2.ini"},
        {"/m.d/model", "/m.d/model.ini"}, // a dot in a folder name is not a suffix
        {"plane.mtm", "plane.ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mtmmerge::settingsFilePathOf(c.mtm), c.ini) << c.mtm;
}

TEST(SettingsFileCopy, CopiesIntoANewFolderButNeverOverAnExistingFile)
{
    TemporaryFolder folder;
    RecordingLog log;
    const std::string base = folder.file("base.mtm");
    const std::string output = folder.file("new/deeper/merged.mtm");

    EXPECT_FALSE(mtmmerge::copySettingsFile(base, output, log)) << "the base has no settings file";
    EXPECT_FALSE(std::filesystem::exists(folder.file("new")));

    writeText(folder.file("base.ini"), "base settings");
    EXPECT_TRUE(mtmmerge::copySettingsFile(base, output, log));
    EXPECT_EQ(readText(folder.file("new/deeper/merged.ini")), "base settings");

    writeText(folder.file("base.ini"), "changed settings");
    EXPECT_FALSE(mtmmerge::copySettingsFile(base, output, log));
    EXPECT_EQ(readText(folder.file("new/deeper/merged.ini")), "base settings");
    EXPECT_EQ(log.debugLines.size(), 2u) << "each refusal says why, for developers only";
    EXPECT_TRUE(log.lines.empty());
}

} // namespace
