// The tooth drawing settings and the CAD settings of one gear: choices that
// fill the profile shift and centre distance rows, the rotation steps, the
// bolt-circle proposals of a ring gear and its visibility, and what OK and
// Cancel leave in the pair.
#include "dialogs/gear/cadconfigform.h"
#include "dialogs/gear/drawingconfigform.h"
#include "foundation/codepage.h"
#include "graphics/cadsettings.h"
#include "stageforms_fixture.h"

namespace
{

using platform::DialogAction;

class GearDrawingConfig : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        TGearPairData& p = GearPair;
        p.mn = 2;
        p.z[1] = 20;
        p.z[2] = 40;
        p.a = 60;
        p.Aa = 0.035L;
        p.Aai = -0.035L;
        p.a_pic = 60.0123456L;
        p.MeshRotationAngle = 3.3333333L;
        p.DrawingConfiguration = 2;
        p.InvolutePoints = 30;
        p.FilletResolution = 40;
        for (int g = 1; g <= 2; ++g) {
            p.x_pic[g] = 0.1234567L * g;
            p.xv_pic[g] = 0.0987654L * g;
            p.xevmin[g] = -0.1L * g;
            p.xevmax[g] = -0.05L * g;
            p.xemin[g] = -0.2L * g;
            p.xemax[g] = -0.15L * g;
        }
        p.phi_a = -4.5L;
        p.phi_c = 1.25L;
        p.phi_e = 7.75L;
    }
    // The drawing settings whose bits OK and Cancel must keep.
    static std::vector<Extended> Reals()
    {
        const TGearPairData& p = GearPair;
        return {p.a_pic,
                p.MeshRotationAngle,
                p.x_pic[1],
                p.x_pic[2],
                p.xv_pic[1],
                p.xv_pic[2],
                p.RingFixingHoles.HoleDiameter,
                p.RingFixingHoles.PitchCircleDiameter};
    }
    static void ExpectSameBits(const std::vector<Extended>& a, const std::vector<Extended>& b)
    {
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            EXPECT_TRUE(SameBits(a[i], b[i])) << "value " << i;
    }
    static void Choose(platform::DialogModel& f, const std::string& combo, const std::string& item)
    {
        f.Control(combo).Text = DisplayText(item);
        f.Changed(combo);
    }
};

TEST_F(GearDrawingConfig, RotationStepsByTwentiethOfThePitchAngle)
{
    const struct {
        int z1;
        const char* up;
        const char* down;
    } cases[] = {{20, "1", "-1"}, {40, "0.5", "-0.5"}, {0, "0", "0"}};
    GearPair.MeshRotationAngle = 0;
    for (const auto& c : cases) {
        GearPair.z[1] = c.z1;
        TForm_qyr1conf f;
        f.Press("SpinButton_wdrehUp");
        EXPECT_EQ(f.Control("Edit_wdreh1").Text, c.up) << "z1 " << c.z1;
        f.Press("SpinButton_wdrehDown");
        f.Press("SpinButton_wdrehDown");
        EXPECT_EQ(f.Control("Edit_wdreh1").Text, c.down) << "z1 " << c.z1 << ": no step without teeth";
    }
    TForm_qyr1conf f;
    const std::pair<const char*, const char*> contact[] = {
        {"Button_wdrehc", "1.25"}, {"Button_wdreha", "-4.5"}, {"Button_wdrehe", "7.75"}};
    for (const auto& [button, text] : contact) {
        f.Press(button);
        EXPECT_EQ(f.Control("Edit_wdreh1").Text, text) << button;
    }
}

TEST_F(GearDrawingConfig, ChoicesFillTheRowsAndFreeInputKeepsThem)
{
    TForm_qyr1conf f;
    EXPECT_EQ(f.Caption(), "QYR7");
    Choose(f, "ComboBox_xee", "min.torsional backlash premach.");
    EXPECT_EQ(f.Control("Edit_xee1").Text, "-0.05");
    EXPECT_EQ(f.Control("Edit_xee2").Text, "-0.1");
    EXPECT_FALSE(f.Control("Edit_xee1").Enabled);
    Choose(f, "ComboBox_xee", "xe ...");
    EXPECT_EQ(f.Control("Edit_xee2").Text, "-0.1") << "free input keeps the value";
    EXPECT_TRUE(f.Control("Edit_xee2").Enabled);
    Choose(f, "ComboBox_xeh", "mean torsional backlash fin.");
    EXPECT_EQ(f.Control("Edit_xeh1").Text, "-0.175");
    Choose(f, "ComboBox_xeh", "max.torsional backlash fin.");
    EXPECT_EQ(f.Control("Edit_xeh2").Text, "-0.4") << "largest backlash: smallest shift";
    Choose(f, "ComboBox_a", "Max.");
    EXPECT_EQ(f.Control("Edit_a").Text, "60.035");
    EXPECT_FALSE(f.Control("Edit_a").Enabled);
    Choose(f, "ComboBox_a", "Min.");
    EXPECT_EQ(f.Control("Edit_a").Text, "59.965");
    f.Control("CheckBox_durchmesser_anzeigen").Checked = false;
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(GearPair.DrawingConfiguration, 1) << "unticked diameters store 1";
    EXPECT_EQ(GearPair.x_pic[2], -0.1L);
    EXPECT_EQ(GearPair.xv_pic[2], -0.4L);
    EXPECT_EQ(GearPair.a_pic, 59.965L);
}

TEST_F(GearDrawingConfig, FilletResolutionFollowsTheRootCurveBox)
{
    GearPair.DrawRootCurve = false;
    TForm_qyr1conf f;
    EXPECT_TRUE(f.Control("edit_aufloesung_fussausrundung").Enabled) << "open when the dialog opens";
    for (bool on : {true, false}) {
        f.Control("CheckBox_fussausrundung_zeichnen").Checked = on;
        f.Changed("CheckBox_fussausrundung_zeichnen");
        EXPECT_EQ(f.Control("edit_aufloesung_fussausrundung").Enabled, on);
    }
}

