// The dimensions form: store rules, pitch and module steps, tooth-number
// stepping under the assembly condition, the effective face widths shown
// while typing, and open/Cancel leaving every record as it was.
#include "dialogs/gear/dimensionsform.h"
#include "dialogs/gear/facewidthform.h"
#include "stageforms_fixture.h"

#include <cstring>
#include <functional>
#include <tuple>

namespace
{

using platform::DialogAction;

class GearDimensions : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        TPlanetaryGears& g = PlanetaryGears;
        GearPair.mn = 2;
        GearPair.alpha = 20;
        GearPair.qp = 3;
        const int z[] = {24, 20, 22, -90};
        for (int i = 1; i <= 4; ++i) {
            g.z[i] = z[i - 1];
            g.b[i] = 30;
        }
        g.ToothAlignment[1] = 1;
    }
};

bool SameRecords(const TPlanetaryGears& a, const TGearPairData& pa)
{
    return std::memcmp(&a.b, &PlanetaryGears.b, sizeof a.b) == 0 &&
           std::memcmp(&a.b_effH, &PlanetaryGears.b_effH, sizeof a.b_effH) == 0 &&
           std::memcmp(&a.z, &PlanetaryGears.z, sizeof a.z) == 0 &&
           std::memcmp(&a.x, &PlanetaryGears.x, sizeof a.x) == 0 &&
           std::memcmp(&a.bcha, &PlanetaryGears.bcha, sizeof a.bcha) == 0 &&
           std::memcmp(&a.b_effF, &PlanetaryGears.b_effF, sizeof a.b_effF) == 0 &&
           SameBits(pa.mn, GearPair.mn) && SameBits(pa.alpha, GearPair.alpha) &&
           SameBits(pa.b_effH, GearPair.b_effH) && std::memcmp(&pa.b, &GearPair.b, sizeof pa.b) == 0 &&
           pa.qp == GearPair.qp;
}

TEST_F(GearDimensions, StoreRules)
{
    struct {
        const char* edit;
        const char* text;
        std::function<bool()> holds;
        const char* what;
    } cases[] = {
        {"Edit_alpha", "0", [] { return GearPair.alpha == 20; }, "pressure angle 0 stores 20"},
        {"Edit_b2", "0", [] { return PlanetaryGears.b[gPi] == 45; }, "b 0 stores 15 x the typed mn 3"},
        {"Edit_b3", "-1", [] { return PlanetaryGears.b[gPe] == 45; }, "negative b stores 15 x mn"},
        {"Edit_z4", "100", [] { return PlanetaryGears.z[gH] == -100; }, "a positive ring number is negated"},
        {"SpinEdit_q", "0", [] { return GearPair.qp == 3; }, "q 0 stores 3"},
        {"ComboBox_flankricht", "free", [] { return PlanetaryGears.ToothAlignment[1] == 3; },
         "alignment by item"},
    };
    for (const auto& c : cases) {
        SetUp();
        TForm_qyr7geo f;
        f.Control("Edit_mn").Text = "3";
        f.Control(c.edit).Text = c.text;
        ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept) << c.what;
        EXPECT_TRUE(c.holds()) << c.what;
    }
}

TEST_F(GearDimensions, CancelAndUntouchedOkLeaveTheRecordsBitForBit)
{
    PlanetaryGears.b[gS] = 30.123456789L;
    PlanetaryGears.x[gPi] = 0.123456789L;
    GearPair.mn = 2.0000001L;
    const TPlanetaryGears before = PlanetaryGears;
    const TGearPairData pairBefore = GearPair;
    {
        TForm_qyr7geo f;
        f.Control("Edit_b1").Text = "12";
        f.Changed("Edit_b1");
        EXPECT_TRUE(SameRecords(before, pairBefore)) << "a keystroke writes nothing";
        EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
    }
    EXPECT_TRUE(SameRecords(before, pairBefore));
}

TEST_F(GearDimensions, TipReductionShowsSixSignificantDigits)
{
    PlanetaryGears.kmn[3] = 0.123456L;
    EXPECT_EQ(TForm_qyr7geo().Control("Edit_kmn3").Text, "0.123456");
}

TEST_F(GearDimensions, PitchAndModule)
{
    TForm_qyr7geo f;
    f.Control("Edit_pitch").Text = "10";
    f.Changed("Edit_pitch");
    EXPECT_EQ(f.Control("Edit_mn").Text, "2.54");
    f.Control("Edit_pitch").Text = "0";
    f.Changed("Edit_pitch");
    EXPECT_EQ(f.Control("Edit_mn").Text, "2.54") << "pitch 0 leaves mn";
    f.Control("Edit_mn").Text = "0";
    f.Changed("Edit_mn");
    EXPECT_EQ(f.Control("Edit_pitch").Text, "0") << "mn 0 leaves the pitch";
    const struct {
        const char* from;
        const char* button;
        const char* to;
    } steps[] = {{"2.2", "SpinButton_mnDown", "2"}, {"2", "SpinButton_mnUp", "2.5"}};
    for (const auto& s : steps) {
        f.Control("Edit_mn").Text = s.from;
        f.Press(s.button);
        EXPECT_EQ(f.Control("Edit_mn").Text, s.to) << s.from << " " << s.button;
    }
}

