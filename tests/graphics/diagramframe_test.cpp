// The frame of a diagram as the screen receives it: which axes and arrows
// appear, what Mode 3 leaves out, where the title starts, and when the
// limits dialog is asked.
#include "diagramtestsupport.h"

#include "common/testnames.h"

#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/graphservices.h"
#include "reports/textview/printsettings.h"

#include <algorithm>

namespace
{

struct TAxisCase {
    const char* Name;
    Extended XMin, YMin, XMax, YMax;
    // Arrow heads: +x (x axis), +y (y axis).
    bool XAxis, YAxis;
};

// Scales (N = 6): 0..37 -> 0..40, 10..37 -> 10..40, 0..50 -> 0..50,
// 10..50 -> 10..50. An axis line stands only where 0 lies on the other axis.
const TAxisCase AxisCases[] = {
    {"both axes through the origin", 0, 0, 37, 50, true, true},
    {"y data above 0 no x axis", 0, 10, 37, 50, false, true},
    {"x data above 0 no y axis", 10, 0, 37, 50, true, false},
    {"all data above 0 only the grid frame", 10, 10, 37, 50, false, false},
};

class DiagramAxisLines : public DiagramTest, public ::testing::WithParamInterface<TAxisCase>
{
};

TEST_P(DiagramAxisLines, StandWhereZeroIsOnTheScale)
{
    const TAxisCase& c = GetParam();
    OpenScreen();
    DrawDiagramAxes("x", "y", "t", c.XMin, c.YMin, c.XMax, c.YMax, 0);
    bool xArrow = false, yArrow = false;
    for (const std::string& s : Recorded("Solid ")) {
        const std::vector<Extended> n = Numbers(s);
        ASSERT_EQ(n.size(), 8u);
        // Tip first; the base lies behind it along the axis.
        if (n[2] == n[4] && n[2] < n[0]) xArrow = true;
        if (n[3] == n[5] && n[3] < n[1]) yArrow = true;
    }
    EXPECT_EQ(xArrow, c.XAxis);
    EXPECT_EQ(yArrow, c.YAxis);
    // The axis lines themselves: y = 0 across, x = 0 upwards.
    const Extended x0 = DiagramX(0), y0 = DiagramY(0);
    bool xLine = false, yLine = false;
    for (const std::string& l : Recorded("Line ")) {
        const std::vector<Extended> n = Numbers(l);
        if (n[1] == y0 && n[3] == y0 && n[2] > 160) xLine = true;
        if (n[0] == x0 && n[2] == x0 && n[3] > 120) yLine = true;
    }
    EXPECT_EQ(xLine, c.XAxis);
    EXPECT_EQ(yLine, c.YAxis);
    EXPECT_EQ(printsettings.GraphContentKind, 1);
}

INSTANTIATE_TEST_SUITE_P(Diagram, DiagramAxisLines, ::testing::ValuesIn(AxisCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST_F(DiagramTest, ModeThreeKeepsOnlyTheXTicks)
{
    auto draw = [this](uint16_t mode) {
        OpenScreen();
        DrawDiagramAxes("x title", "y title", "t", 0, 0, 37, 50, mode);
        return Screen.Calls;
    };
    const std::vector<std::string> full = draw(0);
    const std::vector<std::string> texts0 = Texts();
    draw(3);
    const std::vector<std::string> texts3 = Texts();
    // x ticks: 0..40 by 5 from the bottom of the plot area 1.2 down.
    auto xTicks = [this] {
        int n = 0;
        for (const std::string& l : Recorded("Line ")) {
            const std::vector<Extended> v = Numbers(l);
            if (v[0] == v[2] && v[1] == 0 && std::abs(v[3] + 1.2L) < 1e-9L) ++n;
        }
        return n;
    };
    EXPECT_EQ(xTicks(), 9);
    EXPECT_EQ(Recorded("Solid ").size(), 1u) << "the y arrow only";
    EXPECT_EQ(std::count(texts0.begin(), texts0.end(), "x title"), 1);
    EXPECT_EQ(std::count(texts3.begin(), texts3.end(), "x title"), 0);
    EXPECT_EQ(std::count(texts0.begin(), texts0.end(), "y title"), 1);
    EXPECT_EQ(std::count(texts3.begin(), texts3.end(), "y title"), 1);
    // Title, y title, y numbers 0..50 by 10: no x number is left.
    EXPECT_EQ(texts3.size(), 2u + 6u);
    EXPECT_EQ(texts0.size(), 3u + 6u + 9u);
    (void)full;
}

TEST_F(DiagramTest, TheTitleNeverStartsLeftOfThePlotArea)
{
    SetDiagramSize(125, 95);
    SetDiagramOrigin(18, 10);
    struct {
        std::string Title;
        Extended X;
    } cases[] = {
        // 18 + 62.5 - 1.75 x 2
        {"ab", 77},
        // would start at 18 + 62.5 - 175
        {std::string(100, 'T'), 18},
    };
    for (const auto& c : cases) {
        OpenScreen();
        DrawDiagramAxes("x", "y", c.Title, 0, 0, 1, 1, 0);
        const std::vector<std::string> t = Recorded("Text ");
        ASSERT_FALSE(t.empty());
        const std::vector<Extended> n = Numbers(t.front());
        EXPECT_NEAR(n[0], c.X, 1e-9L) << c.Title;
        EXPECT_NEAR(n[1], 10 + 95 + 3, 1e-9L);
    }
}

struct TDialogCase {
    const char* Name;
    uint16_t RequestedDevice;
    bool EnterLimits;
    int Params;
    bool Asked;
};

const TDialogCase DialogCases[] = {
    {"device chosen by the user", 0, true, 0, true},    {"DXF file with one parameter", 1, true, 1, true},
    {"drawn for the screen", 3, true, 0, false},        {"setting off", 0, false, 0, false},
    {"two command line parameters", 1, true, 2, false},
};

class DiagramLimitsDialog : public DiagramTest, public ::testing::WithParamInterface<TDialogCase>
{
};

TEST_P(DiagramLimitsDialog, IsAskedOnlyUnderItsThreeConditions)
{
    const TDialogCase& c = GetParam();
    wtelmvar.EnterDiagramLimits = c.EnterLimits;
    for (int i = 0; i < c.Params; ++i)
        textutil.CommandLineParams.push_back("p" + std::to_string(i));
    int asked = 0;
    Extended offered[4] = {};
    graphservices.EnterDiagramLimits = [&](const std::string& XL, const std::string& YL, const std::string& T,
                                           Extended X1, Extended Y1, Extended X2, Extended Y2) {
        ++asked;
        EXPECT_EQ(XL + "|" + YL + "|" + T, "cycles|T|title");
        offered[0] = X1;
        offered[1] = Y1;
        offered[2] = X2;
        offered[3] = Y2;
        // The user cancels: the automatic limits stay.
        telmvar.Aborted = true;
    };
    OpenScreen();
    cadstate.CadRequestedDevice = c.RequestedDevice;
    DrawDiagramAxes("cycles", "T", "title", 0, 0, 37, 50, 0);
    EXPECT_EQ(asked, c.Asked ? 1 : 0);
    EXPECT_FALSE(telmvar.Aborted) << "Cancel is no failure";
    EXPECT_NEAR(diagramstate.DiagXMax, 40, 1e-12L);
    if (c.Asked) {
        EXPECT_NEAR(offered[2], 40, 1e-12L);
        EXPECT_NEAR(offered[3], 50, 1e-12L);
    }
}

INSTANTIATE_TEST_SUITE_P(Diagram, DiagramLimitsDialog, ::testing::ValuesIn(DialogCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST_F(DiagramTest, ALogarithmicCycleAxisStartsAtOneCycle)
{
    OpenScreen();
    SetDiagramScaleType(4);
    DrawDiagramAxes("cycles", "T", "t", 0, 0, 2.5e7L, 100, 0);
    // Exponents 0..7.4 in 8 intervals: step 1, Hi 8.
    EXPECT_EQ(diagramstate.DiagXMin, 0);
    EXPECT_NEAR(diagramstate.DiagXMax, 8, 1e-12L);
    const std::vector<std::string> t = Texts();
    ASSERT_GE(t.size(), 2u);
    EXPECT_EQ(t[1], "1") << "the first x number: 10^0 cycles";
    // Grid: 1, 2 .. 9 per decade, every position within the limits.
    int vertical = 0;
    for (const std::string& l : Recorded("Line ")) {
        const std::vector<Extended> v = Numbers(l);
        if (v[0] == v[2] && v[1] == 0 && v[3] == 120) {
            ++vertical;
            EXPECT_GE(v[0], 0);
            EXPECT_LE(v[0], 160 + 1e-9L);
        }
    }
    EXPECT_GE(vertical, 8 * 9);
}

} // namespace
