#include "filereplacement.h"
#include "hostilefiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace platform;

namespace {

std::string contentOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

unsigned modeOf(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

bool isLink(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

unsigned plainCreateMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

kalmeno::Status writeText(const std::string& path, const std::string& text, const std::string& suffix = {})
{
    return replaceFile(
        path, [&](FileReplacement& file) { return file.write(text.data(), text.size()); }, suffix);
}

TEST(FileReplacement, WritesNewAndExistingFilesKeepingTheirMode)
{
    HostileFolder folder;
    const std::string privateFile = folder.regular("private.mtm", "old", 0600);
    const std::string groupFile = folder.regular("group.csv", "old", 0640);
    const std::string target = folder.regular("target.png", "old", 0604);
    const std::string link = folder.link("link.png", "target.png");
    const std::string dangling = folder.link("dangling.csv", "made-through-link.csv");
    const std::string longName = folder.path(std::string(251, 'n') + ".mtm");
    const std::string rawName = folder.path("bytes-\xff\xfe.csv");

    const struct {
        std::string path;
        std::string written; // the file that must hold the new content
        unsigned mode;
    } cases[] = {
        {folder.path("new.csv"), folder.path("new.csv"), plainCreateMode()},
        {privateFile, privateFile, 0600},
        {groupFile, groupFile, 0640},
        {link, target, 0604},
        {dangling, folder.path("made-through-link.csv"), plainCreateMode()},
        {longName, longName, plainCreateMode()},
        {rawName, rawName, plainCreateMode()},
    };
    for (const auto& c : cases) {
        const auto written = writeText(c.path, "new content");
        ASSERT_TRUE(written) << c.path << ": " << written.error();
        EXPECT_EQ(contentOf(c.written), "new content") << c.path;
        EXPECT_EQ(modeOf(c.written), c.mode) << c.path;
    }
    EXPECT_TRUE(isLink(link)) << "the link stays a link";
    EXPECT_TRUE(isLink(dangling));
    EXPECT_EQ(folder.listing(),
              "bytes-\xff\xfe.csv dangling.csv group.csv link.png made-through-link.csv new.csv " +
                  std::string(251, 'n') + ".mtm private.mtm target.png")
        << "no temporary file stays behind";
}

TEST(FileReplacement, RefusesWhatIsNotARegularFileAndRemovesNothing)
{
    HostileFolder folder;
    const std::string fifo = folder.fifo("fifo.csv");
    struct Case {
        std::string path;
        std::string reason;
    };
    std::vector<Case> cases = {
        {fifo, "not a regular file (a FIFO)"},
        {folder.folder("folder.csv"), "not a regular file (a folder)"},
        {folder.socket("socket.csv"), "not a regular file (a socket)"},
        {folder.link("link-to-folder.csv", "folder.csv"), "not a regular file (a folder)"},
        {folder.path("missing/out.csv"), "No such file or directory"},
        {folder.link("loop.csv", "loop.csv"), "too many levels of symbolic links"},
    };
    // A device node is made only by root; root could otherwise replace /dev/null itself.
    if (const std::string device = folder.device("null.csv"); !device.empty())
        cases.push_back({device, "not a regular file (a device)"});
    const std::string before = folder.listing();
    for (const auto& c : cases) {
        const auto written = writeText(c.path, "new content");
        ASSERT_FALSE(written) << c.path;
        EXPECT_NE(written.error().find(c.reason), std::string::npos) << c.path << ": " << written.error();
    }
    EXPECT_EQ(folder.listing(), before);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path("folder.csv/inside")));
}

TEST(FileReplacement, AFailedFillLeavesTheOldFileAndNoTemporaryFile)
{
    HostileFolder folder;
    const std::string file = folder.regular("model.mtm", "precious", 0600);
    const auto failed = replaceFile(file, [](FileReplacement& replacement) {
        (void)replacement.write("partial", 7);
        return kalmeno::Status::failure("the disk is full");
    });
    EXPECT_EQ(failed.error(), "the disk is full");
    EXPECT_EQ(contentOf(file), "precious");
    EXPECT_EQ(folder.listing(), "model.mtm");
}

TEST(FileReplacement, PrefersTheSuffixedNameWhenItIsFreeAndFits)
{
    HostileFolder folder;
    const std::string file = folder.regular("model.mtm", "old");
    const std::string taken = folder.regular("taken.mtmsaving", "someone else's");
    const std::string longName = folder.path(std::string(251, 'x') + ".mtm");

    std::string used;
    auto remember = [&](FileReplacement& replacement) {
        used = replacement.temporaryPath();
        return replacement.write("new", 3);
    };
    ASSERT_TRUE(replaceFile(file, remember, "saving"));
    EXPECT_EQ(used, file + "saving");

    ASSERT_TRUE(replaceFile(folder.path("taken.mtm"), remember, "saving"));
    EXPECT_NE(used, taken);
    EXPECT_EQ(contentOf(taken), "someone else's") << "a file in the way is not ours";

    ASSERT_TRUE(replaceFile(longName, remember, "saving"));
    EXPECT_LE(std::filesystem::path(used).filename().string().size(), 255u);
    EXPECT_EQ(contentOf(longName), "new");
}

} // namespace
