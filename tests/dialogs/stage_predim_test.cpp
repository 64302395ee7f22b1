// The predimensioning form: the reachable output speeds per shaft pair with
// i0 from the planets' chord limit, the range label, the OK rule, no range
// without planets, the "<" buttons and OK through the drive data step.
#include "common/testnames.h"
#include "dialogs/stage/predimform.h"
#include "dialogs/stage/radiogroup.h"
#include "stageforms_fixture.h"

#include <cmath>
#include <tuple>

namespace
{

using platform::DialogAction;

class PredimForm : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        GearPair.qp = 3;
        PlanetaryStage.DriveInputMode = 2; // torque computed
    }
    static void Shafts(TForm_qyr7vor& f, int in, int out)
    {
        f.Control(RadioButtonName("RadioGroup_antrieb", in)).Checked = true;
        f.Changed(RadioButtonName("RadioGroup_antrieb", in));
        f.Control(RadioButtonName("RadioGroup_abtrieb", out)).Checked = true;
        f.Changed(RadioButtonName("RadioGroup_abtrieb", out));
    }
};

// 3 planets: chord of 120 deg s = sqrt 3, i0 = -(3.25 s / (2 - s) + 1)
// = -(3.25 * 1.7320508 / 0.2679492 + 1) = -22.00833.
constexpr double I0 = -22.008330249;

TEST_F(PredimForm, RatioFromTheChordLimitOfThreePlanets)
{
    EXPECT_NEAR(static_cast<double>(PredimRangeRatio(3)), I0, 1e-8);
    EXPECT_EQ(PredimRangeRatio(0), 0);
}

struct RangeCase {
    const char* name;
    int in, out;
    double min, max; // n = 1000 /min
};

class PredimRange : public PredimForm, public ::testing::WithParamInterface<RangeCase>
{
};

TEST_P(PredimRange, ReachableOutputSpeeds)
{
    const RangeCase& c = GetParam();
    TForm_qyr7vor f;
    Shafts(f, c.in, c.out);
    EXPECT_NEAR(static_cast<double>(f.nOutMin), c.min, 0.01) << c.name;
    EXPECT_NEAR(static_cast<double>(f.nOutMax), c.max, 0.01) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Shafts, PredimRange,
                         ::testing::Values(RangeCase{"S to C", 0, 1, -5000, 1000 / (I0 + 1)}, // -47.60
                                           RangeCase{"S to H", 0, 2, 45, 900},      // -(1000 / i0) = 45.44
                                           RangeCase{"C to S", 1, 0, -21008, -200}, // (i0 + 1) 1000
                                           RangeCase{"C to H", 1, 2, 200, (I0 + 1) * 1000 / I0},  // 954.56
                                           RangeCase{"H to S", 2, 0, 1100, -1000 * I0},           // 22008.3
                                           RangeCase{"H to C", 2, 1, 1000 * I0 / (I0 + 1), 5000}, // 1047.60
                                           RangeCase{"same shaft", 1, 1, 0, 0}),
                         [](const auto& info) { return testnames::Identifier(info.param.name); });

TEST_F(PredimForm, SunToCarrierLabelAndOkRule)
{
    TForm_qyr7vor f; // S -> C, n 1000
    EXPECT_NEAR(static_cast<double>(f.nOutMax), -47.60, 0.005);
    // -5000 + 0.5 and -47.6 - 0.5, without decimals
    EXPECT_EQ(f.Control("Label_nmax").Caption, "-5000 < n < -48");
    f.Control("Edit_nabtr").Text = "0";
    f.Changed("Edit_nabtr");
    EXPECT_FALSE(f.Control("Button_ok").Enabled) << "output speed 0";
    f.Control("Edit_nabtr").Text = "-100";
    f.Changed("Edit_nabtr");
    EXPECT_TRUE(f.Control("Button_ok").Enabled);
    f.Control("Edit_nabtr").Text = "-40";
    f.Changed("Edit_nabtr");
    EXPECT_FALSE(f.Control("Button_ok").Enabled) << "above nOutMax";
    f.Control("Edit_nabtr").Text = "-5001";
    f.Changed("Edit_nabtr");
    EXPECT_FALSE(f.Control("Button_ok").Enabled) << "below nOutMin";
}

