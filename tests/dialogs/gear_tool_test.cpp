// The tool form: standard profiles preset by list choice, self-defined
// inputs enabled, protuberance and chamfer rows and their store rules, the
// copy of S's profile, Cancel writing nothing.
#include "dialogs/gear/toolprofileform.h"
#include "stageforms_fixture.h"

#include <functional>

namespace
{

using platform::DialogAction;

class GearTool : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        GearPair.alpha = 20;
        TPlanetaryGears& p = PlanetaryGears;
        const int z[] = {24, 20, 22, -90};
        for (int g = 1; g <= 4; ++g) {
            p.z[g] = z[g - 1];
            p.ToolProfileNo[g] = 1;
            p.haP0_mn[g] = 1.25L;
            p.hfP0_mn[g] = 1;
            p.rhoaP0_mn[g] = 0.25L;
            p.rhofP0_mn[g] = 0;
            p.alphaprP0[g] = 0;
            p.prP0_mn[g] = 0;
            p.alphakP0[g] = 20;
            p.hFfP0_mn[g] = 1.25L;
        }
    }
    static std::string Item(int g, int i) { return TForm_qyr7prof::ProfileItems(g)[i]; }
};

TEST_F(GearTool, StoredZeroShowsSelfDefinedWithInputsEnabled)
{
    PlanetaryGears.ToolProfileNo[2] = 0;
    PlanetaryGears.hFfP0_mn[2] = 0; // a catalogue tool without chamfer stores no chamfer depth
    TForm_qyr7prof f;
    EXPECT_EQ(f.Control("ComboBox2").Text, "self-defined ...");
    EXPECT_TRUE(f.Control("Edit_hap2").Enabled);
    EXPECT_TRUE(f.Control("CheckBox_prot2").Enabled);
    EXPECT_TRUE(f.Control("Button_db2").Enabled);
    EXPECT_FALSE(f.Control("Edit_hap1").Enabled) << "standard profile of S";
    EXPECT_FALSE(f.Control("Button_append1").Enabled);
    EXPECT_EQ(PlanetaryGears.ToolProfileNo[2], 0) << "opening writes nothing";
    EXPECT_EQ(f.Control("GroupBox4").Caption, " gear H (zH = -90) ");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept)
        << "untouched: the catalogue's kind and values kept";
    EXPECT_EQ(PlanetaryGears.ToolProfileNo[2] + PlanetaryGears.hFfP0_mn[2], 0);
    // A changed value, box or list makes the catalogue tool (here one with
    // protuberance) a tool typed in by hand; the list alone, without the
    // presets its choice brings.
    struct Row {
        const char* what;
        std::function<void(TForm_qyr7prof&)> change;
        int kind;
        Extended pr;
    };
    const Row rows[] = {
        {"an edit field", [](TForm_qyr7prof& g) { g.Control("Edit_hap2").Text = "1.3"; }, 4, 0.03L},
        {"the protuberance box",
         [](TForm_qyr7prof& g) {
             g.Control("CheckBox_prot2").Checked = false;
             g.Changed("CheckBox_prot2");
         },
         4, 0},
        {"the list", [](TForm_qyr7prof& g) { g.Control("ComboBox2").Text = Item(2, 0); }, 1, 0.03L},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        PlanetaryGears.ToolProfileNo[2] = 0;
        PlanetaryGears.prP0_mn[2] = 0.03L;
        PlanetaryGears.alphaprP0[2] = 5;
        TForm_qyr7prof g;
        ASSERT_TRUE(g.Control("CheckBox_prot2").Checked);
        r.change(g);
        ASSERT_EQ(g.Press("Button_ok"), DialogAction::Accept);
        EXPECT_EQ(PlanetaryGears.ToolProfileNo[2], r.kind);
        EXPECT_EQ(PlanetaryGears.prP0_mn[2], r.pr);
    }
}

TEST_F(GearTool, ProtuberanceProfileAndBackToIso)
{
    TForm_qyr7prof f;
    f.Control("ComboBox3").Text = Item(3, 2);
    f.Changed("ComboBox3");
    EXPECT_TRUE(f.Control("CheckBox_prot3").Checked);
    EXPECT_TRUE(f.Control("Edit_prp3").Visible);
    EXPECT_TRUE(f.Control("Label_alprp3u").Visible);
    EXPECT_EQ(f.Control("Edit_alprp3").Text, "6");
    EXPECT_EQ(f.Control("Edit_prp3").Text, "0.02");
    EXPECT_EQ(f.Control("Edit_hap3").Text, "1.4");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(PlanetaryGears.ToolProfileNo[3], 3);
    EXPECT_EQ(PlanetaryGears.prP0_mn[3], 0.02L);
    EXPECT_EQ(PlanetaryGears.alphaprP0[3], 6);
    EXPECT_EQ(PlanetaryGears.haP0_mn[3], 1.4L);

    TForm_qyr7prof g;
    EXPECT_TRUE(g.Control("CheckBox_prot3").Checked);
    g.Control("ComboBox3").Text = Item(3, 0);
    g.Changed("ComboBox3");
    EXPECT_FALSE(g.Control("Edit_prp3").Visible);
    EXPECT_EQ(g.Control("Edit_prp3").Text, "0");
    EXPECT_EQ(g.Control("Edit_alprp3").Text, "0");
    EXPECT_EQ(g.Control("Edit_rhoap3").Text, "0.25");
}

