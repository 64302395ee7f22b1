// The meshing animation through the View menu with its settings form on the
// headless platform: the form of a mesh whose gear 1 has 21 teeth offers
// 360/21 = 17.14 deg each way, OK runs the animation with the form's
// values, Cancel or a plain close draws nothing and puts the outline
// settings back.
#include "app/maincommands.h"
#include "appfixture.h"

#include "dialogs/animation/animationforms.h"
#include "drawings/tooth/meshanimation.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "graphics/displaylist.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"

#include <string>

namespace
{

class MeshAnimationForm : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        InitProgramDefaults();
        SetDefaultInput();
        CalcPlanetaryStage();
        telmvar.TempDir = dir.string();
        InstallShellServices();
        GearPair.z[1] = 21;
        GearPair.InvolutePoints = 20;
        GearPair.FilletResolution = 30;
    }
    void TearDown() override { AppTest::TearDown(); }
    int Pauses() const
    {
        int n = 0;
        for (const auto& r : DisplayList.Records)
            n += ParseDisplayRecord(r).Kind == 13;
        return n;
    }
};

TEST_F(MeshAnimationForm, PrefilledWithOnePitchAndReadBackAfterOk)
{
    std::string wa, we;
    headless->HeadlessDialogs().QueueScript([&](platform::DialogModel& m) {
        EXPECT_EQ(m.FormName(), "TForm_qyr1ani");
        wa = m.Control("Edit_wa").Text;
        we = m.Control("Edit_we").Text;
        m.Control("Edit_anzbild").Text = "3";
        m.Control("Edit_ms").Text = "-20";
        m.Control("Edit_wa").Text = "1,5";
        m.Control("Edit_we").Text = "-1.5";
        return platform::DialogResult::Ok;
    });
    TMeshAnimationRequest got;
    ASSERT_TRUE(meshanimationservices.AskSettings);
    ASSERT_TRUE(meshanimationservices.AskSettings(got));
    EXPECT_EQ(wa, "17.14");
    EXPECT_EQ(we, "-17.14");
    EXPECT_EQ(got.Steps, 3);
    EXPECT_EQ(got.PauseMs, 0);
    EXPECT_DOUBLE_EQ(double(got.StartDeg), 1.5);
    EXPECT_DOUBLE_EQ(double(got.EndDeg), -1.5);
}

TEST_F(MeshAnimationForm, CancelOrCloseDrawsNothingAndRestores)
{
    for (platform::DialogResult r : {platform::DialogResult::Cancel}) {
        headless->HeadlessDialogs().QueueResult(r);
        DisplayList.Records.clear();
        AnimateMeshing();
        EXPECT_TRUE(telmvar.Aborted);
        EXPECT_EQ(Pauses(), 0);
        EXPECT_EQ(GearPair.InvolutePoints, 20);
        EXPECT_EQ(GearPair.FilletResolution, 30);
    }
    // The window's close button: the form's Escape, Aborted untouched.
    headless->HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        m.Press("Escape");
        return platform::DialogResult::Cancel;
    });
    AnimateMeshing();
    EXPECT_EQ(Pauses(), 0);
}

TEST_F(MeshAnimationForm, OkRunsTheAnimation)
{
    CalcGearPair();
    headless->HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        m.Control("Edit_anzbild").Text = "2";
        m.Control("Edit_ms").Text = "0";
        return platform::DialogResult::Ok;
    });
    DisplayList.Records.clear();
    AnimateMeshing();
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(Pauses(), 3);
}

} // namespace
