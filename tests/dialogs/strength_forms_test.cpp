// The strength inputs: the compact sequence with its 74 factor prompts, the
// full dialog's method groups and visibility rules, proposals, the values
// it must not round, and the two calculation option dialogs.
#include "dialogs/stage/radiogroup.h"
#include "dialogs/strength/optionforms.h"
#include "dialogs/strength/strengthforms.h"
#include "dialogs/strength/strengthsequence.h"
#include "foundation/codepage.h"
#include "foundation/programsettings.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "planetary/stagedefaults.h"
#include "stageforms_fixture.h"

#include "common/testnames.h"

namespace
{

using platform::DialogAction;
using platform::DialogModel;
using platform::DialogResult;

class Strength : public StageForms
{
  protected:
    platform::PromptsImplHeadless& Q() { return hp.HeadlessPrompts(); }
    platform::DialogHostImplHeadless& D() { return hp.HeadlessDialogs(); }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> names;
        for (const auto& s : const_cast<Strength*>(this)->D().ShownDialogs())
            names.push_back(s.FormName);
        return names;
    }
};

// --- the compact sequence ---------------------------------------------------------

TEST_F(Strength, PartFortyOneRunsTheChoiceAndDialogOneOnly)
{
    GearPair.CalcMethod = 1;
    Q().QueueSelection(1); // "DIN 3990 part 41"
    D().QueueResult(DialogResult::Ok);
    StrengthInputSequence();
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(GearPair.CalcMethod, 2);
    EXPECT_EQ(Shown(), std::vector<std::string>{"TForm_qyr7fs1"});
    EXPECT_TRUE(Q().TextPrompts().empty());
    ASSERT_EQ(Q().Selections().size(), 1u);
    EXPECT_EQ(Q().Selections()[0].Items[3], "ISO 6336");
}

TEST_F(Strength, MethodsOneAndFourAlsoRunDialogTwo)
{
    for (int answer : {0, 3}) {
        hp.Reset();
        Q().QueueSelection(answer);
        D().QueueResult(DialogResult::Ok);
        D().QueueResult(DialogResult::Ok);
        StrengthInputSequence();
        EXPECT_EQ(Shown(), (std::vector<std::string>{"TForm_qyr7fs1", "TForm_qyr7fs2"})) << answer;
    }
}

TEST_F(Strength, EnteredFactorsAreAskedInTheTablesOrder)
{
    Q().QueueSelection(2); // "enter factors"
    D().QueueResult(DialogResult::Ok);
    const std::vector<TFactorPrompt> table = EnteredFactorPrompts();
    ASSERT_EQ(table.size(), 74u);
    for (std::size_t i = 0; i < table.size(); ++i)
        Q().QueueText("1.5");
    StrengthInputSequence();
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(Shown(), std::vector<std::string>{"TForm_qyr7fs1"}) << "dialog 2 is skipped";
    ASSERT_EQ(Q().TextPrompts().size(), 74u);
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(Q().TextPrompts()[i].Prompt.rfind(DisplayText(table[i].Prompt), 0), 0u) << i;
    // Spot checks against the order and texts as written down for the users.
    EXPECT_EQ(table[0].Prompt, "dynamic load factor Kv S-Pi");
    EXPECT_EQ(table[1].Prompt, "face load factor flank KH\xE1 S-Pi");
    EXPECT_EQ(table[9].Prompt, "dynamic load factor Kv Pi-Pe");
    EXPECT_EQ(table[27].Prompt, "lubrication factor ZL  S-Pi");
    EXPECT_EQ(table[39].Prompt, "size factor flank ZX S");
    EXPECT_EQ(table[43].Prompt, "tooth form factor YF1 S-Pi");
    EXPECT_EQ(table[50].Prompt, "stress correction factor YS2 S-Pi");
    EXPECT_EQ(table[52].Prompt, "stress correction factor YS2 Pi-Pe");
    EXPECT_EQ(table[55].Prompt, "helix angle factor tooth root Y\xE1 S-Pi");
    EXPECT_EQ(table[73].Prompt, "alternating load factor YA H");
    EXPECT_EQ(table[73].HelpNumber, 5855);
    EXPECT_EQ(PlanetaryGears.Kv[1], 1.5L);
    EXPECT_EQ(PlanetaryGears.YA[4], 1.5L);
    EXPECT_EQ(PlanetaryGears.YS[2][2], 1.5L);
}

