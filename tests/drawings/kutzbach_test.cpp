// The Kutzbach chart read back from its DXF file by ezdxf. The numbers are
// checked without the axis scaling: the velocity polyline (layer 5) has
// slopes dv/dr equal to each member's angular speed times one common
// factor, so ratios of slopes in plot units are ratios of speeds
// (stagekinematicssupport.h gives the default stage's speeds):
//   default (S drives, C held): Pi : S = -140/100, Pe : S = 140/100, the
//     ring point v/r : S = (100/3)/100, carrier points at v = 0;
//   S drives, ring held: nC = 100/(1 - 3) = -50, nPi0 = -50 (21/15 + 1)
//     - 21 100/15 = -260, nPe0 = -50 (1 - 63/15) = 160: ratios -2.6, 1.6,
//     0, carrier points on one line through the origin with ratio -0.5.
#include "common/validators.h"
#include "stagekinematicssupport.h"

#include "drawings/stage/kutzbach.h"
#include "foundation/guardedmath.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// The plot box: origin (12, 10), 100 x 100.
constexpr double BoxX0 = 12, BoxY0 = 10, BoxX1 = 112, BoxY1 = 110;

struct TChartLine {
    std::string Layer;
    double x1, y1, x2, y2;
};

struct TChartText {
    std::string Layer;
    double x, y;
    std::string Text;
};

struct TChartFile {
    std::string Audit;
    std::vector<TChartLine> Lines;
    std::vector<TChartText> Texts;
    std::vector<TChartLine> OnLayer(const std::string& L) const
    {
        std::vector<TChartLine> r;
        for (const auto& l : Lines)
            if (l.Layer == L) r.push_back(l);
        return r;
    }
};

class Kutzbach : public DefaultStageDrawing
{
  protected:
    // The chart as DXF, read by ezdxf; false (and a skip) without it.
    bool DrawAndRead(TChartFile& F)
    {
        {
            TCadOutputScope scope;
            CadOpenOutput(1);
            if (telmvar.Aborted) return false;
            CadBeginDrawing(0, 0, 160, 120, 0);
            CadWriteTables(2);
            CadBeginEntities();
            KutzbachChart();
            CadDeviceReady();
            CadEndSection();
            CadCloseOutput();
        }
        const std::string path = dir_ + "/drawing.dxf";
        if (!std::filesystem::exists(path)) return false;
        const std::string cmd =
            "/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/kutzbachdxf.py '" + path + "' 2>&1";
        std::FILE* p = ::popen(cmd.c_str(), "r");
        if (p == nullptr) return false;
        std::string text;
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
            text.append(buf, n);
        ::pclose(p);
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream ls(line);
            std::string kind;
            ls >> kind;
            if (kind == "audit") {
                F.Audit = line;
            } else if (kind == "line") {
                TChartLine l;
                ls >> l.Layer >> l.x1 >> l.y1 >> l.x2 >> l.y2;
                F.Lines.push_back(l);
            } else if (kind == "text") {
                TChartText t;
                ls >> t.Layer >> t.x >> t.y;
                std::getline(ls, t.Text);
                if (!t.Text.empty() && t.Text[0] == ' ') t.Text.erase(0, 1);
                F.Texts.push_back(t);
            }
        }
        return true;
    }
    void SetUp() override
    {
        DefaultStageDrawing::SetUp();
        if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)
            QYR7_VALIDATOR_MISSING("no ezdxf");
    }
};

// dv/dr of a segment in plot units (velocity sideways, radius upwards).
double Slope(const TChartLine& L)
{
    return (L.x2 - L.x1) / (L.y2 - L.y1);
}

bool Inside(double X, double Y)
{
    return X >= BoxX0 - 1e-6 && X <= BoxX1 + 1e-6 && Y >= BoxY0 - 1e-6 && Y <= BoxY1 + 1e-6;
}

struct SpeedCase {
    const char* Name;
    void (*Drive)();
    double Pi, Pe, Ring; // speed ratios to the sun
    double Carrier;      // nC / nS
};

