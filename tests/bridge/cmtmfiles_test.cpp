// Opening .mtm files as rows and saving models over their files.

#include "hostilefiles.h"
#include "markersfixture.h"
#include "mtmfixtures.h"

#include <bridgestate.h>
#include <cmtmfiles.h>
#include <mtmsaving.h>
#include <settingsfile.h>

#include <hostlogger.h>
#include <mtmfile.h>
#include <rcsgrid.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace {

using Call = RecordingRender::Call;

class MtmFiles : public MarkersFixture {
protected:
    void SetUp() override
    {
        MarkersFixture::SetUp();
        bridge::bridgeState().hostLogger = &logger;
        logger.setEchoToStderr(false);
    }

    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

    bool logged(bool error, const std::string& text) const
    {
        for (const auto& line : logger.lines())
            if (line.error == error && line.text == "[Kalmeno] " + text)
                return true;
        return false;
    }

    // Adds a file through the bridge; the row it became is made current.
    void add(const std::string& file)
    {
        files.AddMTMFile(QString::fromStdString(file));
        window.currentRow = static_cast<int>(models.items().size()) - 1;
    }

    QTemporaryDir dir;
    quelmar::HostLogger logger;
    bridge::CMtmFiles files{models, window, markers, stagedOstrell()};
};

TEST_F(MtmFiles, AddedFilesTakeThePaletteInTurn)
{
    const char* const names[] = {"a.mtm", "b.mtm", "c.mtm"};
    for (const char* name : names) {
        writeMtm(path(name), 2);
        add(path(name));
    }
    ASSERT_EQ(models.rowCount(), 3);
    const float expected[3][3] = {{0, 1, 1}, {1, 1, 0}, {1, 0, 1}};
    for (int row = 0; row < 3; ++row) {
        const TMtm& mtm = models.items()[static_cast<std::size_t>(row)].mtm;
        for (int k = 0; k < 3; ++k) {
            EXPECT_FLOAT_EQ(mtm.color[k], expected[row][k]) << row;
            EXPECT_FLOAT_EQ(mtm.points[1].color[k], expected[row][k]) << row;
        }
        EXPECT_FLOAT_EQ(mtm.color[3], 1.0f);
    }
    EXPECT_EQ(window.modelsAddedCount, 3);
    EXPECT_EQ(render.host.markers().size(), 6u);
    EXPECT_EQ(window.panel.back(), QString("The MTM %1 file has been successfully read").arg(QString::fromStdString(path("c.mtm"))));
    EXPECT_TRUE(logged(false, "File " + path("c.mtm") + " is read"));
}

TEST_F(MtmFiles, AddedRowGetsItsBoxAndSettings)
{
    writeMtm(path("tank.mtm"), 3);
    TGenerationArea stored;
    stored.sizeX = 42.0;
    bridge::WriteSettingsFile(stored, path("tank.mtm"));
    window.boxes = false;
    add(path("tank.mtm"));

    ASSERT_EQ(models.rowCount(), 1);
    const TModelItem& row = models.items()[0];
    EXPECT_EQ(row.name, path("tank.mtm"));
    EXPECT_EQ(row.label, path("tank.mtm"));
    EXPECT_DOUBLE_EQ(row.area.sizeX, 42.0);
    EXPECT_EQ(row.area.boxId, 0);
    EXPECT_EQ(render.callsNamed("SetBoxState"), (std::vector<Call>{{"SetBoxState", 0, 1}}));
    const auto boxes = render.host.boxes();
    ASSERT_EQ(boxes.count(0), 1u);
    EXPECT_FLOAT_EQ(boxes.at(0).color[1], 0.784f);
    EXPECT_TRUE(logged(false, "File " + path("tank.ini") + " is read"));
}

TEST_F(MtmFiles, AFileWithoutSettingsKeepsTheDefaults)
{
    writeMtm(path("plain.mtm"), 1);
    add(path("plain.mtm"));
    ASSERT_EQ(models.rowCount(), 1);
    EXPECT_DOUBLE_EQ(models.items()[0].area.sizeX, 1000.0);
    EXPECT_TRUE(logged(true, "Can't read " + path("plain.ini")));
}

TEST_F(MtmFiles, AFileAlreadyListedIsRefusedWithAWarning)
{
    writeMtm(path("a.mtm"), 1);
    add(path("a.mtm"));
    add(path("a.mtm"));
    EXPECT_EQ(models.rowCount(), 1);
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0].title, "Kalmeno");
    EXPECT_EQ(window.warnings[0].text,
              "Couldn't add a new object. An MTM with that name already exists in the list.");

    add(dir.path().toStdString() + "//a.mtm");
    EXPECT_EQ(models.rowCount(), 2) << "another spelling of the path counts as another file";
}

