// The operating data dialog of a planet bearing as a plain model: what it
// shows in either unit system, what OK stores, the enabling rules of the
// life factor modes and contamination levels, the "<" buttons calculating
// on a copy, and the edit command around it.
#include "planetary_fixture.h"

#include "common/askedboxes.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "planetary/bearings/bearinglife.h"
#include "planetary/bearings/bearingselection.h"
#include "planetary/bearings/operationdata.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stage.h"
#include "platform/headless/platform_headless.h"

#include <string>
#include <vector>

namespace
{

using platform::DialogAction;

class OperationData : public StageTest
{
  protected:
    void SetUp() override
    {
        StageTest::SetUp();
        wtelmvar.UnitSystem = 0;
        telmvar.HelpLevel = 0;
        // A cylindrical roller bearing NU205 as the catalogue gives it.
        WaelzLagerTyp& r = PlanetBearings[1];
        r.BearingType = 5;
        r.Designation = "NU205";
        r.d = 25;
        r.D = 52;
        r.B = 15;
        r.C = 22944;
        r.C0 = 21492;
        r.Cu = 2621;
        r.P = 5000;
        r.FrMin = 2500;
        r.Temperature = 70;
        r.nu40 = 123.456L;
        r.a23 = 1.5L;
        r.aISO = 2.5L;
        r.LifeFactorMode = 3;
        r.ContaminationClass = 8;
        r.eC = 0.33L;
        r.ReliabilityIndex = 5;
        r.EPAdditives = false;
        PlanetaryStage.nBearing[1] = -1500;
    }
    void TearDown() override { bearingdialogservices = {}; }
    static void Type(TForm_vq1waelz& f, const std::string& control, const std::string& text)
    {
        f.Control(control).Text = text;
        f.Changed(control);
    }
    static void Click(TForm_vq1waelz& f, const std::string& button)
    {
        f.Control(button).Checked = true;
        f.Changed(button);
    }
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
};

TEST_F(OperationData, ShowsTheRecordInMetricUnits)
{
    TForm_vq1waelz f(1);
    EXPECT_EQ(f.Caption(), "OPERATION DATA");
    EXPECT_EQ(f.Control("Edit_frmin").Text, "2500");
    EXPECT_EQ(f.Control("Label_frminu").Caption, "N");
    EXPECT_EQ(f.Control("Edit_n").Text, "1500") << "the amount of the bearing speed";
    EXPECT_FALSE(f.Control("Edit_n").Enabled);
    EXPECT_EQ(f.Control("Edit_temp").Text, "70");
    EXPECT_EQ(f.Control("Label_visko").Caption, "nominal viscosity lubricant at 40\xB0"
                                                "C");
    EXPECT_EQ(f.Control("Edit_visko").Text, "123.5");
    EXPECT_TRUE(f.Control("RadioGroup_a23_2").Checked);
    EXPECT_TRUE(f.Control("RadioGroup_ec_7").Checked);
    EXPECT_EQ(f.Control("Edit_ec").Text, "0.33");
    EXPECT_EQ(f.Control("ComboBox_proz").Text, "98%       L2m       a1 = 0.37");
    EXPECT_FALSE(f.Control("CheckBox_EP").Checked);
}

TEST_F(OperationData, StoresTypedValuesInEitherUnitSystem)
{
    const struct {
        int System;
        const char *Force, *Temperature;
        double FrMin, Celsius; // N, deg C by hand: 1 lbf = 4.4482216 N, F = 9/5 C + 32
        const char *ShownForce, *ShownTemperature;
    } cases[] = {
        {0, "3000", "80", 3000, 80, "2500", "70"},
        {1, "1000", "212", 4448.2216, 100, "562", "158"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.System);
        wtelmvar.UnitSystem = static_cast<uint16_t>(c.System);
        const WaelzLagerTyp before = PlanetBearings[1];
        TForm_vq1waelz f(1);
        EXPECT_EQ(f.Control("Edit_frmin").Text, c.ShownForce);
        EXPECT_EQ(f.Control("Edit_temp").Text, c.ShownTemperature);
        Type(f, "Edit_frmin", c.Force);
        Type(f, "Edit_temp", c.Temperature);
        Type(f, "Edit_ec", "0.4");
        Click(f, "RadioGroup_a23_3");
        Type(f, "Edit_aiso", "3.25");
        f.Control("ComboBox_proz").Text = TForm_vq1waelz::ReliabilityItems()[13];
        f.Control("CheckBox_EP").Checked = true;
        EXPECT_EQ(PlanetBearings[1], before) << "nothing stored before OK";
        ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
        const WaelzLagerTyp& r = PlanetBearings[1];
        EXPECT_NEAR(D(r.FrMin), c.FrMin, 0.01);
        EXPECT_NEAR(D(r.Temperature), c.Celsius, 1e-9);
        EXPECT_EQ(r.nu40, 123.456L) << "an untouched text keeps every digit";
        EXPECT_EQ(r.LifeFactorMode, 4);
        EXPECT_DOUBLE_EQ(D(r.aISO), 3.25);
        EXPECT_EQ(r.a23, before.a23);
        EXPECT_DOUBLE_EQ(D(r.eC), 0.4);
        EXPECT_EQ(r.ReliabilityIndex, 14);
        EXPECT_TRUE(r.EPAdditives);
        PlanetBearings[1] = before;
    }
}

TEST_F(OperationData, ModesAndLevelsShowAndEnableTheirFields)
{
    TForm_vq1waelz f(1);
    const Extended dm = (25 + 52) / 2.0L;
    for (int mode = 0; mode < 4; ++mode) {
        for (int level = 0; level < 8; ++level) {
            SCOPED_TRACE(testing::Message() << "mode item " << mode << ", level item " << level);
            Click(f, "RadioGroup_a23_" + std::to_string(mode));
            Click(f, "RadioGroup_ec_" + std::to_string(level));
            const bool iso = mode >= 2; // aISO calculated or entered
            EXPECT_EQ(f.Control("RadioGroup_ec").Visible, iso);
            EXPECT_EQ(f.Control("Edit_ec").Visible, iso);
            EXPECT_EQ(f.Control("CheckBox_EP").Visible, iso);
            EXPECT_EQ(f.Control("Edit_a23").Enabled, mode == 1);
            EXPECT_EQ(f.Control("Edit_aiso").Enabled, mode == 3);
            EXPECT_EQ(f.Control("Edit_ec").Enabled, level == 7);
            EXPECT_EQ(f.Control("Edit_ec").Text,
                      level == 7 ? "0.33" : FloatToSignificant(ContaminationFactor(level + 1, dm)));
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(f.Control("RadioGroup_a23_" + std::to_string(i)).Checked, i == mode);
        }
    }
}

TEST_F(OperationData, EnteredEcSurvivesAnotherLevel)
{
    TForm_vq1waelz f(1);
    Type(f, "Edit_ec", "0.45");
    Click(f, "RadioGroup_ec_2");
    EXPECT_NE(f.Control("Edit_ec").Text, "0.45");
    Click(f, "RadioGroup_ec_7");
    EXPECT_EQ(f.Control("Edit_ec").Text, "0.45");
    Click(f, "RadioGroup_ec_4");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(PlanetBearings[1].ContaminationClass, 5);
    EXPECT_DOUBLE_EQ(D(PlanetBearings[1].eC), 0.45) << "the typed eC is kept for \"input ec ..\"";
}

TEST_F(OperationData, LessThanButtonsCalculateOnACopy)
{
    const WaelzLagerTyp before = PlanetBearings[1];
    telmvar.Aborted = false;
    TForm_vq1waelz f(1);
    Type(f, "Edit_visko", "220");
    for (const char* b : {"Button_a23", "Button_aiso"}) {
        SCOPED_TRACE(b);
        EXPECT_EQ(f.Press(b), DialogAction::None);
        EXPECT_EQ(PlanetBearings[1], before) << "the record compares equal after the button";
        EXPECT_FALSE(telmvar.Aborted);
    }
    // The factors belong to the typed viscosity: thick oil, kappa > 1 at
    // 70 deg C and 1500 1/min, so a23 lies above 1; aISO replaces the
    // entered 2.5.
    EXPECT_GT(D(TextToFloat(f.Control("Edit_a23").Text)), 1.0);
    EXPECT_GT(D(TextToFloat(f.Control("Edit_aiso").Text)), 0.0);
    EXPECT_NE(f.Control("Edit_aiso").Text, "2.5");
    EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(PlanetBearings[1], before);
}

TEST_F(OperationData, ReliabilityListAndIndexOutsideIt)
{
    const auto items = TForm_vq1waelz::ReliabilityItems();
    ASSERT_EQ(items.size(), 14u);
    EXPECT_EQ(items[0], "90%       L10m       a1 = 1");
    EXPECT_EQ(items[5], "99%       L1m       a1 = 0.25");
    EXPECT_EQ(items[13], "99.95%       L0.05m       a1 = 0.077");
    for (auto [index, item] : std::vector<std::pair<int, int>>{{0, 0}, {-3, 0}, {14, 13}, {20, 13}}) {
        PlanetBearings[1].ReliabilityIndex = index;
        TForm_vq1waelz f(1);
        EXPECT_EQ(f.Control("ComboBox_proz").Text, items[static_cast<std::size_t>(item)]) << index;
    }
}

TEST_F(OperationData, HintsAndHelpButtons)
{
    std::vector<std::pair<int, int>> shown;
    bearingdialogservices.HelpHint = [](uint16_t n) { return "hint " + std::to_string(n); };
    bearingdialogservices.ShowHelp = [&](uint16_t n, int mode) { shown.emplace_back(n, mode); };
    {
        TForm_vq1waelz f(1);
        EXPECT_EQ(f.Control("Label_n").Hint, "") << "no hints at help level 0";
    }
    telmvar.HelpLevel = 1;
    TForm_vq1waelz f(1);
    const std::pair<const char*, const char*> hints[] = {
        {"Label_frmin", "hint 4180"}, {"Label_n", "hint 4150"},        {"Label_temp", "hint 4160"},
        {"Label_visko", "hint 4170"}, {"RadioGroup_a23", "hint 4210"}, {"Label_proz", "hint 4190"}};
    for (auto [control, hint] : hints)
        EXPECT_EQ(f.Control(control).Hint, hint) << control;
    telmvar.Aborted = true;
    f.Press("Button_hilfetext");
    EXPECT_FALSE(telmvar.Aborted);
    f.Press("Button_hilfebild");
    f.Press("Button_hilfebilda23");
    EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{4295, 1}, {4295, 2}, {4210, 2}}));
}

