// The material form: list codes, stresses in psi, the hardness conversion
// replacing the Brinell hardness alone, and Cancel leaving the records.
#include "common/tempdir.h"
#include "dialogs/calculatorwindow.h"
#include "dialogs/gear/dimensionsform.h"
#include "dialogs/gear/materialform.h"
#include "dialogs/gear/measurementform.h"
#include "dialogs/gear/toolprofileform.h"
#include "dialogs/stage/carrierform.h"
#include "dialogs/stage/driveform.h"
#include "dialogs/stage/lubricantform.h"
#include "dialogs/strength/strengthforms.h"
#include "planetary/bearings/operationdata.h"
#include "planetary/projectfile.h"
#include "stageforms_fixture.h"
#include "xbase/access/tableaccess.h"
#include "xbase/ui/tablebrowser.h"

#include <filesystem>
#include <fstream>
#include <sstream>

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

// A catalogue name holding an a-umlaut, as a table with OEM text stores it (code page 437: 0x84), picked for
// the sun: the project gets it as typed, so the project file holds the code page 437 byte of the letter, as
// it does for a name typed into the material dialog, and the dialog shows the letter.
struct PickedName {
    const char *name, *table, *button;
    int field;
    PerGear<std::string> TPlanetaryGears::*text;
};
class NameFromACatalogue : public GearMaterial, public ::testing::WithParamInterface<PickedName>
{
};
TEST_P(NameFromACatalogue, ReachesTheProjectFileAsTyped)
{
    namespace fs = std::filesystem;
    const PickedName& c = GetParam();
    const std::string dir = testdirs::MakeTempDir("pickedname");
    fs::create_directory(dir + "/temp");
    const std::string table = dir + "/" + c.table + ".dbf";
    fs::copy_file(fs::path(QYR7_DATA_DIR) / (std::string(c.table) + ".dbf"), table);
    telmvar.DbfDir = dir;
    telmvar.TempDir = dir + "/temp";
    // Typed into record 2 through the table's dataset, which stores it as the table's text.
    dbf4.OpenTable(table);
    ASSERT_TRUE(dbf4.GoRecord(2) && dbf4.SetFieldText(c.field, "Stahl \xE4") && dbf4.tzdbf.Post());
    dbf4.CloseTable();
    hp.HeadlessDialogs().QueueScript([](DialogModel& m) {
        static_cast<TDbfBrowserModel&>(m).RecordNo = 2;
        return DialogResult::Ok;
    });
    const auto saved = [&](const std::string& stem) {
        EXPECT_TRUE(WriteProjectData(dir + "/" + stem + ".qy7"));
        std::ifstream in(dir + "/" + stem + ".qy7", std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    };
    if (std::string(c.button) == "Button1") {
        TForm_qyr7wst f;
        f.Press(c.button);
        EXPECT_EQ(f.Control("Edit_name1").Text, "Stahl \xE4") << "the dialog shows the letter";
        ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    } else {
        TForm_qyr7prof f;
        f.Press(c.button);
        ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    }
    EXPECT_EQ((PlanetaryGears.*c.text)[1], "Stahl \x84");
    const std::string picked = saved("picked");
    EXPECT_NE(picked.find("Stahl \x84"), std::string::npos);
    EXPECT_EQ(picked.find("Stahl \xE4"), std::string::npos);
    if (std::string(c.button) == "Button1") {
        TForm_qyr7wst f;
        f.Control("Edit_name1").Text = "Stahl \xE4";
        ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
        EXPECT_EQ(saved("typed"), picked);
    }
    ResetDbf4();
    testdirs::RemoveTempDir(dir);
}
INSTANTIATE_TEST_SUITE_P(
    Picks, NameFromACatalogue,
    ::testing::Values(PickedName{"Material", "qyrwst", "Button1", 1, &TPlanetaryGears::MaterialName},
                      PickedName{"ToolProfile", "q1toolx", "Button_db1", 15, &TPlanetaryGears::ProfileName}),
    [](const auto& i) { return std::string(i.param.name); });

// Record 2 of a copy of the material table with its Poisson ratio (NU: header 481 bytes, records of 162,
// NU at 92) made "abc", picked for the outer planet: after the error box the planet's fields show what they
// showed, not the material the gear pair holds for its gear 1.
TEST_F(GearMaterial, ARefusedRecordLeavesTheFormAsItWas)
{
    const std::string dir = testdirs::MakeTempDir("refusedmaterial");
    std::filesystem::create_directory(dir + "/temp");
    std::filesystem::copy_file(std::filesystem::path(QYR7_DATA_DIR) / "qyrwst.dbf", dir + "/qyrwst.dbf");
    std::fstream(dir + "/qyrwst.dbf", std::ios::in | std::ios::out | std::ios::binary).seekp(481 + 162 + 92)
        << "  abc";
    telmvar.DbfDir = dir;
    telmvar.TempDir = dir + "/temp";
    GearPair.MaterialName[1] = "another gear's";
    GearPair.HB[1] = 200;
    GearPair.nu[1] = 0.25L;
    TForm_qyr7wst f;
    const auto texts = [&f] {
        std::vector<std::string> t;
        for (const auto& c : f.Controls())
            if (c.Name.back() == '3') t.push_back(c.Name + "=" + c.Text);
        return t;
    };
    const auto before = texts();
    hp.HeadlessDialogs().QueueScript([](DialogModel& m) {
        static_cast<TDbfBrowserModel&>(m).RecordNo = 2;
        return DialogResult::Ok;
    });
    f.Press("Button3");
    EXPECT_EQ(hp.HeadlessMessages().AskedQuestions().size(), 1u) << "the error box";
    EXPECT_EQ(texts(), before);
    ResetDbf4();
    testdirs::RemoveTempDir(dir);
}

template <class F, auto... Args> std::unique_ptr<platform::DialogModel> Make()
{
    return std::make_unique<F>(Args...);
}

// The file holds E 0.001 .. 1e7 MPa, teeth 2 .. 5000, sizes 0 or 0.01 .. 1e5 mm, factors 0 .. 1e4;
// inch and psi bounds round inwards (1 MPa = 145.037 psi; 1e5 mm = 3937.008 in). Temperatures
// -273 .. 1000 C are -459.4 .. 1832 F (C * 9/5 + 32), bearing loads 0 .. 1e12 N 0 .. 2.24809e11 lbf
// (4.44822 N/lbf). 1e10 N m at 1000 /min give 1e10 * 2 pi * 1000 / 60000 = 1047197551.2 kW, named with
// six digits as the bounds are.
TEST_F(StageForms, ANumberTheProjectFileCannotHoldIsRefusedWithItsRange)
{
    const struct {
        std::unique_ptr<platform::DialogModel> (*make)();
        const char *edit, *text, *range;
        int units = 0;
        const char* said = nullptr; // the box's words before the range, when not "Invalid Input"
    } cases[] = {
        {Make<TForm_qyr7carr>, "Edit_dcarrier", "2e5", "-100000 .. 100000"},
        {Make<TForm_qyr7fs0>, "Edit_ynt3", "-1", "0 .. 10000"},
        {Make<TForm_qyr1visk>, "Edit_temp", "2000", "-459.4 .. 1832", 1},
        {Make<TForm_vq1waelz, 1>, "Edit_temp", "-500", "-459.4 .. 1832", 1},
        {Make<TForm_vq1waelz, 2>, "Edit_frmin", "-1", "0 .. 2.24809e+11", 1},
        {Make<TForm_vq1waelz, 1>, "Edit_visko", "2e6", "0 .. 1e+06"},
        {Make<TForm_qyr7antr>, "Edit_tantr", "1e10", "-1e+09 .. 1e+09", 0,
         "The power P = 1.0472e+09 kW that the torque and speed give is out of range !"},
        {Make<TForm_qyr7antr>, "Edit_tantr", "1e40", "-1e+09 .. 1e+09", 0,
         "The power P = 1.0472e+39 kW that the torque and speed give is out of range !"},
        {Make<TForm_qyr7wst>, "Edit_e1", "0", "0.001 .. 1e+07"},
        {Make<TForm_qyr7wst>, "Edit_e1", "0.1", "0.145037 .. 1.45037e+09", 1},
        {Make<TForm_qyr7geo>, "Edit_z4", "6000", "-5000 .. -2, 2 .. 5000"},
        {Make<TForm_qyr7geo>, "Edit_alpha", "61", "0, 1 .. 60"},
        {Make<TForm_qyr7geo>, "Edit_alpha", "-5", "0, 1 .. 60"},
        {Make<TForm_qyr7geo>, "Edit_db2", "-0.005", "-100000 .. -0.01, 0, 0.01 .. 100000"},
        {Make<TForm_qyr7geo>, "Edit_b1", "4000", "0, 0.000393701 .. 3937", 1},
        {Make<TForm_qyr7mes>, "Edit_k1", "5001", "-5000 .. 5000"},
        {Make<TForm_qyr7fs0>, "Edit_znt2", "1e5", "0 .. 10000"},
    };
    const auto& asked = hp.HeadlessMessages().AskedQuestions();
    for (const auto& c : cases) {
        SetUp();
        wtelmvar.UnitSystem = c.units;
        GearPair.LifeFactorInput = 1; // life factors entered
        const auto f = c.make();
        const TProjectData before = CaptureProject();
        f->Control(c.edit).Text = c.text;
        f->Changed(c.edit); // as the widget tells the form
        const std::size_t boxes = asked.size();
        const std::string said = c.said ? c.said : "Invalid Input \"" + std::string(c.text) + "\" !";
        const std::string box = *c.range ? said + " Valid Data are: " + c.range + " !" : "";
        EXPECT_EQ(f->Press("Button_ok") == platform::DialogAction::None, !box.empty()) << c.edit << c.text;
        EXPECT_EQ(asked.size() > boxes ? asked.back().Request.Text : "", box);
        EXPECT_TRUE(box.empty() || SameProjectFile(before, CaptureProject())) << c.edit << ": nothing stored";
    }
}

} // namespace