TEST_F(Kutzbach, SlopesAreTheSpeedRatios)
{
    const SpeedCase cases[] = {
        {"S drives, C held", [] {}, -1.4, 1.4, 1.0 / 3, 0},
        {"S drives, ring held", [] { SunDrivesRingHeld(); }, -2.6, 1.6, 0, -0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Drive();
        ASSERT_FALSE(telmvar.FatalCalcError);
        TChartFile f;
        ASSERT_TRUE(DrawAndRead(f));
        EXPECT_EQ(f.Audit, "audit errors=0 fixes=0");
        const auto v = f.OnLayer(cadsettings.LayerNames[5]);
        // Sun, Pi to its carrier point, Pi to X, Pe from X to its carrier
        // point, Pe to the ring, back to the axis.
        ASSERT_EQ(v.size(), 6u);
        for (size_t i = 1; i < v.size(); ++i) {
            EXPECT_NEAR(v[i].x1, v[i - 1].x2, 1e-9) << "one polyline";
            EXPECT_NEAR(v[i].y1, v[i - 1].y2, 1e-9);
        }
        const double x0 = v[0].x1, y0 = v[0].y1;
        const double s = Slope(v[0]);
        EXPECT_NEAR(Slope(v[1]) / s, c.Pi, 1e-6) << "Pi : S";
        EXPECT_NEAR(Slope(v[2]) / s, c.Pi, 1e-6) << "Pi up to X";
        EXPECT_NEAR(Slope(v[3]) / s, c.Pe, 1e-6) << "Pe from X";
        EXPECT_NEAR(Slope(v[4]) / s, c.Pe, 1e-6) << "Pe : S";
        // A point's v/r seen from the origin is its member's speed.
        auto ratio = [&](double X, double Y) { return (X - x0) / (Y - y0) / s; };
        const double ring = ratio(v[4].x2, v[4].y2);
        const double ci = ratio(v[1].x2, v[1].y2), ce = ratio(v[3].x2, v[3].y2);
        EXPECT_NEAR(ring, c.Ring, 1e-6) << "ring point";
        EXPECT_NEAR(ci, c.Carrier, 1e-6) << "inner carrier point";
        EXPECT_NEAR(ce, c.Carrier, 1e-6) << "outer carrier point";
        // Willis from the chart: nS - i0 nH - (1 - i0) nC = 0 with i0 = 3.
        EXPECT_NEAR(1 - 3 * ring - (1 - 3) * ci, 0, 1e-6);
        // X (end of segment 3) lies on both planet lines.
        const double xx = v[2].x2, xy = v[2].y2;
        EXPECT_NEAR((xx - v[1].x1) - Slope(v[1]) * (xy - v[1].y1), 0, 1e-6) << "X on the Pi line";
        EXPECT_NEAR((xx - v[4].x1) - Slope(v[4]) * (xy - v[4].y1), 0, 1e-6) << "X on the Pe line";
        // The line back to the axis ends on it.
        EXPECT_NEAR(v[5].x2, x0, 1e-6);
    }
}

// The carrier drives with the ring held: the sun turns backwards,
// nS = (1 - 3) 100 = -200. The velocity axis still spans the sun's line.
TEST_F(Kutzbach, BackwardSunStaysInsideThePlot)
{
    CarrierDrivesRingHeld(100);
    ASSERT_FALSE(telmvar.FatalCalcError);
    ASSERT_NEAR(static_cast<double>(PlanetaryStage.n[shaftS]), -200, 1e-9);
    TChartFile f;
    ASSERT_TRUE(DrawAndRead(f));
    const auto v = f.OnLayer(cadsettings.LayerNames[5]);
    ASSERT_EQ(v.size(), 6u) << "no segment clipped away";
    for (const auto& l : v) {
        EXPECT_TRUE(Inside(l.x1, l.y1)) << l.x1 << " " << l.y1;
        EXPECT_TRUE(Inside(l.x2, l.y2)) << l.x2 << " " << l.y2;
    }
    EXPECT_LT(v[0].x2, v[0].x1) << "the sun's velocity is negative";
    // The "S" tick: the horizontal line on layer 19 through the sun point,
    // and its label.
    bool tick = false;
    for (const auto& l : f.OnLayer("19"))
        if (std::fabs(l.y1 - v[0].y2) < 1e-6 && std::fabs(l.y2 - l.y1) < 1e-9) {
            tick = true;
            EXPECT_TRUE(Inside(l.x1, l.y1) && Inside(l.x2, l.y2)) << "S tick";
        }
    EXPECT_TRUE(tick);
    bool label = false;
    for (const auto& t : f.Texts)
        if (t.Text == "S" && std::fabs(t.y - v[0].y2) < 1e-6) {
            label = true;
            EXPECT_TRUE(Inside(t.x, t.y));
        }
    EXPECT_TRUE(label);
}

TEST_F(Kutzbach, VelocityLimit)
{
    // Default: 2 max(100 136.5, 33.33 409.5)/2 -> 2 0.714712 m/s.
    EXPECT_NEAR(static_cast<double>(KutzbachVelocityLimit()), 1.429425, 1e-6);
    // Carrier drives, ring held: |nS| counts; 2 200 68.25 2 pi / 60000.
    CarrierDrivesRingHeld(100);
    EXPECT_NEAR(static_cast<double>(KutzbachVelocityLimit()), 2.858849, 1e-6);
    // At rest: 1 m/s.
    PlanetaryStage.n = {};
    EXPECT_EQ(KutzbachVelocityLimit(), 1);
}

} // namespace

