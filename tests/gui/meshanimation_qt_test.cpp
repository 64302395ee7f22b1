// The meshing animation recorded on the screen device and replayed by the
// Qt graphics window offscreen: every frame is shown at its pause, and the
// window after the replay holds the last position.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "../common/tempdir.h"
#include "drawings/tooth/meshanimation.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/geometry/calcgearpair.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "graphics/graphfacade.h"
#include "graphics/graphmapping.h"
#include "graphics/graphsettings.h"
#include "graphics/graphwindow.h"
#include "graphics/qt/graphwindow_qt.h"
#include "planetary/meshtransfer.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"
#include "reports/textview/printsettings.h"

using namespace platform;

namespace
{

class MeshAnimationQtTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        dir_ = testdirs::MakeTempDir("meshanimqt");
        qt_ = std::make_unique<PlatformQt>();
        scope_ = std::make_unique<ScopedPlatform>(*qt_);
        binding_ = InstallGraphWindowQt(*qt_);
        graphmapping.PixelAspect = 1;
        telmvar.ScreenPixelsX = 640;
        telmvar.ScreenPixelsY = 480;
        qt_->MainWindow().SetClientSize(641, 481);
        qt_->MainWindow().Show();
        QApplication::processEvents();
        qt_->QtMainWindow().ClientArea().resize(641, 481);
    }
    void TearDown() override
    {
        binding_.reset();
        scope_.reset();
        qt_.reset();
        testdirs::RemoveTempDir(dir_);
    }
    std::string dir_;
    std::unique_ptr<PlatformQt> qt_;
    std::unique_ptr<ScopedPlatform> scope_;
    std::unique_ptr<GraphWindowQt> binding_;
};

TEST_F(MeshAnimationQtTest, RecordedFramesReplayInTheWindow)
{
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    telmvar.TempDir = dir_;
    telmvar.ScreenPixelsX = 640;
    telmvar.ScreenPixelsY = 480;
    LoadMesh(mSPi);
    CalcGearPair();
    meshanimationservices.AskSettings = [](TMeshAnimationRequest& R) {
        R.Steps = 4;
        R.PauseMs = 1;
        return true;
    };
    AnimateMeshing();
    ASSERT_FALSE(telmvar.Aborted);
    QWidget& area = qt_->QtMainWindow().ClientArea();
    // The replay the recording asked for runs first; the one counted is
    // the next.
    QApplication::processEvents();
    int frames = 0;
    const auto pause = FTelmgra.OnPause;
    FTelmgra.OnPause = [&](int32_t ms) {
        pause(ms);
        ++frames;
    };
    binding_->ReplayNow();
    ASSERT_FALSE(binding_->ReplayScheduled());
    const QImage last = area.grab().toImage();
    EXPECT_EQ(frames, 5) << "n + 1 frames with their pauses";
    const QColor background = last.pixelColor(0, 0);
    int drawn = 0;
    for (int y = 0; y < last.height(); ++y)
        for (int x = 0; x < last.width(); ++x)
            drawn += last.pixelColor(x, y) != background;
    EXPECT_GT(drawn, 500) << "the last position stays visible";
}

} // namespace
