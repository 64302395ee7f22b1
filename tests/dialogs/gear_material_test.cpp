// The material form: list codes, stresses in psi, the hardness conversion
// replacing the Brinell hardness alone, and Cancel leaving the records.
#include "dialogs/calculatorwindow.h"
#include "dialogs/gear/materialform.h"
#include "stageforms_fixture.h"

namespace
{

using platform::DialogAction;
using platform::DialogModel;
using platform::DialogResult;

class GearMaterial : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        TPlanetaryGears& p = PlanetaryGears;
        for (int g = 1; g <= 4; ++g) {
            p.MaterialKind[g] = 2;
            p.HeatTreatment[g] = 2;
            p.Sigma_FE[g] = 860;
            p.SigmaHlim[g] = 1500;
            p.HB[g] = 600;
            p.E[g] = 206000;
            p.nu[g] = 0.3L;
            p.rho[g] = 7.85L;
        }
    }
};

TEST_F(GearMaterial, ListCodes)
{
    TForm_qyr7wst f;
    EXPECT_EQ(f.Control("ComboBox_wstyp3").Text, "Case-hardening steel (Eh)");
    EXPECT_EQ(f.Control("ComboBox_warm3").Text, "case-hardened (Eh)");
    f.Control("ComboBox_wstyp1").Text = "Low carbon steel (St)";
    f.Control("ComboBox_warm1").Text = "none";
    f.Control("ComboBox_warm2").Text = "nitrocar.(NV)";
    f.Control("ComboBox_wstyp4").Text = "something typed";
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    const TPlanetaryGears& p = PlanetaryGears;
    EXPECT_EQ(p.MaterialKind[1], 1);
    EXPECT_EQ(p.HeatTreatment[1], 0);
    EXPECT_EQ(p.HeatTreatment[2], 7);
    EXPECT_EQ(p.MaterialKind[4], 2) << "a text that is no item keeps the stored kind";
}

TEST_F(GearMaterial, InchShowsStressesInPsi)
{
    wtelmvar.UnitSystem = 1;
    TForm_qyr7wst f;
    // 1 psi = 0.006894757 MPa.
    EXPECT_NEAR(std::stod(f.Control("Edit_sighlim1").Text), 1500 / 0.006894757, 50);
    EXPECT_EQ(f.Control("Edit_hb1").Text, "600");
    EXPECT_EQ(f.Control("Edit_mue1").Text, "0.3");
    EXPECT_EQ(f.Control("Label_sigfeu").Caption, "psi");
    f.Control("Edit_e2").Text = "30000000";
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_NEAR(static_cast<double>(PlanetaryGears.E[2]), 30e6 * 0.006894757, 30e6 * 0.006894757 * 1e-5);
    EXPECT_TRUE(SameBits(PlanetaryGears.E[1], 206000)) << "untouched";
}

TEST_F(GearMaterial, HardnessConversionReplacesOnlyTheBrinellHardness)
{
    TForm_qyr7wst f;
    // HV 300 is HB 285 (0.95 HV) in the steel conversion table.
    hp.HeadlessDialogs().QueueScript([](DialogModel& m) {
        auto& w = static_cast<TForm_online&>(m);
        w.Control("ed_2").Text = "300";
        w.Changed("ed_2");
        return w.KeyDown(2, OnlineKeyEnter) == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
    });
    hp.HeadlessDialogs().QueueScript([](DialogModel& m) {
        return m.Press("Escape") == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
    });
    const std::string sigma = f.Control("Edit_sighlim3").Text;
    f.Press("Button_hb3");
    EXPECT_EQ(f.Control("Edit_hb3").Text, "285");
    EXPECT_EQ(f.Control("Edit_hb1").Text, "600");
    EXPECT_EQ(f.Control("Edit_sighlim3").Text, sigma);
    EXPECT_EQ(PlanetaryGears.HB[3], 600) << "nothing stored before OK";
}

TEST_F(GearMaterial, CancelLeavesTheRecords)
{
    const TPlanetaryGears before = PlanetaryGears;
    TForm_qyr7wst f;
    f.Control("Edit_hb1").Text = "1";
    f.Control("ComboBox_warm1").Text = "none";
    EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
    for (int g = 1; g <= 4; ++g) {
        EXPECT_TRUE(SameBits(PlanetaryGears.HB[g], before.HB[g]));
        EXPECT_EQ(PlanetaryGears.HeatTreatment[g], before.HeatTreatment[g]);
    }
}

} // namespace
