// The common stage-dialog model: load and store through one binding list,
// the bit-for-bit rule for untouched texts, refused texts that store nothing,
// the Loading guard and the standard buttons.
#include "common/askedboxes.h"
#include "dialogs/dialogservices.h"
#include "dialogs/helptext.h"
#include "dialogs/messageboxes.h"
#include "dialogs/stagedialog.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/graphfacade.h"
#include "platform/headless/platform_headless.h"
#include "reports/engine/reportservices.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <string>
#include <vector>

using platform::DialogAction;

namespace
{

// The records a form edits.
struct Records {
    Extended viscosity = 123.456L; // shown "123.5"
    Extended width = 33.3333333333L;
    Extended roughness = 1.23456L;
    Extended stress = 1500.4321L;
    Extended torque = 1234.5678L;
    Extended temperature = 71.1111L;
    Extended factor = 1.23456789L;
    int32_t teeth = 17;
    uint16_t pairs = 3;
    char crowning = 'J';
    bool notch = false;
    std::string remark = "20\xF8 \xB3";
};

class StageDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        telmvar.ProgramName = "QYR7";
        m.Bind("Edit_visc", TFieldKind::Sig3, &r.viscosity);
        m.Bind("Edit_b", TFieldKind::Length, &r.width);
        m.Bind("Edit_ra", TFieldKind::MicroLength, &r.roughness);
        m.Bind("Edit_sig", TFieldKind::Stress, &r.stress);
        m.Bind("Edit_t", TFieldKind::Torque, &r.torque);
        m.Bind("Edit_temp", TFieldKind::Temperature, &r.temperature);
        m.Bind("Edit_f", TFieldKind::Sig6, &r.factor);
        m.Bind("Edit_z", TFieldKind::Integer, &r.teeth);
        m.Bind("Edit_np", TFieldKind::Integer, &r.pairs);
        m.Bind("CheckBox_crown", TFieldKind::YesNoChar, &r.crowning);
        m.Bind("CheckBox_notch", TFieldKind::Boolean, &r.notch);
        m.Bind("Edit_rem", TFieldKind::Text, &r.remark);
    }
    std::string& Text(const char* name) { return m.Control(name).Text; }

    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform use{hp};
    Records r;
    TStageDialogModel m{"TForm_test", "Test"};
};

bool SameBits(const Records& a, const Records& b)
{
    auto same = [](Extended x, Extended y) { return std::memcmp(&x, &y, 10) == 0; };
    return same(a.viscosity, b.viscosity) && same(a.width, b.width) && same(a.roughness, b.roughness) &&
           same(a.stress, b.stress) && same(a.torque, b.torque) && same(a.temperature, b.temperature) &&
           same(a.factor, b.factor) && a.teeth == b.teeth && a.pairs == b.pairs && a.crowning == b.crowning &&
           a.notch == b.notch && a.remark == b.remark;
}

struct UntouchedCase {
    const char* name;
    uint16_t unitSystem;
    const char* action;
};

void PrintTo(const UntouchedCase& c, std::ostream* os)
{
    *os << c.name;
}

class Untouched : public StageDialog, public ::testing::WithParamInterface<UntouchedCase>
{
};

