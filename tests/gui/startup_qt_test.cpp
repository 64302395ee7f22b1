// The interactive start on the Qt platform (offscreen): the main window's
// creation runs without any question, takes the configured size and the
// title with the project named on the command line.
#include <gtest/gtest.h>

#include "app/configio.h"
#include "app/programidentity.h"
#include "app/qt/mainform_qt.h"
#include "app/startup.h"
#include "app/windowplacement.h"
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "foundation/programsettings.h"
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
