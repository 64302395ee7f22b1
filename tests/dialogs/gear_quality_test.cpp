// The quality form: allowances looked up from the DIN 3967 and centre
// distance tables, lists by tolerance standard, a grade beyond the list
// kept, the copy buttons, the q proposal, Cancel writing nothing.
#include "dialogs/gear/qualityform.h"
#include "stageforms_fixture.h"

namespace
{

using platform::DialogAction;

class GearQuality : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        TPlanetaryGears& g = PlanetaryGears;
        GearPair.mn = 2;
        GearPair.ToleranceStandard = 0;
        const Extended d[] = {105.3L, 125, 125.001L, -105.3L};
        for (int i = 1; i <= 4; ++i) {
            g.d[i] = d[i - 1];
            g.FlankToleranceClass[i] = 7;
            g.TsnSeries[i] = 11;
            g.AsneSeries[i] = 8;
            g.Asne[i] = -0.05L;
            g.Asni[i] = -0.123456L;
            g.q[i] = 0.1L;
            g.q_tol[i] = 0.05L;
            g.prP0[i] = 0;
        }
        const Extended a[] = {100, 250, -250};
        for (int m = 1; m <= 3; ++m) {
            g.a[m] = g.aInUse[m] = a[m - 1];
            g.AaField[m] = 9;
            g.Aa[m] = 0.01L;
            g.Aai[m] = -0.02L;
        }
        // The values of the look-up, without a stage calculation over them.
        dialogservices.CalculateStage = [] {};
    }
};

// Hand values of the tables: Asne is minus the series' allowance, Asni
// minus allowance and tolerance, in mm.
TEST_F(GearQuality, ToothThicknessAllowancesFromTheTables)
{
    const struct {
        int gear;
        const char *tol, *series;
        int tsnSeries, asneSeries;
        Extended asne, asni;
    } cases[] = {
        {1, "28", "e", 8, 8, -40, -200}, // d 105.3: e 40 um, 28 160 um
        {2, "27", "d", 7, 7, -60, -160}, // d 125 stays in 50-124
        {3, "27", "d", 7, 7, -80, -210}, // d 125.001: next row
        {4, "28", "e", 8, 8, -40, -200}, // internal gear: row of |d|
    };
    TForm_qyr7qual f;
    for (const auto& c : cases) {
        const std::string n = std::to_string(c.gear);
        f.Control("ComboBox_tol" + n).Text = c.tol;
        f.Control("ComboBox_asn" + n).Text = c.series;
        f.Changed("ComboBox_tol" + n);
        EXPECT_FALSE(f.Control("Edit_asne" + n).Enabled) << n;
        EXPECT_FALSE(f.Control("Edit_asni" + n).Enabled) << n;
        EXPECT_TRUE(f.Control("ComboBox_asn" + n).Visible) << n;
    }
    ASSERT_EQ(f.Press("Button_calc"), DialogAction::Raise);
    for (const auto& c : cases) {
        EXPECT_EQ(PlanetaryGears.Asne[c.gear], c.asne / 1000) << c.gear;
        EXPECT_EQ(PlanetaryGears.Asni[c.gear], c.asni / 1000) << c.gear;
        EXPECT_EQ(PlanetaryGears.TsnSeries[c.gear], c.tsnSeries) << c.gear;
        EXPECT_EQ(PlanetaryGears.AsneSeries[c.gear], c.asneSeries) << c.gear;
    }
}

TEST_F(GearQuality, EnteredToleranceKeepsShownValuesAndEnablesEdits)
{
    TForm_qyr7qual f;
    EXPECT_EQ(f.Control("ComboBox_tol1").Text, "...") << "stored series 11";
    EXPECT_TRUE(f.Control("Edit_asne1").Enabled);
    EXPECT_FALSE(f.Control("ComboBox_asn1").Visible);
    EXPECT_FALSE(f.Control("Label_asn1").Visible);
    f.Control("ComboBox_tol1").Text = "28";
    f.Changed("ComboBox_tol1");
    const std::string shown = f.Control("Edit_asne1").Text;
    EXPECT_TRUE(f.Control("Label_asn1").Visible);
    f.Control("ComboBox_tol1").Text = "...";
    f.Changed("ComboBox_tol1");
    EXPECT_EQ(f.Control("Edit_asne1").Text, shown);
    EXPECT_TRUE(f.Control("Edit_asne1").Enabled);
    EXPECT_TRUE(f.Control("Edit_asni1").Enabled);
}