TEST_F(Strength, FactorRangeIsOneHundredthToOneHundred)
{
    Q().QueueSelection(2);
    D().QueueResult(DialogResult::Ok);
    for (const char* t : {"0", "101", "0.01", "100"})
        Q().QueueText(t);
    Q().QueueText(std::nullopt); // Cancel in the third prompt
    PlanetaryGears.KFbeta[1] = 1.25L;
    StrengthInputSequence();
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(PlanetaryGears.Kv[1], 0.01L);
    EXPECT_EQ(PlanetaryGears.KHbeta[1], 100.0L);
    EXPECT_EQ(PlanetaryGears.KFbeta[1], 1.25L) << "Cancel keeps the value";
    EXPECT_EQ(Q().TextPrompts().size(), 5u) << "0 and 101 are asked again";
}

TEST_F(Strength, CancelInTheMethodChoiceShowsNothing)
{
    GearPair.CalcMethod = 4;
    Q().QueueSelection(std::nullopt);
    StrengthInputSequence();
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(GearPair.CalcMethod, 4);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(Strength, RunStrengthInputCalculatesAfterACancel)
{
    SetDefaultInput();
    PlanetaryGears.d[1] = 0;
    Q().QueueSelection(std::nullopt);
    RunStrengthInput();
    EXPECT_TRUE(telmvar.Aborted) << "the caller still sees the cancel";
    EXPECT_GT(PlanetaryGears.d[1], 0) << "the stage was calculated";
}

// --- the full dialog ---------------------------------------------------------------

TEST_F(Strength, EnteredFactorsHideEveryGroupButStoreThem)
{
    GearPair.CalcMethod = 1;
    TForm_qyr7fs0 f;
    EXPECT_EQ(f.Caption(), "QYR7  Strength");
    EXPECT_TRUE(f.Control("GroupBox_fs2").Visible);
    f.Control("ComboBox_rfcode").Text = "Input K,Y,Z";
    f.Changed("ComboBox_rfcode");
    for (const char* g : {"GroupBox1", "GroupBox2", "CheckBox_pfeil", "Button_pfeil", "GroupBox_fs2"})
        EXPECT_FALSE(f.Control(g).Visible) << g;
    f.Control("Edit_di2").Text = "55";
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(GearPair.CalcMethod, 3);
    EXPECT_EQ(PlanetaryGears.di[2], 55);

    f.Control("ComboBox_rfcode").Text = "DIN 3990-41";
    f.Changed("ComboBox_rfcode");
    EXPECT_TRUE(f.Control("GroupBox1").Visible);
    EXPECT_FALSE(f.Control("GroupBox_fs2").Visible);
    f.Control("ComboBox_rfcode").Text = "";
    f.Changed("ComboBox_rfcode");
    EXPECT_FALSE(f.Control("GroupBox1").Visible) << "no method: nothing shown";
}

TEST_F(Strength, PartFortyOneHidesFshForTheDialogsLife)
{
    GearPair.CalcMethod = 2;
    TForm_qyr7fs0 f;
    f.Control("ComboBox_rfcode").Text = "ISO 6336:2006-2008";
    f.Changed("ComboBox_rfcode");
    f.Activate();
    for (const char* c : {"CheckBox_Jainputfsh", "Label_fsh", "Edit_fsh1", "Edit_fsh3", "Label_fshu"})
        EXPECT_FALSE(f.Control(c).Visible) << c;
    EXPECT_TRUE(f.Control("CheckBox_jainputfma").Visible);
}

TEST_F(Strength, LifeFactorsAreStoredOnlyWhenEntered)
{
    PlanetaryGears.ZNT[1] = 1.1L;
    PlanetaryGears.YNT[4] = 1.2L;
    GearPair.LifeFactorInput = 0;
    TForm_qyr7fs0 f;
    EXPECT_FALSE(f.Control("Edit_znt1").Visible);
    EXPECT_FALSE(f.Control("Label_ynt").Visible);
    f.Control("Edit_znt1").Text = "0.9";
    f.Control("Edit_ynt4").Text = "0.8";
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(PlanetaryGears.ZNT[1], 1.1L);
    EXPECT_EQ(PlanetaryGears.YNT[4], 1.2L);

    SetRadioIndex(f, "RadioGroup_Lnt", 2, 1);
    f.Changed("RadioGroup_Lnt_1");
    EXPECT_TRUE(f.Control("Edit_znt1").Visible);
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(GearPair.LifeFactorInput, 1);
    EXPECT_EQ(PlanetaryGears.ZNT[1], 0.9L);
    EXPECT_EQ(PlanetaryGears.YNT[4], 0.8L);
    f.Press("Button_lnt");
    EXPECT_EQ(RadioIndex(f, "RadioGroup_Lnt", 2), 0);
}

struct KgammaCase {
    int qp;
    const char* shown;
};

class Kgamma : public Strength, public ::testing::WithParamInterface<KgammaCase>
{
};

TEST_P(Kgamma, ProposalFromTheNumberOfPlanets)
{
    GearPair.qp = GetParam().qp;
    TForm_qyr7fs0 f;
    f.Press("Button_kgamma");
    EXPECT_EQ(f.Control("Edit_kgamma").Text, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Strength, Kgamma,
                         ::testing::Values(KgammaCase{3, "1"}, KgammaCase{4, "1.25"}, KgammaCase{7, "1.5"}),
                         [](const ::testing::TestParamInfo<KgammaCase>& i) {
                             return "qp" + std::to_string(i.param.qp);
                         });

TEST_F(Strength, InchLabelsOnEveryMesh)
{
    wtelmvar.UnitSystem = 1;
    TForm_qyr7fs0 f;
    const std::string inch = DisplayText(LengthUnitLabel());
    EXPECT_NE(inch, "mm");
    for (const char* c :
         {"Label_diu", "Label_l1us", "Label_l1up", "Label_s1uh", "Label_dshus", "Label_dshuh"})
        EXPECT_EQ(f.Control(c).Caption, inch) << c;
    PlanetaryGears.l_bearing[2] = 100;
    TForm_qyr7fs0 g;
    EXPECT_EQ(g.Control("Edit_l1p").Text, TrimBlanks(LengthToText(100)));
    g.Press("Button_metric");
    EXPECT_EQ(wtelmvar.UnitSystem, 0);
    EXPECT_EQ(g.Control("Edit_l1p").Text, "100");
    EXPECT_EQ(g.Control("Label_l1up").Caption, "mm");
}

TEST_F(Strength, EnteredFshHidesTheBearingInputsButStoresThem)
{
    GearPair.CalcMethod = 1;
    GearPair.FshEntered = false;
    TForm_qyr7fs0 f;
    EXPECT_FALSE(f.Control("Edit_fsh1").Enabled);
    f.Control("Edit_dshp").Text = "42";
    f.Control("CheckBox_Jainputfsh").Checked = true;
    f.Changed("CheckBox_Jainputfsh");
    EXPECT_TRUE(f.Control("Edit_fsh1").Enabled);
    for (const char* c : {"GroupBox_lagers", "GroupBox_lagerh", "Label_bi442", "Button_dsh", "CheckBox_stw",
                          "Label_dshp", "Edit_dshp", "Label_dshup", "Button_dshvp"})
        EXPECT_FALSE(f.Control(c).Visible) << c;
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_TRUE(GearPair.FshEntered);
    EXPECT_EQ(PlanetaryGears.dsh[2], 42);
}

TEST_F(Strength, OkWithoutChangesKeepsEveryValueExactly)
{
    GearPair.v50 = 123.456L;
    PlanetaryGears.RzZ[2] = 3.14159L;
    PlanetaryGears.ContactPatternNo[3] = 4;
    GearPair.GrindingNotch[1] = 1;
    TForm_qyr7fs0 f;
    EXPECT_EQ(f.Control("Edit_visko").Text, "123.5");
    EXPECT_EQ(f.Control("ComboBox_bi442h").Text, "image d");
    EXPECT_TRUE(f.Control("Edit_tgrg1").Visible) << "the notch shows tg/rg";
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_TRUE(SameBits(GearPair.v50, 123.456L));
    EXPECT_TRUE(SameBits(PlanetaryGears.RzZ[2], 3.14159L));
    EXPECT_EQ(PlanetaryGears.ContactPatternNo[3], 4);
    EXPECT_EQ(GearPair.GrindingNotch[2], 1);
}

TEST_F(Strength, HelpPicturesOfTheGearGroupStoreFirst)
{
    TForm_qyr7fs0 f;
    f.Control("Edit_neingr1").Text = "7";
    EXPECT_EQ(f.Press("Button_bi442"), DialogAction::Raise);
    EXPECT_NE(PlanetaryGears.e[1], 7) << "the bearing pictures store nothing";
    EXPECT_EQ(f.Press("Button_eingr2"), DialogAction::Raise);
    EXPECT_EQ(PlanetaryGears.e[1], 7);
    GearPair.qp = 5;
    f.Press("Button_nlastw");
    EXPECT_EQ(f.Control("Edit_neingr4").Text, "5");
    EXPECT_EQ(f.Control("Edit_nlastw2").Text, "1");
}

TEST_F(Strength, CompactDialogsDifferWhereTheyShould)
{
    GearPair.CalcMethod = 4;
    TForm_qyr7fs1 one;
    EXPECT_EQ(one.Caption(), "QYR7  Strength acc. ISO 6336:2006-2008");
    one.Control("Edit_di1").Text = "s stays";
    one.Press("Button1");
    EXPECT_EQ(one.Control("Edit_di1").Text, "s stays");
    EXPECT_NE(one.Control("Edit_di2").Text, "s stays");
    EXPECT_EQ(one.Control("Label_kgamma").HintNumber, 5610);
    TForm_qyr7fs2 two;
    EXPECT_EQ(two.Caption(), "Strength acc. ISO 6336:2006-2008");
    EXPECT_EQ(two.Control("GroupBox_lagers").Caption.rfind(" S - Pi: Bearing pinion shaft ", 0), 0u);
    EXPECT_EQ(two.Press("Button_bi443p"), DialogAction::Raise);
}

// --- the calculation options -----------------------------------------------------------

TEST_F(Strength, WithoutSpectrumTheApplicationFactorsAreEntered)
{
    PlanetaryStage.LoadSpectrumCount = 0;
    GearPair.LoadSpectrumCount = 0;
    GearPair.KaFromLoadSpectrum = 1;
    TForm_qyr5con3 f;
    EXPECT_FALSE(f.Control("RadioGroup_ka").Enabled);
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(GearPair.KaFromLoadSpectrum, 0) << "no KA from an empty spectrum";

    PlanetaryStage.LoadSpectrumCount = 2;
    TForm_qyr5con3 g;
    EXPECT_TRUE(g.Control("RadioGroup_ka").Enabled);
    SetRadioIndex(g, "RadioGroup_ka", 2, 1);
    ASSERT_EQ(g.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(GearPair.KaFromLoadSpectrum, 1);
}

TEST_F(Strength, EnteredFactorsHaveNoDetailedPrintout)
{
    GearPair.CalcMethod = 1;
    GearPair.ShowFormulas = true;
    TForm_qyr5con3 f;
    EXPECT_TRUE(f.Control("CheckBox_zwischenwertedrucken").Visible);
    EXPECT_FALSE(f.Control("Edit_fshSP").Visible) << "misalignments are entered in the strength dialog";
    f.Control("ComboBox_rfcode").Text = "Input K, Y, Z";
    f.Changed("ComboBox_rfcode");
    EXPECT_FALSE(f.Control("CheckBox_zwischenwertedrucken").Visible);
    f.Control("ComboBox_yfsx").Text = "xe max (Asne)";
    f.Press("Button_yfs");
    EXPECT_EQ(f.Control("ComboBox_yfsx").Text, "x (nom)");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_FALSE(GearPair.ShowFormulas);
    EXPECT_EQ(GearPair.CalcMethod, 3);
    EXPECT_EQ(GearPair.YFYSShiftMode, 0);
}

TEST_F(Strength, StrengthOptionsShowTheStoredValuesOnEveryActivation)
{
    GearPair.CalcMethod = 4;
    GearPair.FshEntered = false;
    TForm_qyr5con3 f;
    EXPECT_FALSE(f.Control("Edit_fshSP").Enabled);
    f.Control("ComboBox_rfcode").Text = "DIN 3990-41";
    f.Control("CheckBox_Jainputfsh").Checked = true;
    f.Changed("CheckBox_Jainputfsh");
    EXPECT_TRUE(f.Control("Edit_fshSP").Enabled);
    f.Activate();
    EXPECT_EQ(f.Control("ComboBox_rfcode").Text, "ISO 6336") << "not confirmed, so replaced";
    EXPECT_FALSE(f.Control("CheckBox_Jainputfsh").Checked);
    EXPECT_FALSE(f.Control("Edit_fshSP").Enabled);
}

TEST_F(Strength, DimensionOptionsResetStaysAfterCancel)
{
    GearPair.AutoBallDiameter = 1;
    GearPair.ToleranceStandard = 1;
    GearPair.KaFromLoadSpectrum = 1;
    wtelmvar.HideWarnings = true;
    D().QueueScript([](DialogModel& m) {
        m.Press("Button_reset");
        return m.Press("Button_cancel") == DialogAction::Reject ? DialogResult::Cancel : DialogResult::Ok;
    });
    TForm_qyr5con2 f;
    EXPECT_EQ(f.Control("ComboBox_warnung").Text, "hide warnings");
    RunModalDialog(f);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(GearPair.AutoBallDiameter, 0);
    EXPECT_EQ(GearPair.ToleranceStandard, 0);
    EXPECT_EQ(GearPair.KaFromLoadSpectrum, 0);
    EXPECT_EQ(PlanetaryGears.GearCode[3], 2);
    EXPECT_TRUE(wtelmvar.HideWarnings) << "the reset leaves the warnings alone";
}

} // namespace
