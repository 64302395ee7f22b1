// The start-up picture on the Qt platform (offscreen): a GUI start with
// "start.plt" in the picture directory shows that picture in the main
// window, and a start without it shows the start logo.
#include <gtest/gtest.h>

#include "app/configio.h"
#include "app/programidentity.h"
#include "app/qt/mainform_qt.h"
#include "app/startup.h"
#include "app/windowplacement.h"
#include "common/tempdir.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/graphwindow.h"
#include "graphics/hpgl/hpglstate.h"
#include "graphics/hpgl/pltpicture.h"
#include "graphics/qt/graphwindow_qt.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"

#include <QImage>

#include <fstream>
#include <string>

using namespace platform;

namespace
{

// Screen colours of the picture's pen 6 (colour 13) and of the logo's inner
// frame (colour 11), as the default palette has them.
const QRgb kMagenta = qRgb(255, 0, 255);
const QRgb kCyan = qRgb(0, 255, 255);

int CountPixels(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
    return n;
}

// The longest run of pixels of the colour in one row.
int LongestRowRun(const QImage& image, QRgb colour)
{
    int best = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

class QtStartPicture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        InitProgramLoadDefaults();
        configio.FallbackDirs.clear();
        InitProgramIdentity();
        wtelmvar.ConfigDir = dir.Path() + "/";
        wtelmvar.DefaultDataDir = dir.Path() + "/";
        telmvar.StartDir = dir.Path();
    }
    void TearDown() override { startup.Interactive = false; }

    // Starts the program as its main routine does on a desktop and returns
    // what the main window shows.
    QImage StartAndGrab()
    {
        PlatformQt qt;
        ScopedPlatform scope(qt);
        InstallQtScreenInfo(qt);
        const auto graphWindow = InstallGraphWindowQt(qt);
        startup.Interactive = true;
        const TStartOutcome outcome = ThhFormCreate(ParseCommandLine({}));
        EXPECT_FALSE(outcome.EndProcess);
        telmvar.PltDir = dir.Path() + "/";
        startup.StartPictureFound = std::ifstream(dir.Path() + "/start.plt").good();
        if (startup.StartPictureFound) ShowPltPicture("start");
        OpenMainForm(qt);
        QApplication::processEvents();
        graphWindow->ReplayNow();
        QApplication::processEvents();
        const QImage shown = graphWindow->Picture().copy();
        qt.MainWindow().OnCloseQuery = [] { return true; };
        qt.MainWindow().Close();
        ThhFormDestroy();
        return shown;
    }

    testdirs::ScopedTempDir dir{"hpgl_start"};
};

TEST_F(QtStartPicture, StartPictureReplacesTheLogo)
{
    // A horizontal line across most of the 160 mm wide picture, and a box.
    std::ofstream(dir.Path() + "/start.plt", std::ios::binary)
        << "IN;SP6;PU400,2400;PD6000,2400;PU2000,1000;PD4000,1000,4000,2000,2000,2000,2000,1000;\r\n";
    const QImage shown = StartAndGrab();
    ASSERT_FALSE(shown.isNull());
    EXPECT_GT(LongestRowRun(shown, kMagenta), shown.width() / 2);
    EXPECT_EQ(CountPixels(shown, kCyan), 0);
}

TEST_F(QtStartPicture, WithoutStartPictureTheLogoIsShown)
{
    const QImage shown = StartAndGrab();
    ASSERT_FALSE(shown.isNull());
    EXPECT_GT(CountPixels(shown, kCyan), 100);
    EXPECT_EQ(CountPixels(shown, kMagenta), 0);
}

} // namespace