TEST_F(GearDimensions, TeethSteppingKeepsThePlanetsAssembled)
{
    TForm_qyr7geo f;
    f.Control("Edit_z1").Text = "60";
    f.Control("Edit_z4").Text = "-100";
    f.Control("SpinEdit_q").Text = "4";
    f.Press("SpinButton1Down");
    EXPECT_EQ(f.Control("Edit_z1").Text, "56") << "(100 - 56) / 4 = 11";
    f.Control("Edit_z1").Text = "60";
    f.Press("SpinButton4Up");
    EXPECT_EQ(f.Control("Edit_z4").Text, "-104");
    EXPECT_EQ(GearPair.qp, 4) << "the stepping stores q at once";
    f.Control("SpinEdit_q").Text = "0";
    f.Press("SpinButton1Up");
    EXPECT_EQ(f.Control("Edit_z1").Text, "60") << "no planets, no stepping";
}

TEST_F(GearDimensions, InchFaceWidthProposalAndEffectiveWidths)
{
    wtelmvar.UnitSystem = 1;
    TForm_qyr7geo f;
    f.Control("Edit_mn").Text = "0.1";
    f.Press("Button_b12");
    for (const char* e : {"Edit_b1", "Edit_b2", "Edit_b3", "Edit_b4"})
        EXPECT_EQ(f.Control(e).Text, "1.5000") << e;
    EXPECT_EQ(f.Control("Edit_b01").Text, "1.5000") << "equal widths, no offset: b eff = b";
    f.Control("Edit_b2").Text = "1";
    f.Changed("Edit_b2");
    EXPECT_EQ(f.Control("Edit_b01").Text, "1.0000") << "the narrower gear of the mesh";
    EXPECT_EQ(f.Control("Edit_b03").Text, "1.5000");
}

TEST_F(GearDimensions, FaceWidthDialogWritesOnlyOnOk)
{
    PlanetaryGears.bctr[mSPi] = 1.23456789L;
    GearPair.mn = 3;
    const TPlanetaryGears before = PlanetaryGears;
    const TGearPairData pairBefore = GearPair;
    {
        TForm_qyr7beff f;
        EXPECT_EQ(f.Caption(), "QYR7  beff.");
        EXPECT_FALSE(f.Control("Edit_mv1").Visible);
        f.Press("Button_fase");
        EXPECT_EQ(f.Control("Edit_fase4").Text, "3");
        EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
    }
    EXPECT_TRUE(SameRecords(before, pairBefore)) << "Cancel writes nothing";
    EXPECT_TRUE(SameBits(PlanetaryGears.bctr[mSPi], 1.23456789L));
    TForm_qyr7beff f;
    f.Control("Edit_b1").Text = "0";
    f.Control("Edit_b2").Text = "20";
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(PlanetaryGears.b[gS], 0) << "0 typed here stays 0";
    EXPECT_TRUE(SameBits(PlanetaryGears.bctr[mSPi], 1.23456789L)) << "hidden offsets pass through";
    EXPECT_EQ(PlanetaryGears.b_effH[mPiPe], 20) << "Pi 20 against Pe 30, no offset";
}

TEST_F(GearDimensions, InchChamferProposal)
{
    wtelmvar.UnitSystem = 1;
    GearPair.mn = 3;
    TForm_qyr7beff f;
    f.Press("Button_fase");
    EXPECT_EQ(f.Control("Edit_fase1").Text, "0.1181");
}

} // namespace

namespace
{

TEST_F(GearDimensions, MinimumShiftIsOfTheTypedGeometry)
{
    // Nothing calculated yet: the stored minimum shift is 0. A 10-tooth
    // spur sun at 20 degrees, with the practical limit of 5/6 of the
    // theoretical one: x >= 5/6 - (10 / 2) sin^2 20 = 0.2484.
    TForm_qyr7geo f;
    f.Control("Edit_z1").Text = "10";
    f.Control("Edit_beta").Text = "0";
    f.Press("Button_x1min");
    EXPECT_EQ(f.Control("Edit_x1").Text, "0.248");
}

TEST_F(GearDimensions, UntouchedOkKeepsTheTypedRecords)
{
    PlanetaryGears.b[gS] = 30.123456789L;
    PlanetaryGears.dB[gPi] = 12.3456789L;
    TForm_qyr7geo f;
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_TRUE(SameBits(PlanetaryGears.b[gS], 30.123456789L));
    EXPECT_TRUE(SameBits(PlanetaryGears.dB[gPi], 12.3456789L));
    EXPECT_EQ(PlanetaryGears.z[gH], -90);
}

TEST_F(GearDimensions, ModuleAndTeethWithoutAStageAreRefusedByName)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // message "": taken
        {"Edit_mn", "0.5", ""},
        {"Edit_mn", "-3", "Normal module mn: Invalid Input \"-3\" !"},
        {"Edit_mn", "0", "Normal module mn: Invalid Input \"0\" !"},
        {"Edit_z4", " 0 ", "Number of teeth z H: Invalid Input \"0\" !"}};
    const auto& asked = hp.HeadlessMessages().AskedQuestions();
    for (const auto& [edit, text, message] : cases) {
        SetUp();
        TForm_qyr7geo f;
        f.Control(edit).Text = text;
        for (const char* button : {"Button_rechnen", "Button_ok"}) { // Calc stores as OK does
            EXPECT_EQ(f.Press(button) == DialogAction::None, *message != 0) << edit << text << button;
            EXPECT_EQ(asked.empty() ? "" : asked.back().Request.Text, message);
            EXPECT_TRUE(!*message || (GearPair.mn == 2 && PlanetaryGears.z[gH] == -90)) << "nothing stored";
        }
    }
}

} // namespace