TEST_F(MtmFiles, AFileOfTheWrongSizeIsRefusedWithItsMessage)
{
    writeMtm(path("bad.mtm"), 2);
    auto bytes = fileBytes(path("bad.mtm"));
    bytes.push_back('x');
    writeBytes(path("bad.mtm"), bytes);
    add(path("bad.mtm"));

    EXPECT_EQ(models.rowCount(), 0);
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0].title, "File open");
    EXPECT_EQ(window.warnings[0].text,
              QString("The file %1 could not be opened. It probably has the wrong format.")
                  .arg(QString::fromStdString(path("bad.mtm"))));
    EXPECT_TRUE(logged(true, "Error while loading MTM. Unable to read MTM"));
    EXPECT_TRUE(logged(false, "End of reading MTM file"));
    EXPECT_TRUE(logged(true, "Can't read " + path("bad.mtm")));
    EXPECT_TRUE(render.calls.empty()) << "no box for a refused file";
}

TEST_F(MtmFiles, WithoutRendererOrLibraryNothingIsAdded)
{
    writeMtm(path("a.mtm"), 1);
    bridge::bridgeState().render = nullptr;
    add(path("a.mtm"));
    EXPECT_EQ(models.rowCount(), 0);
    EXPECT_TRUE(window.warnings.empty());

    bridge::bridgeState().render = &render;
    files.setLibrary({});
    TMtm mtm;
    EXPECT_FALSE(files.ReadMTM(path("a.mtm"), &mtm));
    EXPECT_TRUE(logged(true, "Pointer of function getMTMFromFile Ostrell.dll is NULL"));
}

TEST_F(MtmFiles, AModelReadAgainKeepsItsColour)
{
    writeMtm(path("a.mtm"), 2);
    TMtm mtm;
    mtm.color[0] = 0.5f;
    mtm.color[3] = 0.5f;
    ASSERT_TRUE(files.ReadMTM(path("a.mtm"), &mtm));
    EXPECT_FLOAT_EQ(mtm.color[0], 0.5f);
    EXPECT_FLOAT_EQ(mtm.points[1].color[3], 0.5f);
    ostrell::releaseMtmGrids(mtm);
}

TEST_F(MtmFiles, ALegacyFileOpensAndIsSavedInTheCurrentLayout)
{
    writeLegacyMtm(path("old.mtm"), 2, 2, 3, 12.5);
    add(path("old.mtm"));
    ASSERT_EQ(models.rowCount(), 1);
    ASSERT_EQ(models.items()[0].mtm.points.size(), 2u);

    ASSERT_TRUE(files.saveModel(0));
    ostrell::MtmHeader header;
    auto reread = ostrell::readMtmFile(path("old.mtm"), &header);
    ASSERT_TRUE(reread.ok()) << reread.error();
    EXPECT_EQ(header.layout, ostrell::MtmLayout::Current);
    EXPECT_EQ(reread.value().points.size(), 2u);
    EXPECT_DOUBLE_EQ(reread.value().distance, 12.5);
    EXPECT_EQ(reread.value().points[1].rcs[1][2], TRcsValue(2, 2));
    ostrell::releaseMtmGrids(reread.value());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(bridge::temporarySaveName(path("old.mtm")))));
    EXPECT_TRUE(logged(false, "MTM saved to " + path("old.mtm")));
    EXPECT_EQ(window.status, "MTM is saved in " + QString::fromStdString(path("old.mtm")));
    EXPECT_EQ(window.statusTimeout, 5000);
}

TEST_F(MtmFiles, SavingRefusesRowsItCannotSave)
{
    models.appendItem(rowWithPoints(0, -1, ""));
    EXPECT_FALSE(files.saveModel(0)) << "a row without an MTM file is skipped silently";
    EXPECT_FALSE(files.saveModel(5));
    EXPECT_TRUE(window.warnings.empty());

    models.appendItem(rowWithPoints(0, -1, path("empty.mtm")));
    EXPECT_FALSE(files.saveModel(1));
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0].title, "Saving changes");
    EXPECT_EQ(window.warnings[0].text,
              QString(" Saving the MTM of the object \"%1\" is possible if there are 1 or more points!")
                  .arg(QString::fromStdString(path("empty.mtm"))));

    models.appendItem(rowWithPoints(1, -1, path("one.mtm")));
    files.setLibrary({});
    EXPECT_FALSE(files.saveModel(2));
    EXPECT_EQ(window.messageBoxes,
              QStringList{"The library function could not be called Ostrell.dll . Saving the MTM is not possible."});
    EXPECT_TRUE(logged(true, "Pointer of function saveMTM Ostrell.dll is NULL"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("one.mtm"))));
}

// Writes half of a model and then fails, as a full disk would.
bool saveThatBreaksOff(const std::string& path, TMtmSavePoint*, std::uint32_t*, std::uint32_t*, std::uint32_t*,
                       double*)
{
    std::ofstream(path, std::ios::binary) << "partial";
    return false;
}

