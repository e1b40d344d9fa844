#include "hostilefiles.h"
#include "regularfile.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(RegularFile, ReadsRegularFilesAndLinksToThem)
{
    HostileFolder folder;
    const std::string file = folder.regular("settings.ini", "abc");
    const std::string viaLink = folder.link("link.ini", file);
    for (const std::string& path : {file, viaLink}) {
        auto content = readRegularFile(path, 3);
        ASSERT_TRUE(content) << content.error();
        EXPECT_EQ(content.value(), "abc");
    }
    EXPECT_TRUE(readRegularFile(folder.regular("empty", ""), 0));
}

TEST(RegularFile, RefusesWhatIsNotARegularFileWithoutBlocking)
{
    HostileFolder folder;
    const std::string fifo = folder.fifo("fifo.mtm");
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {fifo, "not a regular file (a FIFO)"},
        {folder.link("link-to-fifo.mtm", fifo), "not a regular file (a FIFO)"},
        {folder.folder("folder.mtm"), "not a regular file (a folder)"},
        {folder.socket("socket.mtm"), "not a regular file (a socket)"},
        {"/dev/null", "not a regular file (a device)"},
        {folder.path("missing.mtm"), "No such file or directory"},
        {folder.link("dangling.mtm", "nowhere"), "No such file or directory"},
        {folder.regular("big.ini", std::string(11, 'x')), "larger than 10 bytes (11)"},
    };
    for (const auto& c : cases) {
        std::string reason;
        const bool returned = returnsWithin(
            10, [&] { reason = readRegularFile(c.path, 10).error(); }, [&] { releaseFifo(fifo); });
        EXPECT_TRUE(returned) << c.path << " blocked the reader";
        EXPECT_EQ(reason, c.reason) << c.path;
    }
}

} // namespace