TEST_F(OperationData, BadNumberIsRefusedAndStoresNothing)
{
    const WaelzLagerTyp before = PlanetBearings[1];
    TForm_vq1waelz f(1);
    Type(f, "Edit_frmin", "12x");
    EXPECT_EQ(f.Press("Button_ok"), DialogAction::None);
    EXPECT_EQ(PlanetBearings[1], before);
    ASSERT_EQ(headless.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_NE(AskedAt(headless.HeadlessMessages().AskedQuestions(), 0).Request.Text.find("12x"),
              std::string::npos);
}

// The project file holds eC 0 .. 1e4; Save refuses a project with eC -0.5, so the form refuses it first.
TEST_F(OperationData, EnteredEcOutsideWhatTheProjectFileHoldsIsRefused)
{
    const struct {
        const char* Typed;
        const char* Box; // empty: taken
        double Stored;
    } cases[] = {
        {"-0.5", "Invalid Input \"-0.5\" ! Valid Data are: 0 .. 10000 !", 0.33},
        {"2e4", "Invalid Input \"2e4\" ! Valid Data are: 0 .. 10000 !", 0.33},
        {"0.5", "", 0.5},
    };
    const auto& asked = headless.HeadlessMessages().AskedQuestions();
    for (const auto& c : cases) {
        PlanetBearings[1].eC = 0.33L;
        TForm_vq1waelz f(1);
        Type(f, "Edit_ec", c.Typed);
        const std::size_t boxes = asked.size();
        EXPECT_EQ(f.Press("Button_ok"), *c.Box ? DialogAction::None : DialogAction::Accept) << c.Typed;
        EXPECT_EQ(asked.size() > boxes ? AskedAt(asked).Request.Text : "", c.Box);
        EXPECT_DOUBLE_EQ(D(PlanetBearings[1].eC), c.Stored) << c.Typed;
    }
}

TEST_F(OperationData, UnitSwitchShowsTheTypedValuesAgain)
{
    const WaelzLagerTyp before = PlanetBearings[1];
    TForm_vq1waelz f(1);
    Type(f, "Edit_temp", "100");
    EXPECT_EQ(f.Press("Button_metric"), DialogAction::None);
    EXPECT_EQ(wtelmvar.UnitSystem, 1);
    EXPECT_EQ(f.Control("Edit_temp").Text, "212");
    EXPECT_EQ(f.Control("Edit_frmin").Text, "562");
    EXPECT_EQ(PlanetBearings[1], before) << "the switch stores into the dialog only";
    f.Press("Button_metric");
    EXPECT_EQ(wtelmvar.UnitSystem, 0);
    EXPECT_EQ(f.Control("Edit_frmin").Text, "2500");
}

TEST_F(OperationData, EditCommandAsksThePlanetAndStoresOnOk)
{
    headless.HeadlessPrompts().QueueSelection(1); // outer planet
    PlanetBearings[2] = PlanetBearings[1];
    headless.HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        EXPECT_EQ(m.FormName(), "TForm_vq1waelz");
        m.Control("Edit_visko").Text = "150";
        return m.Press("Button_ok") == DialogAction::Accept ? platform::DialogResult::Ok
                                                            : platform::DialogResult::Cancel;
    });
    PlanetaryStage.nBearing[2] = 1200;
    telmvar.DataModified = false;
    EditPlanetBearingApplication(0);
    EXPECT_EQ(headless.HeadlessPrompts().Selections().at(0).Items,
              (std::vector<std::string>{"inner Planet (Pi)", "outer Planet (Pe)"}));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(telmvar.DataModified);
    EXPECT_DOUBLE_EQ(D(PlanetBearings[2].nu40), 150);
    EXPECT_GT(D(PlanetBearings[2].L10), 0) << "the life was calculated afterwards";
}

TEST_F(OperationData, EditCommandCancelAndUndefinedBearing)
{
    const WaelzLagerTyp before = PlanetBearings[1];
    headless.HeadlessDialogs().QueueResult(platform::DialogResult::Cancel);
    EditPlanetBearingApplication(1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(PlanetBearings[1], before);
    // Ok without the model's own OK (closed by the host) counts as Cancel.
    headless.HeadlessDialogs().QueueResult(platform::DialogResult::Ok);
    EditPlanetBearingApplication(1);
    EXPECT_TRUE(telmvar.Aborted);
    // A designation without dimensions: the life calculation refuses it, yet
    // the stored fields mark the project modified.
    PlanetBearings[1].D = 0;
    telmvar.DataModified = false;
    headless.HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        m.Control("Edit_temp").Text = "60";
        m.Press("Button_ok");
        return platform::DialogResult::Ok;
    });
    EditPlanetBearingApplication(1);
    EXPECT_DOUBLE_EQ(D(PlanetBearings[1].Temperature), 60);
    EXPECT_TRUE(telmvar.DataModified);
    EXPECT_TRUE(telmvar.Aborted);
}

} // namespace