TEST_F(MtmFiles, AnInterruptedSaveLeavesTheOldFileByteIdentical)
{
    writeMtm(path("keep.mtm"), 3);
    add(path("keep.mtm"));
    const auto before = fileBytes(path("keep.mtm"));
    models.items()[0].mtm.points[0].x = 99.0;

    const struct {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"the library breaks off", [&] { files.setLibrary({stagedOstrell().getMTM, &saveThatBreaksOff, nullptr}); }},
    };
    for (const auto& c : cases) {
        window.criticals.clear();
        window.status.clear();
        c.arrange();
        EXPECT_FALSE(files.saveModel(0)) << c.name;
        EXPECT_EQ(fileBytes(path("keep.mtm")), before) << c.name;
        EXPECT_TRUE(window.status.isEmpty()) << c.name << ": no success message";
        ASSERT_EQ(window.criticals.size(), 1u) << c.name;
        EXPECT_EQ(window.criticals[0].title, "Error!");
        EXPECT_EQ(window.criticals[0].text,
                  QString("An error occurred while saving the MTM object \"%1\"").arg(QString::fromStdString(path("keep.mtm"))));
        EXPECT_EQ(window.panel.back(),
                  QString("An error occurred while saving MTM %1").arg(QString::fromStdString(path("keep.mtm"))));
    }
    EXPECT_TRUE(logged(true, "Error in function saveMTM"));

    // A folder under the temporary name is not ours: the save takes a name of its own instead.
    QDir(dir.path()).mkdir("keep.mtmsaving");
    files.setLibrary(stagedOstrell());
    EXPECT_TRUE(files.saveModel(0));
    EXPECT_TRUE(QDir(dir.filePath("keep.mtmsaving")).exists()) << "a folder in the way is not ours to remove";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"keep.mtm", "keep.mtmsaving"}))
        << "no temporary file stays behind";
}

TEST_F(MtmFiles, SavingWritesThroughALinkAndKeepsThePermissions)
{
    writeMtm(path("real.mtm"), 2);
    ::chmod(path("real.mtm").c_str(), 0640);
    ASSERT_EQ(::symlink("real.mtm", path("link.mtm").c_str()), 0);
    add(path("link.mtm"));
    ASSERT_EQ(models.rowCount(), 1);
    models.items()[0].mtm.points[1].x = 42.0;

    ASSERT_TRUE(files.saveModel(0));
    struct stat status {};
    ASSERT_EQ(::lstat(path("link.mtm").c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode)) << "the link stays a link";
    ASSERT_EQ(::stat(path("real.mtm").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u) << "the file keeps its permissions";
    auto reread = ostrell::readMtmFile(path("real.mtm"));
    ASSERT_TRUE(reread.ok()) << reread.error();
    EXPECT_EQ(reread->points[1].x, 42.0);
    ostrell::releaseMtmGrids(reread.value());
}

TEST_F(MtmFiles, SavingRefusesWhatIsNotARegularFile)
{
    HostileFolder hostile;
    std::vector<std::string> targets = {hostile.fifo("fifo.mtm"), hostile.folder("folder.mtm", true)};
    if (const std::string device = hostile.device("null.mtm"); !device.empty())
        targets.push_back(device); // only root can make one, and root could replace /dev/null
    const std::string before = hostile.listing();
    for (const std::string& target : targets) {
        window.criticals.clear();
        TModelItem row = rowWithPoints(1, -1, target);
        row.mtm.points[0].rcs = allocateRcsGrid(1, 1);
        row.mtm.points[0].countAz = row.mtm.points[0].countEl = 1;
        models.appendItem(row);
        EXPECT_FALSE(files.saveModel(models.rowCount() - 1)) << target;
        EXPECT_EQ(window.criticals.size(), 1u) << target;
    }
    EXPECT_EQ(hostile.listing(), before) << "no temporary file is left";
    struct stat status {};
    EXPECT_TRUE(::lstat(targets[0].c_str(), &status) == 0 && S_ISFIFO(status.st_mode)) << "the FIFO stays a FIFO";
    EXPECT_TRUE(logged(true, "cannot save " + targets[0] + ": not a regular file (a FIFO)"));
}

TEST(MtmSaving, ARenameThatFailsRemovesTheTemporaryFile)
{
    QTemporaryDir dir;
    TMtm mtm;
    // The target is a folder with content: the rename over it fails.
    mtm.path = dir.filePath("folder.mtm").toStdString();
    QDir(dir.path()).mkpath("folder.mtm/inside");
    mtm.points.resize(1);
    mtm.points[0].rcs = allocateRcsGrid(1, 1);
    mtm.points[0].countAz = 1;
    mtm.points[0].countEl = 1;
    const auto saved = bridge::saveMtmReplacing(stagedOstrell().saveMTM, mtm);
    releaseRcsGrid(mtm.points[0].rcs);
    EXPECT_FALSE(saved.ok());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(bridge::temporarySaveName(mtm.path))));
    EXPECT_TRUE(QDir(dir.filePath("folder.mtm/inside")).exists());
}

} // namespace
