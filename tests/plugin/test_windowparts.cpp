// The window's smaller parts: the host-text conversion, the About box, the menu bar that keeps
// the status bar text, and the shared constants.
#include "cdialogaboutprogram.h"
#include "custommenubar.h"
#include "mainwindowconstants.h"
#include "modelpalette.h"
#include "testapplication.h"
#include "windowworkdir.h"
#include "wstringtostring.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(WStringToString, OneCodePageBytePerCharacter)
{
    struct Case {
        std::wstring wide;
        std::string narrow;
    };
    const Case cases[] = {
        {L"", ""},
        {L"model.mtm", "model.mtm"},
        {L"C:/Модели/цель 1.mtm", "C:/\xCC\xEE\xE4\xE5\xEB\xE8/\xF6\xE5\xEB\xFC 1.mtm"},
        {L"Ёё№", "\xA8\xB8\xB9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.narrow, kalmeno::WStringToString(c.wide));
}

TEST(WStringToString, CharactersOutsideTheCodePageThrow)
{
    for (const std::wstring& text : {std::wstring(L"\u4E2D"), std::wstring(L"a\u00E9b"), std::wstring(1, wchar_t(0x1F600))}) {
        try {
            kalmeno::WStringToString(text);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ("error converting wstring to string", error.what());
        }
    }
}

class AboutDialogTest : public ::testing::Test {
protected:
    void SetUp() override { testApplication(); }
};

TEST_F(AboutDialogTest, ShowsTheStagedVersionAndThePlatform)
{
    WindowWorkDir workDir;
    QFile staged(QString(std::getenv("KALMENO_STAGE_DIR")) + "/Kalmeno/version.txt");
    ASSERT_TRUE(staged.open(QIODevice::ReadOnly));
    const QString version = QString::fromUtf8(staged.readAll()).trimmed();
    ASSERT_FALSE(version.isEmpty());

    CDialogAboutProgram dialog;
    EXPECT_EQ("Version " + version, dialog.findChild<QLabel*>("labelVersion")->text());
    EXPECT_EQ("Built for the " + QSysInfo::buildCpuArchitecture() + " platform",
              dialog.findChild<QLabel*>("labelPlatform")->text());
    EXPECT_EQ("Kalmeno", dialog.findChild<QLabel*>("labelName")->text());
    EXPECT_FALSE(dialog.windowIcon().isNull());
}

TEST_F(AboutDialogTest, VersionFileMissingOrOdd)
{
    WindowWorkDir workDir(false);
    {
        CDialogAboutProgram dialog;
        EXPECT_EQ("Version unknown", dialog.findChild<QLabel*>("labelVersion")->text());
    }
    QFile file("../Kalmeno/version.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("  2.3.4  \nsecond line\n");
    file.close();
    EXPECT_EQ("2.3.4", CDialogAboutProgram::readVersion("../Kalmeno/version.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100000, 'x'));
    file.close();
    EXPECT_EQ(255, CDialogAboutProgram::readVersion("../Kalmeno/version.txt").size());
}

TEST(CustomMenuBar, HoveringMenuEntriesKeepsTheStatusBarText)
{
    testApplication();
    struct Case {
        bool custom;
        const char* shown;
    };
    // A plain menu bar lets the tip through to the window's status bar; ours does not.
    for (const Case c : {Case{false, "Open a scene"}, Case{true, "Generating"}}) {
        QMainWindow window;
        QMenuBar* bar = c.custom ? new CustomMenuBar : new QMenuBar;
        window.setMenuBar(bar);
        window.statusBar()->showMessage("Generating");
        QStatusTipEvent tip("Open a scene");
        QApplication::sendEvent(bar, &tip);
        EXPECT_EQ(c.shown, window.statusBar()->currentMessage()) << c.custom;
    }
}

TEST(MainWindowConstants, PaletteAndDefaultSize)
{
    const QColor expected[] = {Qt::cyan, Qt::yellow, Qt::magenta, Qt::green, Qt::red,
                               Qt::darkYellow, Qt::blue, Qt::darkMagenta, Qt::darkRed, Qt::darkGreen};
    ASSERT_EQ(std::size(expected), bridge::modelPalette().size());
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(expected[i], bridge::modelPalette()[i]) << i;
    EXPECT_EQ(QSize(1600, 900), kalmeno::defaultWindowSize);
    EXPECT_EQ(Qt::CaseSensitive, kalmeno::regExpDecimal10().caseSensitivity());
}

} // namespace
