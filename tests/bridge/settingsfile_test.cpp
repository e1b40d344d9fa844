// The settings file next to an MTM: its name, its exact text and reading it back.

#include "hostilefiles.h"

#include <settingsfile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

namespace {

const char* const kDefaultAreaText = R"({
    "angleStep": [
        {
            "psi": 10,
            "teta": 10
        }
    ],
    "angles": [
        {
            "pitch": 0,
            "roll": 0,
            "yaw": 0
        }
    ],
    "countOfElements": [
        {
            "axisX": 10,
            "axisY": 10,
            "axisZ": 10
        }
    ],
    "polarAndDNA": [
        {
            "coefEllipt": 1.234568,
            "orientAngle": -0.5,
            "waveLength": 0.03
        }
    ],
    "position": [
        {
            "alt": 2980,
            "lat": 39.250498,
            "lon": -119.955377
        }
    ],
    "size": [
        {
            "x": 1000,
            "y": 1000,
            "z": 1000
        }
    ]
}
)";

std::string writeText(const std::string& path, const QByteArray& text)
{
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::WriteOnly);
    file.write(text);
    return path;
}

TEST(SettingsFileName, ReplacesTheExtensionOfTheFileName)
{
    const struct {
        const char* mtmPath;
        const char* settings;
    } cases[] = {
        {"C:/m/plane.mtm", "C:/m/plane.ini"},
        {"C:/m/plane.v2.mtm", "C:/m/plane.v2.ini"},
        {"C:/a.b/model", "C:/a.b/model.ini"},
        {"C:\\a.b\\model", "C:\\a.b\\model.ini"},
        {"model", "model.ini"},
        {"", ".ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bridge::settingsFileName(c.mtmPath), c.settings) << c.mtmPath;
}

TEST(SettingsDocument, IsTheIndentedSortedTextWithSixDecimals)
{
    TGenerationArea area;
    area.boxId = 17;
    area.coefEllipt = 1.23456789;
    area.orientAngle = -0.4999999;
    EXPECT_EQ(bridge::settingsDocument(area).toStdString(), kDefaultAreaText);
}

TEST(SettingsDocument, RoundsHalvesAwayFromZero)
{
    EXPECT_DOUBLE_EQ(bridge::roundToSixDecimals(0.0000005), 0.000001);
    EXPECT_DOUBLE_EQ(bridge::roundToSixDecimals(-0.0000005), -0.000001);
    EXPECT_DOUBLE_EQ(bridge::roundToSixDecimals(1.23456789), 1.234568);
    EXPECT_DOUBLE_EQ(bridge::roundToSixDecimals(-119.9553774), -119.955377);
}

TEST(SettingsFile, RoundTripsAnAreaExceptItsBox)
{
    QTemporaryDir dir;
    const std::string mtmPath = dir.filePath("tank.mtm").toStdString();
    TGenerationArea written;
    written.lat = 55.1234567;
    written.lon = 37.7654321;
    written.alt = 150.25;
    written.sizeX = 12.5;
    written.sizeY = 3.0;
    written.sizeZ = 4.75;
    written.yaw = 45.0;
    written.pitch = -2.5;
    written.roll = 1.0;
    written.countX = 4;
    written.countY = 5;
    written.countZ = 6;
    written.psiStep = 2.5;
    written.tetaStep = 5.0;
    written.coefEllipt = 0.25;
    written.orientAngle = 1.5;
    written.waveLength = 0.0086;
    bridge::WriteSettingsFile(written, mtmPath);
    ASSERT_TRUE(QFile::exists(dir.filePath("tank.ini")));

    TModelItem item;
    item.mtmPath = mtmPath;
    item.area.boxId = 3;
    ASSERT_TRUE(bridge::ReadSettingsFile(item));
    const TGenerationArea read = item.area;
    EXPECT_EQ(read.boxId, 3);
    EXPECT_DOUBLE_EQ(read.lat, 55.123457);
    EXPECT_DOUBLE_EQ(read.lon, 37.765432);
    EXPECT_DOUBLE_EQ(read.alt, 150.25);
    EXPECT_DOUBLE_EQ(read.sizeX, 12.5);
    EXPECT_DOUBLE_EQ(read.sizeY, 3.0);
    EXPECT_DOUBLE_EQ(read.sizeZ, 4.75);
    EXPECT_DOUBLE_EQ(read.yaw, 45.0);
    EXPECT_DOUBLE_EQ(read.pitch, -2.5);
    EXPECT_DOUBLE_EQ(read.roll, 1.0);
    EXPECT_EQ(read.countX, 4u);
    EXPECT_EQ(read.countY, 5u);
    EXPECT_EQ(read.countZ, 6u);
    EXPECT_DOUBLE_EQ(read.psiStep, 2.5);
    EXPECT_DOUBLE_EQ(read.tetaStep, 5.0);
    EXPECT_DOUBLE_EQ(read.coefEllipt, 0.25);
    EXPECT_DOUBLE_EQ(read.orientAngle, 1.5);
    EXPECT_DOUBLE_EQ(read.waveLength, 0.0086);
}

TEST(SettingsFile, WhatIsNotARegularFileIsNeitherReadNorReplaced)
{
    HostileFolder hostile;
    const std::string fifo = hostile.fifo("fifo.ini");
    const std::string folder = hostile.folder("folder.ini", true);
    std::vector<std::string> settings = {fifo, hostile.link("link.ini", "fifo.ini"), folder,
                                         hostile.socket("socket.ini"), hostile.link("zero.ini", "/dev/zero")};
    const std::string before = hostile.listing();
    for (const std::string& ini : settings) {
        TModelItem item;
        item.mtmPath = ini.substr(0, ini.size() - 4) + ".mtm";
        item.area.lat = 1.5;
        bool read = true;
        const bool returned =
            returnsWithin(10, [&] { read = bridge::ReadSettingsFile(item); }, [&] { releaseFifo(fifo); });
        EXPECT_TRUE(returned) << ini << " blocked the reader";
        EXPECT_FALSE(read) << ini;
        EXPECT_DOUBLE_EQ(item.area.lat, 1.5) << ini;
        if (ini == settings.back())
            continue; // /dev/zero is not ours to test writing on
        EXPECT_TRUE(returnsWithin(
            10, [&] { bridge::WriteSettingsFile(TGenerationArea{}, item.mtmPath); }, [&] { releaseFifo(fifo); }))
            << ini << " blocked the writer";
    }
    EXPECT_EQ(hostile.listing(), before) << "no temporary file is left";
    struct stat status {};
    EXPECT_TRUE(::lstat(fifo.c_str(), &status) == 0 && S_ISFIFO(status.st_mode));
    EXPECT_TRUE(::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode));
}

TEST(SettingsFile, ALinkIsWrittenThroughAndTheFileKeepsItsPermissions)
{
    HostileFolder hostile;
    const std::string real = hostile.regular("real.ini", "{}", 0600);
    hostile.link("tank.ini", "real.ini");
    bridge::WriteSettingsFile(TGenerationArea{}, hostile.path("tank.mtm"));
    struct stat status {};
    ASSERT_EQ(::lstat(hostile.path("tank.ini").c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    ASSERT_EQ(::stat(real.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    QFile file(QString::fromStdString(real));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bridge::settingsDocument(TGenerationArea{}));
}

TEST(SettingsFile, AWriteThatFailsLeavesTheOldFile)
{
    // A file size limit makes every write fail, for every user (root included); the settings
    // document is far longer than it allows.
    QTemporaryDir dir;
    const QString base = dir.filePath("tank");
    QFile old(base + ".ini");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old settings");
    old.close();

    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{16, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bridge::WriteSettingsFile(TGenerationArea{}, (base + ".mtm").toStdString());
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old settings"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(old).fileName()})
        << "nothing else is left behind";
}

TEST(SettingsFile, TheLongestNameAFileMayHaveIsWritten)
{
    // The temporary file beside it must fit the same limit of 255 bytes a name.
    QTemporaryDir dir;
    const std::string mtmPath = dir.filePath(QString(255 - 4, 'a') + ".mtm").toStdString();
    bridge::WriteSettingsFile(TGenerationArea{}, mtmPath);
    QFile written(QString::fromStdString(bridge::settingsFileName(mtmPath)));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), bridge::settingsDocument(TGenerationArea{}));
}

TEST(SettingsDocumentReading, SetsWhatItCanReadAndKeepsTheRest)
{
    const struct {
        const char* name;
        const char* json;
        bool read;
        double lat, sizeX, sizeY, sizeZ;
        std::uint32_t countX;
    } cases[] = {
        {"empty position array keeps the position", R"({"position": []})", true, 39.250498, 1000, 1000, 1000, 10},
        {"a lone size member zeroes the others", R"({"size": [{"x": 5}]})", true, 39.250498, 5, 0, 0, 10},
        {"only the first array element counts", R"({"size": [{"x": 1, "y": 2, "z": 3}, {"x": 9}]})", true,
         39.250498, 1, 2, 3, 10},
        {"unknown keys are ignored", R"({"colour": [{"x": 5}]})", true, 39.250498, 1000, 1000, 1000, 10},
        {"a string member keeps its field", R"({"position": [{"lat": "north", "lon": 1, "alt": 2}]})", true,
         39.250498, 1000, 1000, 1000, 10},
        {"a key that is no array is skipped", R"({"size": {"x": 5}})", true, 39.250498, 1000, 1000, 1000, 10},
        {"an element that is no object is skipped", R"({"size": [5]})", true, 39.250498, 1000, 1000, 1000, 10},
        {"a fractional count keeps its field", R"({"countOfElements": [{"axisX": 2.5}]})", true, 39.250498, 1000,
         1000, 1000, 10},
        {"a negative count keeps its field", R"({"countOfElements": [{"axisX": -3}]})", true, 39.250498, 1000,
         1000, 1000, 10},
        {"a whole count is taken", R"({"countOfElements": [{"axisX": 7, "axisY": 1, "axisZ": 1}]})", true,
         39.250498, 1000, 1000, 1000, 7},
        {"text that is no JSON changes nothing", "lat=5", false, 39.250498, 1000, 1000, 1000, 10},
        {"a truncated document changes nothing", R"({"size": [{"x": 5})", false, 39.250498, 1000, 1000, 1000,
         10},
        {"a top-level array changes nothing", R"([{"size": [{"x": 5}]}])", false, 39.250498, 1000, 1000, 1000,
         10},
    };
    for (const auto& c : cases) {
        TGenerationArea area;
        EXPECT_EQ(bridge::readSettingsDocument(c.json, area), c.read) << c.name;
        EXPECT_DOUBLE_EQ(area.lat, c.lat) << c.name;
        EXPECT_DOUBLE_EQ(area.sizeX, c.sizeX) << c.name;
        EXPECT_DOUBLE_EQ(area.sizeY, c.sizeY) << c.name;
        EXPECT_DOUBLE_EQ(area.sizeZ, c.sizeZ) << c.name;
        EXPECT_EQ(area.countX, c.countX) << c.name;
    }
}

TEST(SettingsFile, MissingOrDamagedFilesLeaveTheRowAsItWas)
{
    QTemporaryDir dir;
    TModelItem item;
    item.area.lat = 1.5;

    item.mtmPath = dir.filePath("absent.mtm").toStdString();
    EXPECT_FALSE(bridge::ReadSettingsFile(item));

    item.mtmPath = dir.filePath("damaged.mtm").toStdString();
    writeText(dir.filePath("damaged.ini").toStdString(), QByteArray("{\"position\": [{\"lat\": 9}]", 24));
    EXPECT_FALSE(bridge::ReadSettingsFile(item));

    item.mtmPath = dir.filePath("huge.mtm").toStdString();
    writeText(dir.filePath("huge.ini").toStdString(), "{\"position\": [{\"lat\": 9}]}" + QByteArray(3 << 20, ' '));
    EXPECT_FALSE(bridge::ReadSettingsFile(item));

    EXPECT_DOUBLE_EQ(item.area.lat, 1.5);
}

} // namespace
