// The tool tooth and the rolled tool. Coordinates are worked by hand for a
// basic rack of mn 2, alpha 20 deg, haP0 2.5, hfP0 2.0, rhoaP0 0.76 on a
// gear of z 20 with x 0 (the tool tip 2.5 below the rolling line), e.g.
//   C_a x = pi mn/4 - (haP0 - rhoaP0) tan alpha - rhoaP0/cos alpha
//         = 1.570796 - 0.633308 - 0.808775 = 0.128713.
#include "cadlogsupport.h"
#include "toothtestsupport.h"

#include "drawings/tooth/toolprofile.h"
#include "drawings/tooth/toothcontour.h"
#include "foundation/guardedmath.h"

#include <cmath>

namespace
{

constexpr double kTol = 2e-6;

struct TToolCase {
    const char* Name;
    double rhof = 0;    // root radius, mm
    double hFf = 2.0;   // chamfer start height, mm (2.0: no chamfer)
    double alphak = 20; // chamfer angle
    double pr = 0;      // protuberance, mm
    double alphapr = 0; // protuberance angle
};

class ToolProfile : public CadLogFixtureT<ToothContourFixture>
{
  protected:
    static void LoadTool(const TToolCase& C, int z = 20, double betaDeg = 0)
    {
        TToothGear g;
        g.z = z;
        g.betaDeg = betaDeg;
        Load(1, g);
        auto& p = GearPair;
        p.rhofP0[1] = C.rhof;
        p.rhofP0_mn[1] = C.rhof / 2;
        p.hFfP0[1] = C.hFf;
        p.hFfP0_mn[1] = C.hFf / 2;
        p.alphakP0[1] = C.alphak;
        p.HasChamfer[1] = C.alphak != 20;
        p.prP0[1] = C.pr;
        p.prP0_mn[1] = C.pr / 2;
        p.alphaprP0[1] = C.alphapr;
        p.GearCaption[1] = "Sun";
        p.PartNumber[1] = "4711";
        p.GearName[1] = "sun gear";
    }
    static void ExpectPoint(const TCadCall& C, int K, double X, double Y, const char* What)
    {
        EXPECT_NEAR(C.V[K], X, kTol) << What;
        EXPECT_NEAR(C.V[K + 1], Y, kTol) << What;
    }
};

TEST_F(ToolProfile, PointsOfTheFourToolForms)
{
    struct TWant {
        TToolCase Tool;
        double CaX, CaY, Ax, Ay, Bx, By, Qx, Px, Py, CfX, CfY, Ex, Ey;
    };
    const double nan = std::nan("");
    const TWant cases[] = {
        {{"plain"},
         0.128713,
         -1.74,
         0.842879,
         -1.999935,
         2.298737,
         2.0,
         2.298737,
         nan,
         nan,
         nan,
         nan,
         nan,
         nan},
        {{"rootradius", 0.2},
         0.128713,
         -1.74,
         0.842879,
         -1.999935,
         2.298737,
         2.0,
         2.298737,
         nan,
         nan,
         2.438778,
         1.8,
         2.250840,
         1.868404},
        {{"chamfer", 0, 1.6, 30},
         0.128713,
         -1.74,
         0.842879,
         -1.999935,
         2.153149,
         1.6,
         2.384089,
         nan,
         nan,
         nan,
         nan,
         nan,
         nan},
        {{"protuberance", 0, 2.0, 20, 0.04, 10},
         0.171280,
         -1.74,
         0.919734,
         -1.871973,
         2.298737,
         2.0,
         2.298737,
         0.948188,
         -1.710603,
         nan,
         nan,
         nan,
         nan},
    };
    for (const auto& w : cases) {
        SCOPED_TRACE(w.Tool.Name);
        LoadTool(w.Tool);
        const auto p = ToolProfilePoints(1);
        const auto near = [](Extended Got, double Want) {
            if (!std::isnan(Want)) {
                EXPECT_NEAR(static_cast<double>(Got), Want, kTol);
            }
        };
        EXPECT_NEAR(static_cast<double>(p.yTip), -2.5, kTol);
        EXPECT_NEAR(static_cast<double>(p.yDatum), 0, kTol);
        EXPECT_NEAR(static_cast<double>(p.yRoot), 2.0, kTol);
        near(p.CaX, w.CaX);
        near(p.CaY, w.CaY);
        near(p.Ax, w.Ax);
        near(p.Ay, w.Ay);
        near(p.Bx, w.Bx);
        near(p.By, w.By);
        near(p.Qx, w.Qx);
        near(p.Px, w.Px);
        near(p.Py, w.Py);
        near(p.CfX, w.CfX);
        near(p.CfY, w.CfY);
        near(p.Ex, w.Ex);
        near(p.Ey, w.Ey);
        if (!std::isnan(w.Py)) {
            EXPECT_NEAR(static_cast<double>(ProtuberanceDepth(1)), -w.Py, kTol);
        }
    }
}

TEST_F(ToolProfile, PlainToolIsATrapezoidWithTwoTipFillets)
{
    LoadTool({"plain"});
    Open();
    DrawToolProfile(1, false, 0);
    Close();
    const auto lines = Calls("line");
    const auto arcs = Calls("arc");
    // Per side the root line and one straight flank (Q = B), then the tip
    // line; no text without WithText 1.
    ASSERT_EQ(lines.size(), 5u);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_TRUE(Calls("text").empty());
    ExpectPoint(lines[0], 0, Pi, 2.0, "root line start (middle of the tool gap)");
    ExpectPoint(lines[0], 2, 2.298737, 2.0, "root line end Q");
    ExpectPoint(lines[1], 2, 0.842879, -1.999935, "flank end A");
    ExpectPoint(lines[2], 0, 0.128713, -2.5, "tip line");
    ExpectPoint(lines[2], 2, -0.128713, -2.5, "tip line");
    ExpectPoint(lines[4], 2, -0.842879, -1.999935, "mirrored flank end");
    ExpectPoint(arcs[0], 0, 0.128713, -1.74, "right tip fillet centre");
    EXPECT_NEAR(arcs[0].V[2], 270, 1e-9);
    EXPECT_NEAR(arcs[0].V[3], 340, 1e-9);
    ExpectPoint(arcs[1], 0, -0.128713, -1.74, "left tip fillet centre");
    EXPECT_NEAR(arcs[1].V[2], 200, 1e-9);
    EXPECT_NEAR(arcs[1].V[3], 270, 1e-9);
    for (const auto& c : CadCallLog())
        if (c.Kind == "line" || c.Kind == "arc") {
            EXPECT_EQ(c.Layer, 3);
        }
}

TEST_F(ToolProfile, RootRadiusChamferAndProtuberanceElements)
{
    LoadTool({"rootradius", 0.2});
    Open();
    DrawToolProfile(1, false, 0);
    Close();
    auto arcs = Calls("arc");
    ASSERT_EQ(arcs.size(), 4u);
    ExpectPoint(arcs[0], 0, 2.438778, 1.8, "root fillet centre");
    EXPECT_NEAR(arcs[0].V[2], 90, 1e-9);
    EXPECT_NEAR(arcs[0].V[3], 160, 1e-9);
    auto lines = Calls("line");
    ExpectPoint(lines[1], 0, 2.250840, 1.868404, "fillet end on the flank");
    ExpectPoint(lines[1], 2, 0.842879, -1.999935, "to A");

    CadCallLog().clear();
    LoadTool({"protuberance", 0, 2.0, 20, 0.04, 10});
    Open();
    DrawToolProfile(1, false, 0);
    Close();
    lines = Calls("line");
    // Root, Q-B is empty, B-P, P-A, tip line, and the mirror.
    ASSERT_EQ(lines.size(), 7u);
    ExpectPoint(lines[1], 2, 0.948188, -1.710603, "flank to P");
    ExpectPoint(lines[2], 0, 0.948188, -1.710603, "P to A");
    ExpectPoint(lines[2], 2, 0.919734, -1.871973, "P to A");
    arcs = Calls("arc");
    EXPECT_NEAR(arcs[0].V[3], 350, 1e-9);
    EXPECT_NEAR(arcs[1].V[2], 190, 1e-9);
}

TEST_F(ToolProfile, TransverseSectionStretchesXAndDrawsEllipses)
{
    // beta 0: the transverse section is the normal one, with true arcs.
    LoadTool({"plain"});
    Open();
    DrawToolProfile(1, true, 0);
    Close();
    EXPECT_EQ(Calls("arc").size(), 2u);
    EXPECT_TRUE(Calls("vertex").empty());

    CadCallLog().clear();
    LoadTool({"plain"}, 20, 15);
    Open();
    DrawToolProfile(1, true, 0);
    Close();
    const double k = std::cos(15 * M_PI / 180);
    EXPECT_TRUE(Calls("arc").empty());
    EXPECT_EQ(Calls("pline").size(), 2u);
    const auto p = ToolProfilePoints(1);
    const double cax = static_cast<double>(p.CaX), cay = static_cast<double>(p.CaY);
    const auto v = Calls("vertex");
    ASSERT_FALSE(v.empty());
    // The right tip fillet starts at 270 deg: straight below its centre.
    EXPECT_NEAR(v[0].V[0], cax / k, 1e-9);
    EXPECT_NEAR(v[0].V[1], cay - 0.76, 1e-9);
    // 5 degree steps: the next vertex at 275 deg, x stretched by 1/k.
    EXPECT_NEAR(v[1].V[0], (cax + 0.76 * std::cos(275 * M_PI / 180)) / k, 1e-9);
    const auto lines = Calls("line");
    EXPECT_NEAR(lines[2].V[0], cax / k, 1e-9);
    EXPECT_NEAR(lines[0].V[0], M_PI / k, 1e-9);
}

TEST_F(ToolProfile, DataTextUnderEachCondition)
{
    const std::string deg = "\xF8";
    LoadTool({"plain"});
    const std::vector<std::string> plain = {"Sun",
                                            "mn = 2 mm",
                                            "hfP0 = 1 * mn = 2 mm",
                                            "haP0 = 1.25 * mn = 2.5 mm",
                                            "hP0 = 2.25 * mn = 4.5 mm",
                                            "raP0 = 0.38 * mn = 0.76 mm"};
    EXPECT_EQ(ToolDataLines(1), plain);

    LoadTool({"all", 0.2, 1.6, 30, 0.04, 10});
    auto all = plain;
    all.push_back("rfP0 = 0.1 * mn = 0.2 mm");
    all.push_back("prP0 = 0.02 * mn = 0.04 mm");
    all.push_back("alpha prP0 = 10" + deg);
    all.push_back("hFfP0 = 0.8 * mn = 1.6");
    all.push_back("alpha kP0 = 30" + deg);
    EXPECT_EQ(ToolDataLines(1), all);

    Open();
    DrawToolProfile(1, false, 1);
    Close();
    const auto texts = Calls("text");
    ASSERT_EQ(texts.size(), 3u + all.size());
    EXPECT_EQ(texts[0].Text, "4711");
    EXPECT_EQ(texts[2].Text, "(Tool)");
    ExpectPoint(texts[0], 0, 0.1, 0.06, "part number at (0.05 mn, y0 + 0.03 mn)");
    ExpectPoint(texts[3], 0, 3.0, 1.7, "caption at (1.5 mn, yr - 0.15 mn)");
    EXPECT_EQ(texts[3].Text, "Sun");
    EXPECT_EQ(texts.back().Text, "alpha kP0 = 30" + deg);
    for (const auto& t : texts) {
        EXPECT_EQ(t.Layer, 4);
        EXPECT_NEAR(t.V[2], 0.16, 1e-9);
    }
    // Centre line and datum line on layer 1.
    int axis = 0;
    for (const auto& l : Calls("line"))
        axis += l.Layer == 1;
    EXPECT_EQ(axis, 2);
}

TEST_F(ToolProfile, EnvelopeRollsTheRackThroughTheGap)
{
    LoadTool({"plain"});
    GearPair.GearToothShapes = 0;
    Open();
    DrawToolEnvelope(1);
    Close();
    EXPECT_EQ(GearPair.GearToothShapes, 30);
    EXPECT_NEAR(static_cast<double>(ToolEnvelopeRange(1)), 0.455328, 1e-6);
    const auto ins = Calls("insert");
    ASSERT_EQ(ins.size(), 60u);
    EXPECT_EQ(ins[0].Text, "WERKZS1");
    ExpectPoint(ins[0], 0, 0.616382, 21.967007, "first position");
    EXPECT_NEAR(ins[0].V[2], -26.088353, 1e-6);
    ExpectPoint(ins[30], 0, 0, 20, "middle position");
    EXPECT_NEAR(ins[30].V[2], 0, 1e-9);
    // The rack's rolling point: the gear turned by theta carries the
    // point (r theta, r) of the rolling line.
    for (const auto& c : ins) {
        const double t = c.V[2] * M_PI / 180, r = 20;
        EXPECT_NEAR(c.V[0], r * t * std::cos(t) - r * std::sin(t), 1e-9);
        EXPECT_NEAR(c.V[1], r * t * std::sin(t) + r * std::cos(t), 1e-9);
    }
}

TEST_F(ToolProfile, EnvelopeOfOneToothAndOfAnInternalGear)
{
    for (int z : {1, -40}) {
        SCOPED_TRACE(z);
        CadCallLog().clear();
        LoadTool({"plain"}, z);
        GearPair.GearToothShapes = 10;
        Open();
        DrawToolEnvelope(1);
        Close();
        const auto ins = Calls("insert");
        ASSERT_EQ(ins.size(), 20u);
        EXPECT_NEAR(ins[0].V[2], -0.3 * 180 / M_PI, 1e-9);
        EXPECT_NEAR(ins[19].V[2], 0.27 * 180 / M_PI, 1e-9);
    }
}

TEST_F(ToolProfile, AbortedDrawsNothing)
{
    LoadTool({"plain"});
    Open();
    telmvar.Aborted = true;
    DrawToolProfile(1, false, 1);
    DrawToolEnvelope(1);
    telmvar.Aborted = false;
    Close();
    EXPECT_TRUE(Calls("line").empty());
    EXPECT_TRUE(Calls("insert").empty());
}

} // namespace
