// The diagram limits dialog without widgets: what its edits show, what OK
// refuses and stores, Cancel and Help; and the diagram frame asking it
// through the hook the application installs.
#include "dialogs/diagramlimits.h"

#include "common/testnames.h"

#include "common/askedboxes.h"
#include "dialogs/dialogservices.h"
#include "dialogs/messageboxes.h"
#include "foundation/foundationstate.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cadsettings.h"
#include "graphics/diagrams/diagram.h"
#include "graphics/graphservices.h"
#include "platform/headless/platform_headless.h"
#include "reports/engine/reportservices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::DialogAction;

namespace
{

class DiagramLimits : public ::testing::Test
{
  protected:
    DiagramLimits() : scope_(hp) {}
    void SetUp() override
    {
        telmvar.ProgramName = "QYR7";
        telmvar.PltDir = QYR7_DATA_DIR;
        diagramstate.DiagLimits = {{{10, 20, 30, 40}}};
    }
    std::vector<std::string> Edits(const TEinDiagramLimits& m) const
    {
        std::vector<std::string> e;
        for (const char* n : {"Edit_xmin", "Edit_ymin", "Edit_xmax", "Edit_ymax"})
            e.push_back(m.FindControl(n)->Text);
        return e;
    }
    std::vector<std::string> Boxes()
    {
        std::vector<std::string> b;
        for (const auto& a : hp.HeadlessMessages().AskedQuestions())
            b.push_back(a.Request.Text);
        return b;
    }
    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform scope_;
};

TEST_F(DiagramLimits, OpensWithTheLimitsEnteredLast)
{
    TEinDiagramLimits m;
    m.SetAutoLimits(0, 0, 40, 50);
    m.SetAxisLabels("N [mill.]", "T [Nm]");
    m.SetTitle("load spectrum");
    EXPECT_EQ(Edits(m), (std::vector<std::string>{"10", "20", "30", "40"}));
    EXPECT_EQ(m.Caption(), "load spectrum");
    EXPECT_EQ(m.FindControl("Label_x")->Caption, "N [mill.]");
    EXPECT_EQ(m.FindControl("Button_calc")->Caption, "Calculate");
    EXPECT_EQ(m.FindControl("Button_help")->Caption, "&Help Text");
    EXPECT_FALSE(m.FindControl("GroupBox_diagram")->Enabled);
    EXPECT_EQ(TEinDiagramLimits().Caption(), "QYR7") << "the program's name until a title is given";
}

struct TCalcCase {
    const char* Name;
    uint16_t ScaleType;
    std::vector<std::string> Shown;
};

// Automatic limits x 0..7, y 1..3: exponents on a logarithmic axis.
const TCalcCase CalcCases[] = {
    {"linear", 0, {"0", "1", "7", "3"}},
    {"log y", 2, {"0", "10", "7", "1000"}},
    {"log x and y", 3, {"1", "10", "10000000", "1000"}},
    {"log x", 4, {"1", "1", "10000000", "3"}},
};

class DiagramLimitsCalculate : public DiagramLimits, public ::testing::WithParamInterface<TCalcCase>
{
};

TEST_P(DiagramLimitsCalculate, ShowsTheAutomaticLimitsAsNumbers)
{
    const TCalcCase& c = GetParam();
    SetDiagramScaleType(c.ScaleType);
    TEinDiagramLimits m;
    m.SetAutoLimits(0, 1, 7, 3);
    EXPECT_EQ(m.Press("Button_calc"), DialogAction::None);
    EXPECT_EQ(Edits(m), c.Shown);
    EXPECT_EQ(diagramstate.DiagLimits[3], 30) << "nothing stored before OK";
}

INSTANTIATE_TEST_SUITE_P(Diagram, DiagramLimitsCalculate, ::testing::ValuesIn(CalcCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

struct TOkCase {
    const char* Name;
    uint16_t ScaleType;
    std::vector<std::string> Typed; // x min, y min, x max, y max
    const char* Message;            // "" when stored
};

const TOkCase OkCases[] = {
    {"linear zero and negatives stored", 0, {"0", "-5", "100", "2,5"}, ""},
    {"log x refuses x min 0", 4, {"0", "0", "100", "50"}, "Error: x = 0 !"},
    {"log x refuses negative x max", 3, {"1", "1", "-100", "50"}, "Error: x = 0 !"},
    {"log y refuses y min 0", 2, {"0", "0", "100", "50"}, "Error: y = 0 !"},
    {"log x and y with positive limits", 3, {"1", "10", "1e7", "1000"}, ""},
    {"text that is no number", 0, {"0", "zero", "100", "50"}, "Invalid Input \"zero\" !"},
};

class DiagramLimitsOk : public DiagramLimits, public ::testing::WithParamInterface<TOkCase>
{
};

TEST_P(DiagramLimitsOk, StoresOrRefusesWithAMessage)
{
    const TOkCase& c = GetParam();
    SetDiagramScaleType(c.ScaleType);
    TEinDiagramLimits m;
    const char* names[4] = {"Edit_xmin", "Edit_ymin", "Edit_xmax", "Edit_ymax"};
    for (int i = 0; i < 4; ++i)
        m.Control(names[i]).Text = c.Typed[static_cast<size_t>(i)];
    const DialogAction a = m.Press("Button_ok");
    if (std::string(c.Message).empty()) {
        EXPECT_EQ(a, DialogAction::Accept);
        EXPECT_TRUE(Boxes().empty());
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(diagramstate.DiagLimits[i + 1], TextToFloat(c.Typed[static_cast<size_t>(i)])) << i;
    } else {
        EXPECT_EQ(a, DialogAction::None) << "the dialog stays open";
        EXPECT_EQ(Boxes(), std::vector<std::string>{c.Message});
        EXPECT_EQ(diagramstate.DiagLimits[1], 10) << "nothing stored";
        EXPECT_EQ(diagramstate.DiagLimits[4], 40);
    }
}

INSTANTIATE_TEST_SUITE_P(Diagram, DiagramLimitsOk, ::testing::ValuesIn(OkCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST_F(DiagramLimits, CancelSetsAbortedAndHelpShowsItsEntry)
{
    TEinDiagramLimits m;
    m.Control("Edit_xmin").Text = "5";
    telmvar.Aborted = true;
    EXPECT_EQ(m.Press("Button_help"), DialogAction::None);
    EXPECT_FALSE(telmvar.Aborted);
    ASSERT_EQ(hp.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(hp.HeadlessMessages().AskedQuestions(), 0).Request.Caption, "HELP TEXT No.1950");
    EXPECT_NE(AskedAt(Boxes(), 0).find("Diagram limits"), std::string::npos);
    EXPECT_EQ(m.Press("Button_cancel"), DialogAction::Reject);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(diagramstate.DiagLimits[1], 10);
    telmvar.Aborted = false;
    EXPECT_EQ(m.Press("Escape"), DialogAction::Reject);
    EXPECT_TRUE(telmvar.Aborted);
}

// The frame of a DXF drawing with "Enter Diagram Limits ?" on asks the
// dialog through the hook; the frame follows what the user does there.
class DiagramLimitsFrame : public DiagramLimits
{
  protected:
    void SetUp() override
    {
        DiagramLimits::SetUp();
        graphservices.EnterDiagramLimits = RunDiagramLimitsDialog;
        wtelmvar.EnterDiagramLimits = true;
        cadstate.CadRequestedDevice = 1;
    }
};

TEST_F(DiagramLimitsFrame, TheLimitsTypedMakeTheScale)
{
    std::string caption;
    hp.HeadlessDialogs().QueueScript([&](platform::DialogModel& m) {
        caption = m.Caption();
        // Typed the wrong way round: the frame orders them.
        m.Control("Edit_xmin").Text = "37";
        m.Control("Edit_xmax").Text = "0";
        m.Control("Edit_ymin").Text = "0";
        m.Control("Edit_ymax").Text = "100";
        return m.Press("Button_ok") == DialogAction::Accept ? platform::DialogResult::Ok
                                                            : platform::DialogResult::Cancel;
    });
    DrawDiagramAxes("x", "y", "limits", 0, 0, 5, 5, 0);
    EXPECT_EQ(caption, "limits");
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(diagramstate.DiagXMax, 40);
    EXPECT_EQ(diagramstate.DiagYMax, 100);
}

TEST_F(DiagramLimitsFrame, CancelKeepsTheAutomaticLimitsAndClearsAborted)
{
    hp.HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        m.Control("Edit_xmax").Text = "1000";
        m.Press("Button_cancel");
        return platform::DialogResult::Cancel;
    });
    DrawDiagramAxes("x", "y", "limits", 0, 0, 37, 50, 0);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(diagramstate.DiagXMax, 40);
    EXPECT_EQ(diagramstate.DiagLimits[3], 30) << "the limits entered last stay";
}

} // namespace
