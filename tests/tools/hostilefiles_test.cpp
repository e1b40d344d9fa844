// The `mtm` program against what a hostile user puts where it expects a regular file: inputs it
// must refuse without blocking, outputs it must neither destroy nor write wrongly, and files large
// enough to show what a command holds in memory.

#include "hostilefiles.h"
#include "mtmfilebuilder.h"
#include "toolprocess.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

bool isFifo(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

bool isCharacterDevice(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISCHR(status.st_mode);
}

bool isLink(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

unsigned modeOf(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

TEST(HostileInput, WhatIsNotARegularFileIsRefusedWithoutBlocking)
{
    HostileFolder folder;
    const std::string fifo = folder.fifo("fifo.mtm");
    const struct {
        std::string path;
        std::string kind;
    } inputs[] = {
        {fifo, "a FIFO"},
        {folder.link("link-to-fifo.mtm", fifo), "a FIFO"},
        {folder.folder("folder.mtm"), "a folder"},
        {folder.socket("socket.mtm"), "a socket"},
        {"/dev/zero", "a device"},
    };
    const std::string out = folder.path("out");
    for (const auto& input : inputs) {
        const std::vector<std::string> calls[] = {
            {"info", input.path},          {"dump", input.path},
            {"verify", input.path},        {"convert", input.path, out},
            {"pattern", input.path, "--csv", out}, {"view", input.path, "--png", out},
        };
        for (const auto& call : calls) {
            const ToolRun run = runMtm(call);
            EXPECT_EQ(run.status, 1) << call[0] << ' ' << input.path << ": " << run.err;
            EXPECT_NE(run.err.find("cannot read " + input.path + ": "), std::string::npos) << run.err;
            EXPECT_NE(run.err.find("not a regular file (" + input.kind + ")"), std::string::npos) << run.err;
            EXPECT_FALSE(std::filesystem::exists(out)) << call[0];
        }
    }
    EXPECT_TRUE(isFifo(fifo));
}

// Every output of the tool goes through one policy; each writer is tried on each kind of target.
TEST(HostileOutput, OnlyRegularFilesAreReplacedKeepingTheirModeAndLinks)
{
    HostileFolder folder;
    const CraftedMtm model = CraftedMtm::regular(2, 3, 2);
    const std::string input = folder.path("model.mtm");
    writeFileBytes(input, model.bytes());
    const struct {
        const char* name;
        std::vector<std::string> arguments; // the output path follows
    } writers[] = {
        {"convert", {"convert", input}},
        {"pattern --csv", {"pattern", input, "--csv"}},
        {"pattern --png", {"pattern", input, "--png"}},
    };

    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.name);
        auto run = [&](const std::string& out) {
            std::vector<std::string> arguments = writer.arguments;
            arguments.push_back(out);
            return runMtm(arguments);
        };

        // Refused, and left as they were.
        const std::string emptyFolder = folder.folder("empty-folder", true);
        const std::string fifo = folder.fifo("fifo.out");
        const std::string device = folder.device("null.out"); // root only
        for (const auto& [target, kind] : {std::pair{emptyFolder, "a folder"}, std::pair{fifo, "a FIFO"},
                                           std::pair{device, "a device"}}) {
            if (target.empty())
                continue;
            const ToolRun refused = run(target);
            EXPECT_EQ(refused.status, 1) << target << ": " << refused.err;
            EXPECT_NE(refused.err.find("cannot write " + target + ": not a regular file (" + std::string(kind) + ")"),
                      std::string::npos)
                << refused.err;
        }
        EXPECT_TRUE(std::filesystem::is_directory(emptyFolder));
        EXPECT_TRUE(isFifo(fifo));
        if (!device.empty()) {
            EXPECT_TRUE(isCharacterDevice(device));
        }

        // Written: a new file, an existing private file, a link to one, names the system allows.
        const std::string privateFile = folder.regular("private.out", "old", 0600);
        const std::string linkTarget = folder.regular("target.out", "old", 0640);
        const std::string link = folder.link("link.out", "target.out");
        const std::string longName = folder.path(std::string(255, 'n'));
        const std::string rawName = folder.path("bytes-\xff\xfe.out");
        const struct {
            std::string out;
            std::string written;
            unsigned mode; // 0: whatever a plain create gives
        } targets[] = {
            {privateFile, privateFile, 0600}, {link, linkTarget, 0640}, {longName, longName, 0},
            {rawName, rawName, 0},
        };
        for (const auto& t : targets) {
            const ToolRun written = run(t.out);
            EXPECT_EQ(written.status, 0) << t.out << ": " << written.err;
            const std::string content = readFileBytes(t.written);
            EXPECT_GT(content.size(), 3u) << t.out;
            if (writer.arguments[0] == "convert") {
                EXPECT_EQ(content, model.bytes());
            }
            if (t.mode) {
                EXPECT_EQ(modeOf(t.written), t.mode) << t.out;
            }
        }
        EXPECT_TRUE(isLink(link)) << "the link stays a link";
        for (const auto& entry : std::filesystem::directory_iterator(folder.path("")))
            EXPECT_NE(entry.path().filename().string().front(), '.') << "a temporary file stayed: " << entry.path();
        for (const std::string& made : {emptyFolder, fifo, device, privateFile, linkTarget, link, longName, rawName})
            if (!made.empty())
                std::filesystem::remove(made);
    }
}

TEST(HostileOutput, AFailureLeavesEveryOtherOutputAsItWas)
{
    HostileFolder folder;
    const std::string input = folder.path("model.mtm");
    writeFileBytes(input, CraftedMtm::regular(2, 3, 2).bytes());
    const std::string empty = folder.path("empty.mtm");
    writeFileBytes(empty, CraftedMtm::regular(0, 3, 2).bytes());
    const std::string kept = folder.regular("kept.csv", "precious", 0600);
    const std::string emptyFolder = folder.folder("map.png", true);

    // The map is refused after the table was written: the table stays, the folder stays.
    ToolRun run = runMtm({"pattern", input, "--csv", folder.path("table.csv"), "--png", emptyFolder});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_TRUE(std::filesystem::is_directory(emptyFolder));
    EXPECT_GT(readFileBytes(folder.path("table.csv")).size(), 10u);

    // A model that has no pattern writes nothing over an existing file.
    run = runMtm({"pattern", empty, "--csv", kept});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(readFileBytes(kept), "precious");
    EXPECT_EQ(modeOf(kept), 0600u);
}

// A model of `points` points on a 2 x 2 grid, written block by block.
void writeLargeModel(const std::string& path, std::uint32_t points)
{
    std::ofstream file(path, std::ios::binary);
    const std::uint32_t header[4] = {0, points, 2, 2};
    const double distance = 10.0;
    file.write(reinterpret_cast<const char*>(header), sizeof header);
    file.write(reinterpret_cast<const char*>(&distance), sizeof distance);
    const std::vector<double> block(1 << 16, 0.5);
    for (std::uint64_t left = std::uint64_t(points) * (3 + 8); left > 0;) {
        const std::size_t now = std::min<std::uint64_t>(left, block.size());
        file.write(reinterpret_cast<const char*>(block.data()), std::streamsize(now * sizeof(double)));
        left -= now;
    }
}

TEST(LargeInput, StreamingCommandsHoldAFewMegabytesWhateverTheFileSize)
{
    HostileFolder folder;
    const std::string small = folder.path("small.mtm");
    const std::string large = folder.path("large.mtm"); // 32 MB
    writeLargeModel(small, 10);
    writeLargeModel(large, (32u << 20) / 88);
    const std::vector<std::string> commands[] = {
        {"verify"}, {"dump"}, {"dump", "--point", "5"}, {"pattern", "--csv", folder.path("pattern.csv")},
        {"convert", folder.path("converted.mtm")},
    };
    for (const auto& command : commands) {
        auto run = [&](const std::string& file) {
            std::vector<std::string> arguments{command[0], file};
            arguments.insert(arguments.end(), command.begin() + 1, command.end());
            return runMtm(arguments);
        };
        const ToolRun onSmall = run(small);
        const ToolRun onLarge = run(large);
        ASSERT_EQ(onLarge.status, 0) << command[0] << ": " << onLarge.err;
        EXPECT_LT(onLarge.peakKiB - onSmall.peakKiB, 8 * 1024)
            << command[0] << " holds more of a 32 MB file than its blocks";
    }
}

} // namespace