TEST_F(GearTool, UncheckedRowsStoreWhatTheyStandFor)
{
    PlanetaryGears.ToolProfileNo[1] = 4;
    PlanetaryGears.alphakP0[1] = 30; // chamfer on
    PlanetaryGears.hFfP0_mn[1] = 0.8L;
    PlanetaryGears.prP0_mn[1] = 0.03L;
    PlanetaryGears.alphaprP0[1] = 5;
    TForm_qyr7prof f;
    ASSERT_TRUE(f.Control("CheckBox_koka1").Checked);
    ASSERT_TRUE(f.Control("CheckBox_prot1").Checked);
    f.Control("CheckBox_koka1").Checked = false;
    f.Changed("CheckBox_koka1");
    f.Control("CheckBox_prot1").Checked = false;
    f.Changed("CheckBox_prot1");
    EXPECT_FALSE(f.Control("Edit_alkp1").Visible);
    f.Control("Edit_hap1").Text = "1.3";
    f.Control("Edit_hffp1").Text = "0.5"; // hidden: not taken
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    const TPlanetaryGears& p = PlanetaryGears;
    EXPECT_EQ(p.alphakP0[1], 20) << "alpha";
    EXPECT_EQ(p.hFfP0_mn[1], 1.3L) << "the addendum just stored";
    EXPECT_EQ(p.prP0_mn[1], 0);
    EXPECT_EQ(p.alphaprP0[1], 0);
}

TEST_F(GearTool, ChamferAngleEqualToAlphaLoadsUnchecked)
{
    PlanetaryGears.alphakP0[2] = 20.000001L;
    PlanetaryGears.alphakP0[3] = 20.001L;
    TForm_qyr7prof f;
    EXPECT_FALSE(f.Control("CheckBox_koka2").Checked);
    EXPECT_FALSE(f.Control("Edit_hffp2").Visible);
    EXPECT_TRUE(f.Control("CheckBox_koka3").Checked);
}

TEST_F(GearTool, HEqualsSCopiesSelfDefinedProfileWithBoxes)
{
    TForm_qyr7prof f;
    f.Control("ComboBox1").Text = Item(1, 3);
    f.Changed("ComboBox1");
    f.Control("CheckBox_koka1").Checked = true;
    f.Changed("CheckBox_koka1");
    f.Control("Edit_alkp1").Text = "25";
    f.Control("Edit_hffp1").Text = "0.9";
    f.Control("Edit_rhofp1").Text = "0.3";
    ASSERT_EQ(f.Press("Button_4gleich1"), DialogAction::None);
    EXPECT_EQ(f.Control("ComboBox4").Text, "self-defined ...");
    EXPECT_TRUE(f.Control("CheckBox_koka4").Checked);
    EXPECT_TRUE(f.Control("Edit_alkp4").Visible);
    EXPECT_TRUE(f.Control("Edit_alkp4").Enabled);
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    const TPlanetaryGears& p = PlanetaryGears;
    EXPECT_EQ(p.ToolProfileNo[4], 4);
    EXPECT_EQ(p.alphakP0[4], 25);
    EXPECT_EQ(p.hFfP0_mn[4], 0.9L);
    EXPECT_EQ(p.rhofP0_mn[4], 0.3L);
    EXPECT_EQ(p.ToolProfileNo[2], 1) << "Pi not copied";
}

TEST_F(GearTool, CancelLeavesEveryInputBitIdentical)
{
    TPlanetaryGears& p = PlanetaryGears;
    p.haP0_mn[2] = 1.0L / 3;
    p.alphakP0[2] = 20.0000001L;
    p.hFfP0_mn[2] = 0.123456789L;
    const TPlanetaryGears before = p;
    TForm_qyr7prof f;
    f.Control("ComboBox2").Text = Item(2, 2);
    f.Changed("ComboBox2");
    f.Press("Button_3gleich1");
    EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
    EXPECT_TRUE(telmvar.Aborted);
    for (int g = 1; g <= 4; ++g) {
        EXPECT_EQ(p.ToolProfileNo[g], before.ToolProfileNo[g]);
        for (auto field : {&TPlanetaryGears::haP0_mn, &TPlanetaryGears::hfP0_mn, &TPlanetaryGears::rhoaP0_mn,
                           &TPlanetaryGears::rhofP0_mn, &TPlanetaryGears::alphaprP0,
                           &TPlanetaryGears::prP0_mn, &TPlanetaryGears::alphakP0, &TPlanetaryGears::hFfP0_mn})
            EXPECT_TRUE(SameBits((p.*field)[g], (before.*field)[g])) << g;
    }
}

} // namespace