TEST_F(PredimForm, SameShaftLeavesTheRangeAtZeroAndOkOff)
{
    TForm_qyr7vor f;
    f.Control("Edit_nabtr").Text = "-100";
    f.Changed("Edit_nabtr");
    ASSERT_TRUE(f.Control("Button_ok").Enabled);
    Shafts(f, 0, 0);
    EXPECT_EQ(f.nOutMin, 0);
    EXPECT_EQ(f.nOutMax, 0);
    EXPECT_FALSE(f.Control("Button_ok").Enabled);
    EXPECT_EQ(f.Press("Button_ok"), DialogAction::None);
}

TEST_F(PredimForm, NoPlanetsNoRangeNoDivision)
{
    GearPair.qp = 0;
    TForm_qyr7vor f;
    f.Control("Edit_nabtr").Text = "-100";
    f.Changed("Edit_nabtr");
    EXPECT_EQ(f.nOutMin, 0);
    EXPECT_EQ(f.nOutMax, 0);
    EXPECT_FALSE(f.Control("Button_ok").Enabled);
    EXPECT_EQ(f.Control("Label_nmax").Caption.find("nan"), std::string::npos);
}

TEST_F(PredimForm, SpeedTooLargeForTheRangeGivesNone)
{
    TForm_qyr7vor f;
    f.Control("Edit_nantr").Text = "1.1e4932"; // just below the largest 80-bit value
    f.Changed("Edit_nantr");
    EXPECT_EQ(f.nOutMin, 0) << "-5 n overflows";
    EXPECT_EQ(f.nOutMax, 0);
    EXPECT_FALSE(f.Control("Button_ok").Enabled);
}

TEST_F(PredimForm, ProposalButtons)
{
    TForm_qyr7vor f;
    EXPECT_EQ(f.Press("Button_sicherheit"), DialogAction::None);
    EXPECT_EQ(f.Press("Button_b_mn"), DialogAction::None);
    EXPECT_EQ(f.Control("Edit_sicherheit").Text, "1");
    EXPECT_EQ(f.Control("Edit_b_mn").Text, "15");
    EXPECT_EQ(PlanetaryStage.PredimSafety, 0) << "a proposal is not stored";
}

// Safety 0 .. 100 and b/mn 0 or 1 .. 100 (0 takes the rules' 1 and 15): no stage has others, so they are
// refused with the range, and nothing is stored.
TEST_F(PredimForm, SafetyAndWidthRatioNoStageHasAreRefused)
{
    for (const auto& [edit, text, range] : {std::tuple{"Edit_sicherheit", "1e40", "0 .. 100"},
                                            {"Edit_sicherheit", "-1", "0 .. 100"},
                                            {"Edit_b_mn", "1e40", "0, 1 .. 100"},
                                            {"Edit_b_mn", "0.5", "0, 1 .. 100"}}) {
        TForm_qyr7vor f;
        f.Control("Edit_nabtr").Text = "-100"; // reachable: OK is open
        f.Changed("Edit_nabtr");
        f.Control(edit).Text = text;
        EXPECT_EQ(f.Press("Button_ok"), DialogAction::None) << text;
        EXPECT_EQ(hp.HeadlessMessages().AskedQuestions().back().Request.Text,
                  "Invalid Input \"" + std::string(text) + "\" ! Valid Data are: " + range + " !");
        EXPECT_EQ(PlanetaryStage.PredimSafety + PlanetaryStage.PredimBToMn, 0) << "nothing stored";
    }
}

TEST_F(PredimForm, OkStoresAndSetsTheDriveData)
{
    TForm_qyr7vor f;
    f.Control("Edit_nabtr").Text = "-100";
    f.Changed("Edit_nabtr");
    f.Press("Button_sicherheit");
    f.Press("Button_b_mn");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    const TPlanetaryStage& st = PlanetaryStage;
    EXPECT_EQ(st.PredimSafety, 1);
    EXPECT_EQ(st.PredimBToMn, 15);
    EXPECT_EQ(st.nIn, 1000);
    // The drive data step ran on the entered speeds: H held, nS 1000, nC
    // -100: i = 1000 / 100 and i0 = -(nS - nC) / (nC - nH) = 11.
    EXPECT_NEAR(static_cast<double>(st.i), 10, 1e-12);
    EXPECT_NEAR(static_cast<double>(st.i0), 11, 1e-12);
    EXPECT_EQ(PlanetaryShafts.InputShaft, 1);
    EXPECT_EQ(PlanetaryShafts.OutputShaft, 2);
}

} // namespace
