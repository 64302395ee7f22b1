// The Wolf symbol of the default stage (values in
// stagekinematicssupport.h): ratios iSH = i0 = 3, iHC = 1 - 1/3 = 0.667,
// iSC = 1 - 3 = -2; torques S 6875, C 2 x 6875 = 13751, H -20626 Nm;
// powers 72, 0, -72 kW; rolling power |1 - nC/nS| 72 = 72 kW. The shaft
// with the largest |T| (H) is drawn double; the symbol sits at (50, 60)
// with radius 10, S at 210, C at 330, H at 90 degrees.
#include "stagekinematicssupport.h"

#include "drawings/stage/wolf.h"

#include <cmath>
#include <string>
#include <vector>

namespace
{

using Wolf = DefaultStageDrawing;

constexpr double X0 = 50, Y0 = 60, R = 10;

// Lines of length 30 running along the shaft at Deg from the circle: 2 for
// a double shaft, 1 for a single one.
int ShaftEdges(const std::vector<TCadCall>& Lines, double Deg)
{
    const double a = Deg * M_PI / 180;
    int n = 0;
    for (const auto& l : Lines) {
        const double dx = l.V[2] - l.V[0], dy = l.V[3] - l.V[1];
        if (std::fabs(std::hypot(dx, dy) - 30) > 1e-9) continue;
        // Parallel to the shaft, and its circle end 0.5 or 0 off the centre
        // line through the circle point.
        if (std::fabs(dx * std::sin(a) - dy * std::cos(a)) > 1e-9) continue;
        const double near =
            std::min(std::hypot(l.V[0] - X0, l.V[1] - Y0), std::hypot(l.V[2] - X0, l.V[3] - Y0));
        if (std::fabs(near - std::hypot(R, 0.5)) < 1e-9 || std::fabs(near - R) < 1e-9) ++n;
    }
    return n;
}

bool HasText(const std::string& Text, int Layer)
{
    for (const auto& c : CadCallLog())
        if (c.Kind == "text" && c.Text == Text && c.Layer == Layer) return true;
    return false;
}

TEST_F(Wolf, DefaultStageSymbol)
{
    Open();
    WolfView();
    Close();
    const struct {
        const char* Text;
        int Layer;
    } texts[] = {
        {"iSH = +3", 19},  {"iHC = +0.667", 19},
        {"iSC = -2", 19},  {" i0= 3", 19},
        {"Pw= 72 kW", 19}, {"S", 19},
        {"C", 19},         {"H", 19},
        {"+6875 Nm", 19},  {"+13751 Nm", 19},
        {"-20626 Nm", 19}, {"+100/min", 22},
        {"+0/min", 22},    {"+33.33/min", 22},
        {"+72 kW", 24},    {"+0 kW", 24},
        {"-72 kW", 24},    {"n in = 100/min (S)", 19},
    };
    for (const auto& t : texts)
        EXPECT_TRUE(HasText(t.Text, t.Layer)) << t.Text << " on layer " << t.Layer;
    const auto lines = Calls("line");
    EXPECT_EQ(ShaftEdges(lines, 90), 2) << "H has the largest torque";
    EXPECT_EQ(ShaftEdges(lines, 210), 1);
    EXPECT_EQ(ShaftEdges(lines, 330), 1);
    // The double shaft: edges 0.5 either side, the cross bar spans +-3.
    bool bar = false;
    for (const auto& l : lines)
        bar = bar || (std::fabs(l.V[0] - 47) < 1e-9 && std::fabs(l.V[1] - 100) < 1e-9 &&
                      std::fabs(l.V[2] - 53) < 1e-9 && std::fabs(l.V[3] - 100) < 1e-9);
    EXPECT_TRUE(bar) << "cross bar of H from (47, 100) to (53, 100)";
    // The letter 36 beyond the circle.
    for (const auto& c : Calls("text"))
        if (c.Text == "H") {
            EXPECT_NEAR(c.V[0], 50, 1e-9);
            EXPECT_NEAR(c.V[1], 106, 1e-9);
        }
    EXPECT_EQ(Calls("circle").size(), 1u);
}

TEST_F(Wolf, DoubleShaftIsTheFirstOfTheLargestTorques)
{
    struct {
        const char* Name;
        TWolfValues T;
        int Largest;
    } cases[] = {
        {"S and C equal", {{{5, -5, 0}}}, 1},
        {"C and H equal", {{{1, -7, 7}}}, 2},
        {"H alone", {{{1, 2, -3}}}, 3},
        {"all zero", {{{0, 0, 0}}}, 0},
    };
    const double deg[4] = {0, 210, 330, 90};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(WolfLargestTorque(c.T), c.Largest);
        Open();
        WolfSymbolDraw(c.T, TWolfValues{}, TWolfValues{}, X0, Y0, R, 0, 3);
        Close();
        const auto lines = Calls("line");
        for (int k = 1; k <= 3; ++k)
            EXPECT_EQ(ShaftEdges(lines, deg[k]), k == c.Largest ? 2 : 1) << "shaft " << k;
    }
}

TEST_F(Wolf, StationaryRatioZeroWritesADash)
{
    Open();
    WolfSymbolDraw(TWolfValues{}, TWolfValues{}, TWolfValues{}, X0, Y0, R, 0, 0);
    Close();
    EXPECT_TRUE(HasText("iHC = -", 19));
    EXPECT_TRUE(HasText("iSH = +0", 19));
    EXPECT_TRUE(HasText("iSC = +1", 19));
}

} // namespace
