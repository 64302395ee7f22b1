// The interactive start on the Qt platform (offscreen): the main window's
// creation runs without any question, takes the configured size and the
// title with the project named on the command line.
#include <gtest/gtest.h>

#include "app/configio.h"
#include "app/programidentity.h"
#include "app/qt/mainform_qt.h"
#include "app/menuhooks.h"
#include "app/startup.h"
#include "app/thh.h"
#include "app/windowplacement.h"
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "foundation/programsettings.h"
#include "graphics/graphfacade.h"
#include "graphics/qt/graphwindow_qt.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

#include <QMainWindow>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace platform;

namespace {

class QtStartup : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ResetFoundationState();
        InitProgramLoadDefaults();
        ResetConfigio();
        configio.FallbackDirs.clear();
        InitProgramIdentity();
        dir = fs::temp_directory_path() / ("qyr7_qtstart_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        wtelmvar.ConfigDir = dir.string() + "/";
        wtelmvar.DefaultDataDir = dir.string() + "/";
        telmvar.StartDir = dir.string();
    }
    void TearDown() override
    {
        ResetWinutil();
        fs::remove_all(dir);
    }
    fs::path dir;
};

} // namespace

TEST_F(QtStartup, TheWindowOpensSizedAndCaptionedWithoutAQuestion)
{
    PlatformQt qt;
    ScopedPlatform scope(qt);
    InstallQtScreenInfo(qt);
    startup.Interactive = true;
    // No configuration file: the screen rules give the pixels; the test
    // fixes them to see the window take them.
    const TStartOutcome outcome = ThhFormCreate(ParseCommandLine({"test.edi", "/E"}));
    ASSERT_FALSE(outcome.EndProcess);
    telmvar.ScreenPixelsX = 640;
    telmvar.ScreenPixelsY = 480;
    OpenMainForm(qt);
    QApplication::processEvents();
    EXPECT_TRUE(qt.QtMainWindow().Widget().isVisible());
    EXPECT_EQ(qt.MainWindow().ClientWidth(), 641);
    EXPECT_EQ(qt.MainWindow().ClientHeight(), 481);
    EXPECT_EQ(qt.MainWindow().Title(), "QYR7 - Radi Divivuzez Orude  -  test.edi");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The desktop answers the screen questions now.
    const TScreenInfo s = winutil.QueryScreen();
    EXPECT_GT(s.ScreenWidth, 0);
    EXPECT_EQ(s.ClientWidth, 641);
    qt.MainWindow().OnCloseQuery = [] { return true; };
    qt.MainWindow().Close();
    ThhFormDestroy();
    startup.Interactive = false;
}

// Opened with a project, the window shows the configured stage picture
// (result graphic 0: the sheet, view 10): its display list holds the sheet's
// blocks and replays onto the window.
TEST_F(QtStartup, AProjectOpensWithItsStageSheetInTheWindow)
{
    PlatformQt qt;
    ScopedPlatform scope(qt);
    InstallQtScreenInfo(qt);
    const auto graph = InstallGraphWindowQt(qt);
    startup.Interactive = true;
    const fs::path project = dir / "default.qy7";
    fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples" / "default.qy7", project);
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
    const TStartOutcome outcome = ThhFormCreate(ParseCommandLine({project.string()}));
    ASSERT_FALSE(outcome.EndProcess);
    ASSERT_TRUE(telmvar.ArchiveMode);
    InstallMenuCommands();
    telmvar.ScreenPixelsX = 640;
    telmvar.ScreenPixelsY = 480;
    wtelmvar.ResultGraphicMode = 0;
    hh.RefreshAfterChange();
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_GT(GraphFacade.DrawRecordList.size(), 1000u) << "the sheet with its tables and wheels";
    OpenMainForm(qt);
    graph->ReplayNow();
    QApplication::processEvents();
    const QImage shown = qt.QtMainWindow().ClientArea().grab().toImage();
    ASSERT_FALSE(shown.isNull());
    int inked = 0;
    const QRgb background = shown.pixel(0, 0);
    for (int y = 0; y < shown.height(); y += 4)
        for (int x = 0; x < shown.width(); x += 4)
            inked += shown.pixel(x, y) != background;
    EXPECT_GT(inked, 100) << "the sheet is drawn on the window";
    const std::string grab = (dir / "stage_sheet.png").string();
    shown.save(QString::fromStdString(grab));
    std::printf("grab of the stage sheet: %dx%d, %d inked samples\n", shown.width(), shown.height(), inked);
    qt.MainWindow().OnCloseQuery = [] { return true; };
    qt.MainWindow().Close();
    ThhFormDestroy();
    ResetMenuHooks();
    startup.Interactive = false;
}