TEST_F(GearDrawingConfig, CancelAndUntouchedOkKeepEveryBit)
{
    GearPair.RingFixingHoles.HoleDiameter = 12.345678L;
    GearPair.RingFixingHoles.PitchCircleDiameter = 234.56789L;
    const auto before = Reals();
    {
        TForm_qyr1conf f;
        f.Control("Edit_a").Text = "70";
        f.Control("edit_anzevolvpoints").Text = "99";
        EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
        EXPECT_TRUE(telmvar.Aborted);
    }
    ExpectSameBits(Reals(), before);
    EXPECT_EQ(GearPair.InvolutePoints, 30);
    {
        TForm_qyr1conf f;
        EXPECT_EQ(f.Control("Edit_a").Text, "60.012");
        ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    }
    ExpectSameBits(Reals(), before);
    EXPECT_EQ(GearPair.DrawingConfiguration, 2);
    for (int gear : {1, 2}) {
        TForm_qyrconf c(gear);
        ASSERT_EQ(c.Press("Button_ok"), DialogAction::Accept);
    }
    const auto after = Reals();
    // The CAD settings store their one profile shift into the tooth shape
    // as well; nothing else moves.
    EXPECT_TRUE(SameBits(GearPair.xv_pic[1], GearPair.x_pic[1]));
    EXPECT_TRUE(SameBits(GearPair.xv_pic[2], GearPair.x_pic[2]));
    for (std::size_t i : {0u, 1u, 2u, 3u, 6u, 7u})
        EXPECT_TRUE(SameBits(after[i], before[i])) << "value " << i;
}

TEST_F(GearDrawingConfig, RingGearBoltCircleProposalsAndVisibility)
{
    TGearPairData& p = GearPair;
    const struct {
        int z;
        const char* count;
    } counts[] = {{-97, "16"}, {-59, "8"}, {-160, "32"}};
    p.df[2] = -210;
    p.dB[2] = -260;
    for (const auto& c : counts) {
        p.z[2] = c.z;
        TForm_qyrconf f(2);
        f.Press("Button_anzbohr");
        EXPECT_EQ(f.Control("SpinEdit_anzbohr").Text, c.count) << c.z;
    }
    p.z[2] = -97;
    p.RingFixingHoles.Enabled = false;
    TForm_qyrconf f(2);
    EXPECT_EQ(f.Caption(), DisplayText(telmvar.ProgramTitle));
    EXPECT_TRUE(f.Control("CheckBox_jaDrawBohrHohlrad").Visible) << "-260 < -210 - 4";
    EXPECT_FALSE(f.Control("GroupBox_bohr").Visible);
    f.Control("CheckBox_jaDrawBohrHohlrad").Checked = true;
    f.Changed("CheckBox_jaDrawBohrHohlrad");
    EXPECT_TRUE(f.Control("GroupBox_bohr").Visible);
    f.Press("Button1");
    f.Press("Button_dbohr");
    EXPECT_EQ(f.Control("Edit_dlochkreis").Text, "235");
    EXPECT_EQ(f.Control("Edit_dbohr").Text, "15");
    f.Control("Edit_xe").Text = "0.3";
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_TRUE(p.RingFixingHoles.Enabled);
    EXPECT_EQ(p.RingFixingHoles.PitchCircleDiameter, 235);
    EXPECT_EQ(p.RingFixingHoles.HoleDiameter, 15);
    EXPECT_EQ(p.x_pic[2], 0.3L);
    EXPECT_EQ(p.xv_pic[2], 0.3L) << "one shift for involute and tooth shape";
    EXPECT_EQ(p.x_pic[1], 0.1234567L) << "the other gear keeps its own";

    // Bore within the rim, or an external gear: no bolt circle to offer.
    const struct {
        int z;
        Extended dB;
    } hidden[] = {{-97, -213}, {97, -260}};
    for (const auto& h : hidden) {
        p.z[2] = h.z;
        p.dB[2] = h.dB;
        TForm_qyrconf g(2);
        EXPECT_FALSE(g.Control("CheckBox_jaDrawBohrHohlrad").Visible)
            << h.z << " " << static_cast<double>(h.dB);
        EXPECT_FALSE(g.Control("GroupBox_bohr").Visible);
    }
}

TEST_F(GearDrawingConfig, CadSettingsStartWithoutDiametersAndCancelStopsTheCommand)
{
    GearPair.DrawingConfiguration = 2;
    std::string shown;
    hp.HeadlessDialogs().QueueScript([&shown](platform::DialogModel& m) {
        shown = m.FormName();
        EXPECT_FALSE(m.Control("CheckBox_durchmesser_anzeigen").Checked);
        m.Control("Edit_xe").Text = "0.9";
        return m.Press("Button_cancel") == DialogAction::Reject ? platform::DialogResult::Cancel
                                                                : platform::DialogResult::Ok;
    });
    EXPECT_FALSE(ShowCadGearConfigDialog(1));
    EXPECT_EQ(shown, "TForm_qyrconf");
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(GearPair.x_pic[1], 0.1234567L);
}

TEST_F(GearDrawingConfig, MaxCentreDistanceInInch)
{
    wtelmvar.UnitSystem = 1;
    GearPair.a = 50.8L;
    GearPair.Aa = 0.0254L;
    TForm_qyr1conf f;
    Choose(f, "ComboBox_a", "Max.");
    EXPECT_EQ(f.Control("Edit_a").Text, "2.00100") << "five decimals in inch";
}

} // namespace
