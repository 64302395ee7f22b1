// The lubricant forms: derivation buttons that act only on a positive
// source, the viscosity at the working temperature, nothing shown for an
// undefined viscosity line, and the converter's protocol with its caller.
#include "common/testnames.h"
#include "dialogs/stage/lubricantform.h"
#include "dialogs/stage/radiogroup.h"
#include "dialogs/stage/viscosityform.h"
#include "gearpair/viscosity.h"
#include "stageforms_fixture.h"

namespace
{

using platform::DialogAction;
using platform::DialogModel;
using platform::DialogResult;

class Lubricant : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        GearPair.LubricantName = "CLP 220";
        GearPair.v40 = 220;
        GearPair.v50 = 0;
        GearPair.v100 = 0;
        GearPair.rho15 = 0;
        GearPair.TOil = 70;
    }
};

TEST_F(Lubricant, DerivationNeedsAPositiveSource)
{
    TForm_qyr1visk f;
    const std::string before = f.Control("Edit_visko40").Text;
    for (const char* zero : {"", "0", "-5", "abc"}) {
        f.Control("Edit_visko50").Text = zero;
        EXPECT_EQ(f.Press("Button_visko40"), DialogAction::None);
        EXPECT_EQ(f.Control("Edit_visko40").Text, before) << "nu50 '" << zero << "'";
        f.Press("Button_visko100");
        EXPECT_EQ(f.Control("Edit_visko100").Text, "0") << zero;
    }
}

TEST_F(Lubricant, DerivedViscosities)
{
    // On the viscosity line of slope 3.726: 100 mm2/s at 50 C is 178.0 at
    // 40 C and 14.06 at 100 C.
    TForm_qyr1visk f;
    f.Control("Edit_visko50").Text = "100";
    f.Press("Button_visko40");
    EXPECT_EQ(f.Control("Edit_visko40").Text, "178");
    f.Press("Button_visko100");
    EXPECT_EQ(f.Control("Edit_visko100").Text, "14.06");
    // Back from the rounded 178 at 40 C: 99.99 at 50 C.
    f.Control("Edit_visko40").Text = "178";
    f.Press("Button_visko50");
    EXPECT_EQ(f.Control("Edit_visko50").Text, "99.99");
    f.Press("Button_rho");
    f.Press("Button_temp");
    EXPECT_EQ(f.Control("Edit_rho").Text, "0.9");
    EXPECT_EQ(f.Control("Edit_temp").Text, "80");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(GearPair.v50, 99.99L);
    EXPECT_EQ(GearPair.v100, 14.06L);
    EXPECT_EQ(GearPair.rho15, 0.9L);
    EXPECT_EQ(GearPair.TOil, 80);
    EXPECT_EQ(GearPair.LubricantName, "CLP 220");
}

TEST_F(Lubricant, ViscosityAtTheWorkingTemperature)
{
    GearPair.v100 = 100;
    TForm_qyr1visk f;
    f.Control("Edit_temp").Text = "80";
    f.Changed("Edit_temp");
    // 100 mm2/s at 100 C is 287.6 at 80 C.
    EXPECT_EQ(f.Control("Label_viskot").Caption, "Lubricant viscosity at 80\xB0"
                                                 "C: 287.6 mm\xB2/s");
}

struct UndefinedCase {
    const char* name;
    const char* nu100;
    const char* temp;
    bool badViscosity;
};

class LubricantUndefined : public Lubricant, public ::testing::WithParamInterface<UndefinedCase>
{
};

TEST_P(LubricantUndefined, ShowsNothingInsteadOfANaN)
{
    const UndefinedCase& c = GetParam();
    TForm_qyr1visk f;
    f.Control("Edit_visko100").Text = c.nu100;
    f.Control("Edit_temp").Text = c.temp;
    f.Changed("Edit_temp");
    EXPECT_EQ(f.Control("Label_viskot").Caption, "") << c.name;
    if (!c.badViscosity) return;
    f.Control("Edit_visko50").Text = c.nu100;
    const std::string before = f.Control("Edit_visko40").Text;
    f.Press("Button_visko40");
    EXPECT_EQ(f.Control("Edit_visko40").Text, before);
}