TEST_F(GearQuality, ListsWithoutSelectionFallBackToEnteredAndSeriesE)
{
    PlanetaryGears.TsnSeries[2] = 0;
    PlanetaryGears.AsneSeries[2] = 0;
    PlanetaryGears.AaField[2] = 12;
    TForm_qyr7qual f;
    EXPECT_EQ(f.Control("ComboBox_tol2").Text, "...");
    EXPECT_EQ(f.Control("ComboBox_asn2").Text, "e");
    EXPECT_EQ(f.Control("ComboBox_aa2").Text, "...");
    ASSERT_EQ(f.Press("Button_calc"), DialogAction::Raise);
    EXPECT_EQ(PlanetaryGears.TsnSeries[2], 11);
    EXPECT_EQ(PlanetaryGears.AsneSeries[2], 8);
    EXPECT_EQ(PlanetaryGears.AaField[2], 9);
}

TEST_F(GearQuality, CentreDistanceFieldGivesHalfItsWidth)
{
    const struct {
        int mesh;
        const char* list;
        const char* text;
        int field;
        Extended width; // um, from the table by hand
    } cases[] = {{1, "ComboBox_Aa1", "js7", 4, 35},
                 {2, "ComboBox_aa2", "js7", 4, 46},
                 {3, "ComboBox_aa3", "js11", 8, 290}};
    TForm_qyr7qual f;
    for (const auto& c : cases) {
        f.Control(c.list).Text = c.text;
        f.Changed(c.list);
    }
    EXPECT_FALSE(f.Control("Edit_Aae1").Enabled);
    EXPECT_FALSE(f.Control("Edit_aai3").Enabled);
    ASSERT_EQ(f.Press("Button_calc"), DialogAction::Raise);
    for (const auto& c : cases) {
        EXPECT_EQ(PlanetaryGears.AaField[c.mesh], c.field) << c.mesh;
        EXPECT_EQ(PlanetaryGears.Aa[c.mesh], c.width / 2000) << c.mesh;
        EXPECT_EQ(PlanetaryGears.Aai[c.mesh], -c.width / 2000) << c.mesh;
    }
}

TEST_F(GearQuality, IsoListEndsAtElevenAndKeepsAStoredTwelve)
{
    GearPair.ToleranceStandard = 1;
    PlanetaryGears.FlankToleranceClass[3] = 12;
    EXPECT_EQ(TForm_qyr7qual::QualityCount(), 11);
    TForm_qyr7qual f;
    EXPECT_EQ(f.Control("label_qual1").Caption, "Gear quality A  acc. ISO 1328");
    EXPECT_EQ(f.Control("ComboBox_qual3").Text, "12");
    f.Control("ComboBox_qual1").Text = "11";
    f.Control("ComboBox_qual2").Text = "12";
    ASSERT_EQ(f.Press("Button_calc"), DialogAction::Raise);
    EXPECT_EQ(PlanetaryGears.FlankToleranceClass[1], 11);
    EXPECT_EQ(PlanetaryGears.FlankToleranceClass[2], 7) << "12 is no item under ISO 1328";
    EXPECT_EQ(PlanetaryGears.FlankToleranceClass[3], 12) << "stored grade beyond the list is kept, not 0";

    GearPair.ToleranceStandard = 0;
    EXPECT_EQ(TForm_qyr7qual::QualityCount(), 12);
    TForm_qyr7qual din;
    EXPECT_EQ(din.Control("label_qual1").Caption, "Gear quality A  acc. DIN 3961");
}

// In mm in every unit system, which the inch system says (metric: the form's test).
TEST_F(GearQuality, LengthsSayMmInTheInchSystem)
{
    wtelmvar.UnitSystem = 1;
    TForm_qyr7qual f;
    EXPECT_EQ(f.Control("Label_d1").Caption + f.Control("Label_Aa1").Caption,
              "(d = 105.3 mm)Center distance a = 100 mm");
    for (const char* label : {"Label_asneu1", "Label_asniu4", "Label_qu2", "Label_aqu3", "Label_aau3"})
        EXPECT_TRUE(f.Control(label).Visible && f.Control(label).Caption == "mm") << label;
}