TEST_P(Untouched, EveryValueStaysBitForBit)
{
    wtelmvar.UnitSystem = GetParam().unitSystem;
    int calculated = 0;
    dialogservices.CalculateStage = [&] { ++calculated; };
    const Records before = r;
    m.LoadFields();
    m.Press(GetParam().action);
    EXPECT_TRUE(SameBits(r, before));
    EXPECT_TRUE(hp.HeadlessMessages().AskedQuestions().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, Untouched,
                         ::testing::Values(UntouchedCase{"OkMetric", 0, "Button_ok"},
                                           UntouchedCase{"OkInch", 1, "Button_ok"},
                                           UntouchedCase{"OkKilonewton", 4, "Button_ok"},
                                           UntouchedCase{"CalcInch", 1, "Button_calc"},
                                           UntouchedCase{"MetricSwitch", 0, "Button_metric"},
                                           UntouchedCase{"Cancel", 0, "Button_cancel"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StageDialog, LoadShowsTheCurrentUnits)
{
    m.LoadFields();
    EXPECT_EQ(Text("Edit_visc"), "123.5");
    EXPECT_EQ(Text("Edit_z"), "17");
    EXPECT_EQ(Text("Edit_rem"), "20\xB0 |"); // display form of the DOS bytes
    EXPECT_TRUE(m.Control("CheckBox_crown").Checked);
    EXPECT_FALSE(m.Control("CheckBox_notch").Checked);
    wtelmvar.UnitSystem = 1;
    r.width = 25.4L;
    m.LoadFields();
    EXPECT_EQ(Text("Edit_b"), "1.0000");
}

TEST_F(StageDialog, ChangedTextsAreParsedInTheCurrentUnit)
{
    wtelmvar.UnitSystem = 1;
    m.LoadFields();
    Text("Edit_b") = "2";
    Text("Edit_visc") = " 200,5";
    Text("Edit_np") = "4";
    Text("Edit_rem") = "M\xFC";
    m.Control("CheckBox_crown").Checked = false;
    m.Control("CheckBox_notch").Checked = true;
    EXPECT_EQ(m.Press("Button_ok"), DialogAction::Accept);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(r.width, 2 * 25.4L);
    EXPECT_EQ(r.viscosity, 200.5L);
    EXPECT_EQ(r.pairs, 4);
    EXPECT_EQ(r.remark, "M\x81");
    EXPECT_EQ(r.crowning, 'N');
    EXPECT_TRUE(r.notch);
    EXPECT_EQ(r.teeth, 17);
}

TEST_F(StageDialog, ATextThatIsNoNumberStoresNothingAndKeepsTheFormOpen)
{
    m.LoadFields();
    Text("Edit_visc") = "150";
    Text("Edit_z") = "seventeen";
    EXPECT_EQ(m.Press("Button_ok"), DialogAction::None);
    EXPECT_EQ(r.viscosity, 123.456L) << "nothing stored before every text was checked";
    ASSERT_EQ(hp.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(hp.HeadlessMessages().AskedQuestions(), 0).Request.Text,
              "Invalid Input \"seventeen\" !");
    EXPECT_EQ(hp.HeadlessSound().Beeps(), 1);
    Text("Edit_z") = "nan";
    EXPECT_EQ(m.Press("Button_calc"), DialogAction::None);
    Text("Edit_z") = "19";
    EXPECT_EQ(m.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(r.teeth, 19);
    EXPECT_EQ(r.viscosity, 150);
}

TEST_F(StageDialog, EditingBackToTheLoadedTextStoresIt)
{
    int calculated = 0;
    dialogservices.CalculateStage = [&] { ++calculated; };
    m.LoadFields();
    Text("Edit_visc") = "99";
    EXPECT_EQ(m.Press("Button_calc"), DialogAction::Raise);
    EXPECT_EQ(calculated, 1);
    EXPECT_EQ(r.viscosity, 99);
    Text("Edit_visc") = "123.5";
    EXPECT_EQ(m.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(r.viscosity, 123.5L);
}

TEST_F(StageDialog, MetricSwitchStoresTogglesAndReloads)
{
    m.LoadFields();
    Text("Edit_b") = "25.4";
    m.Press("Button_metric");
    EXPECT_EQ(wtelmvar.UnitSystem, 1);
    EXPECT_EQ(r.width, 25.4L);
    EXPECT_EQ(Text("Edit_b"), "1.0000");
    m.Press("Button_metric");
    EXPECT_EQ(wtelmvar.UnitSystem, 0);
    EXPECT_EQ(r.width, 25.4L) << "untouched inch text not read back";
}

TEST_F(StageDialog, LoadingGuardBlocksChangeHandlers)
{
    std::vector<std::string> changed;
    m.OnChanged = [&](const std::string& n) { changed.push_back(n); };
    m.AfterLoad = [&] { m.Changed("Edit_visc"); };
    m.LoadFields();
    EXPECT_TRUE(changed.empty());
    EXPECT_FALSE(m.Loading());
    m.Changed("Edit_z");
    EXPECT_EQ(changed, std::vector<std::string>{"Edit_z"});
}

TEST_F(StageDialog, CancelHelpAndOwnButtons)
{
    telmvar.PltDir = "/nonexistent-qyr7-help";
    DisplayList.Records = {"4;1;1;2;2"};
    m.HelpTextNumber = 4800;
    m.HelpPictureNumber = 4805;
    m.OnPress = [](const std::string& n) {
        return n == "Button_prop" ? DialogAction::Raise : DialogAction::None;
    };
    m.LoadFields();
    Text("Edit_visc") = "1";
    EXPECT_EQ(m.Press("Button_cancel"), DialogAction::Reject);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(r.viscosity, 123.456L);
    EXPECT_EQ(m.Press("Escape"), DialogAction::Reject);
    EXPECT_EQ(m.Press("Button_hilfetext"), DialogAction::None);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(m.Press("Button_hilfebild"), DialogAction::Raise);
    EXPECT_EQ(m.Press("Button_prop"), DialogAction::Raise);
    ASSERT_EQ(hp.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(hp.HeadlessMessages().AskedQuestions(), 0).Request.Caption, "HELP TEXT No.4800");
    EXPECT_EQ(std::count(DisplayList.Records.begin(), DisplayList.Records.end(), "4;1;1;2;2"), 0)
        << "the picture button started a new picture";
    EXPECT_EQ(m.Caption(), "QYR7 Test");
}

} // namespace