// The recorder (no file): the radius axis ends at the ring's reference
// radius |zH| mn / 2 = 204.75, scaled to 250; a ring whose operating pitch
// circle lies above (a helical ring, here rwH = 260) has its lines clipped
// at the top of the box while its arc is drawn whole.
TEST_F(DefaultStageDrawing, KutzbachRingAboveTheAxisIsClipped)
{
    PlanetaryGears.dw[2][mPeH] = -520;
    Open();
    KutzbachChart();
    Close();
    EXPECT_NEAR(static_cast<double>(diagramstate.DiagYMax), 250, 1e-9) << "axis from |zH| mn / 2";
    std::vector<TCadCall> v;
    for (const auto& c : CadCallLog())
        if (c.Kind == "line" && c.Layer == 5) v.push_back(c);
    ASSERT_EQ(v.size(), 5u) << "the line back to the axis lies wholly above";
    for (const auto& l : v) {
        EXPECT_LE(l.V[1], BoxY1 + 1e-9);
        EXPECT_LE(l.V[3], BoxY1 + 1e-9);
    }
    EXPECT_NEAR(v[4].V[3], BoxY1, 1e-9) << "the ring's segment ends at the top";
    bool arc = false;
    for (const auto& c : CadCallLog())
        if (c.Kind == "arc" && c.Layer == 18) arc = c.V[4] > 100;
    EXPECT_TRUE(arc) << "the ring's arc is not clipped";
}

// The inch system labels the radius axis in inches while the data stay in
// mm: the velocity polyline is the metric one on a radius axis that ends at
// 9 in instead of 250 mm.
TEST_F(DefaultStageDrawing, KutzbachInchChartDrawsTheSameLines)
{
    auto velocityLines = [] {
        std::vector<TCadCall> v;
        for (const auto& c : CadCallLog())
            if (c.Kind == "line" && c.Layer == 5) v.push_back(c);
        return v;
    };
    Open();
    KutzbachChart();
    const auto metric = velocityLines();
    Close();
    wtelmvar.UnitSystem = 1;
    Open();
    KutzbachChart();
    const auto inch = velocityLines();
    bool inchLabel = false, inchRadius = false;
    for (const auto& c : CadCallLog()) {
        inchLabel = inchLabel || (c.Kind == "text" && c.Text == "in");
        inchRadius = inchRadius || (c.Kind == "text" && c.Text == "rCi = 4.6063 in");
    }
    Close();
    ASSERT_EQ(metric.size(), 6u);
    ASSERT_EQ(inch.size(), metric.size());
    // Metric radius axis 0..250 mm (204.75 in steps of 50); inch axis
    // 0..9 in (8.061 in steps of 1) = 228.6 mm. Velocities are the same.
    for (size_t i = 0; i < metric.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(inch[i].V[0], metric[i].V[0], 1e-9);
        EXPECT_NEAR(inch[i].V[2], metric[i].V[2], 1e-9);
        EXPECT_NEAR(inch[i].V[1], BoxY0 + (metric[i].V[1] - BoxY0) * 250 / 228.6, 1e-9);
        EXPECT_NEAR(inch[i].V[3], BoxY0 + (metric[i].V[3] - BoxY0) * 250 / 228.6, 1e-9);
    }
    // The ring's pitch point 204.75 mm up the 250 mm axis of 100 plot units.
    EXPECT_NEAR(metric[4].V[3], BoxY0 + 204.75 / 250 * 100, 1e-9);
    EXPECT_TRUE(inchLabel) << "radius axis in inches";
    EXPECT_TRUE(inchRadius);
}