TEST_F(GearQuality, CopyButtonsCopyTextsNotStates)
{
    TForm_qyr7qual f;
    f.Control("ComboBox_qual1").Text = "5";
    f.Control("ComboBox_tol1").Text = "28";
    f.Control("ComboBox_asn1").Text = "f";
    f.Changed("ComboBox_tol1");
    f.Control("Edit_q1").Text = "0.2";
    f.Control("Edit_Aq1").Text = "0.07";
    f.Control("Edit_zahnkorr1").Text = "tip relief";
    ASSERT_EQ(f.Press("Button_4gleich1"), DialogAction::None);
    EXPECT_EQ(f.Control("ComboBox_tol4").Text, "28");
    EXPECT_EQ(f.Control("ComboBox_asn4").Text, "f");
    EXPECT_EQ(f.Control("Edit_asne4").Text, f.Control("Edit_asne1").Text);
    EXPECT_EQ(f.Control("Edit_aq4").Text, "0.07");
    EXPECT_TRUE(f.Control("Edit_asne4").Enabled) << "states stay until the next look-up";
    EXPECT_FALSE(f.Control("ComboBox_asn4").Visible);
    ASSERT_EQ(f.Press("Button_calc"), DialogAction::Raise);
    const TPlanetaryGears& p = PlanetaryGears;
    EXPECT_EQ(p.FlankToleranceClass[4], 5);
    EXPECT_EQ(p.TsnSeries[4], 8);
    EXPECT_EQ(p.AsneSeries[4], 9);
    EXPECT_EQ(p.q[4], 0.2L);
    EXPECT_EQ(p.q_tol[4], 0.07L);
    EXPECT_EQ(p.ToothCorrection[4], "tip relief");
    EXPECT_EQ(p.ToothCorrection[2], "") << "Pi was not copied";
}

TEST_F(GearQuality, MachiningAllowanceProposal)
{
    PlanetaryGears.prP0[2] = 0.3L;
    TForm_qyr7qual f;
    ASSERT_EQ(f.Press("Button_q1"), DialogAction::None);
    ASSERT_EQ(f.Press("Button_q2"), DialogAction::None);
    ASSERT_EQ(f.Press("Button_calc"), DialogAction::Raise);
    EXPECT_NEAR(static_cast<double>(PlanetaryGears.q[1]), 0.06, 1e-12) << "no protuberance: 0.03 mn";
    EXPECT_NEAR(static_cast<double>(PlanetaryGears.q_tol[1]), 0.06, 1e-12);
    EXPECT_NEAR(static_cast<double>(PlanetaryGears.q[2]), 0.2, 1e-12) << "2/3 of the protuberance";
    EXPECT_NEAR(static_cast<double>(PlanetaryGears.q_tol[2]), 0.2, 1e-12);
}

TEST_F(GearQuality, CancelLeavesEveryInputBitIdentical)
{
    TPlanetaryGears& p = PlanetaryGears;
    for (int g = 1; g <= 4; ++g) {
        p.TsnSeries[g] = 8; // looked up on show
        p.Asne[g] = -0.0123456789L;
        p.Asni[g] = -0.9876543L;
        p.q[g] = 1.0L / 3;
    }
    p.AaField[1] = 4;
    p.Aa[1] = 0.0111111L;
    const TPlanetaryGears before = p;
    TForm_qyr7qual f;
    f.Press("Button_q1");
    f.Press("Button_2gleich1");
    EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
    EXPECT_TRUE(telmvar.Aborted);
    for (int g = 1; g <= 4; ++g) {
        EXPECT_TRUE(SameBits(p.Asne[g], before.Asne[g])) << g;
        EXPECT_TRUE(SameBits(p.Asni[g], before.Asni[g])) << g;
        EXPECT_TRUE(SameBits(p.q[g], before.q[g])) << g;
        EXPECT_TRUE(SameBits(p.q_tol[g], before.q_tol[g])) << g;
        EXPECT_EQ(p.TsnSeries[g], before.TsnSeries[g]);
        EXPECT_EQ(p.FlankToleranceClass[g], before.FlankToleranceClass[g]);
    }
    for (int m = 1; m <= 3; ++m) {
        EXPECT_TRUE(SameBits(p.Aa[m], before.Aa[m])) << m;
        EXPECT_TRUE(SameBits(p.Aai[m], before.Aai[m])) << m;
        EXPECT_EQ(p.AaField[m], before.AaField[m]);
    }
}

TEST_F(GearQuality, OkCalculatesAndAccepts)
{
    telmvar.Aborted = true;
    TForm_qyr7qual f;
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(PlanetaryGears.TsnSeries[1], 11) << "entered allowances stay entered";
}

} // namespace