INSTANTIATE_TEST_SUITE_P(Cases, LubricantUndefined,
                         ::testing::Values(UndefinedCase{"zero viscosity", "0", "80", true},
                                           UndefinedCase{"negative viscosity", "-3", "80", true},
                                           UndefinedCase{"absolute zero", "100", "-273", false},
                                           UndefinedCase{"below absolute zero", "100", "-400", false}),
                         [](const auto& info) { return testnames::Identifier(info.param.name); });

TEST_F(Lubricant, ConverterOpensWithHundredAndZero)
{
    TForm_viskot f;
    EXPECT_EQ(f.Control("Edit_visko50").Text, "100");
    EXPECT_EQ(f.Control("Edit_temp").Text, "0");
    EXPECT_EQ(f.Given(), 0);
    EXPECT_TRUE(f.Control("Edit_visko50").Enabled);
    EXPECT_FALSE(f.Control("Edit_visko40").Enabled);
    EXPECT_FALSE(f.Control("Button_htvisko").Visible);
    f.FormShow();
    EXPECT_EQ(f.Control("Edit_visko40").Text, "178");
    EXPECT_EQ(f.Caption(), "Lubricant viscosity");
}

TEST_F(Lubricant, ConverterFromTheViscosityAtEightyDegrees)
{
    // 20 mm2/s at 80 C: 67.56 at 50 C and 114.8 at 40 C.
    TForm_viskot f;
    f.FormShow();
    f.Control("RadioGroup_visko_2").Checked = true;
    f.Changed("RadioGroup_visko_2");
    EXPECT_TRUE(f.Control("Edit_viskox").Enabled);
    EXPECT_FALSE(f.Control("Edit_visko50").Enabled);
    f.Control("Edit_temp").Text = "80";
    f.Changed("Edit_temp");
    EXPECT_EQ(f.Control("Label_viskox").Caption, "Lubricant viscosity nue 80");
    f.Control("Edit_viskox").Text = "20";
    f.Changed("Edit_viskox");
    EXPECT_EQ(f.Control("Edit_visko50").Text, "67.56");
    EXPECT_EQ(f.Control("Edit_visko40").Text, "114.8");
    EXPECT_TRUE(SameBits(f.Nu50, ViscosityAtTemp(20, 80, 50)));
    EXPECT_NEAR(static_cast<double>(f.Nu50), 67.562114, 1e-5);
}

TEST_F(Lubricant, ConverterShowsNothingForAnUndefinedLine)
{
    TForm_viskot f;
    f.FormShow();
    const std::string nu40 = f.Control("Edit_visko40").Text;
    for (const char* bad : {"0", "-1"}) {
        f.Control("Edit_visko50").Text = bad;
        f.Changed("Edit_visko50");
        EXPECT_EQ(f.Control("Edit_visko40").Text, nu40) << bad;
    }
    f.Control("Edit_visko50").Text = "100";
    f.Control("Edit_temp").Text = "-300";
    f.Changed("Edit_temp");
    EXPECT_EQ(f.Control("Edit_visko40").Text, nu40);
}

TEST_F(Lubricant, CallerGetsTheViscosityAtFiftyBackOnOk)
{
    hp.HeadlessDialogs().QueueScript([](DialogModel& m) {
        auto& f = static_cast<TForm_viskot&>(m);
        EXPECT_EQ(f.Control("Edit_visko50").Text, "220");
        f.Control("RadioGroup_visko_1").Checked = true;
        f.Changed("RadioGroup_visko_1");
        f.Control("Edit_visko40").Text = "178";
        f.Changed("Edit_visko40");
        return f.Press("Button_ok") == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
    });
    std::string text = "220";
    EXPECT_TRUE(AskViscosityAt50(text));
    EXPECT_EQ(text, "99.99");
    EXPECT_FALSE(telmvar.Aborted);

    hp.HeadlessDialogs().QueueScript([](DialogModel& m) {
        m.Control("Edit_visko50").Text = "5";
        return m.Press("Button_cancel") == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
    });
    EXPECT_FALSE(AskViscosityAt50(text));
    EXPECT_EQ(text, "99.99") << "Cancel hands nothing back";
    EXPECT_FALSE(telmvar.Aborted);
}

} // namespace
