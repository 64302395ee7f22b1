// Labelled diameter arcs, diameter circles and the measuring ball. The ball
// is checked against the involute itself: for a ball of diameter DM in the
// gap of an x = 0 gear, the textbook relation
//   inv alpha_K = inv alpha + DM / (mn z cos alpha) - pi / (2z),
//   R = db / (2 cos alpha_K),
// gives the centre radius, and the dimension over balls is 2R + DM (even z)
// or 2R cos(pi / 2z) + DM (odd z). The drawn centre must be DM/2 from both
// flanks, measured to the flank points r (sin, cos)(pi/z - psi(r)) with
// psi(r) = pi/(2z) + inv alpha - inv alpha_r.
#include "cadlogsupport.h"
#include "toothtestsupport.h"

#include "drawings/tooth/diametercircles.h"
#include "foundation/guardedmath.h"

#include <cmath>
#include <map>

namespace
{

class DiameterDrawings : public CadLogFixtureT<ToothContourFixture>
{
  protected:
    static void SetDiameters(int I, double Dw, double D, double Db, double Df, double Da, double DFf,
                             double DFa, double DNf)
    {
        auto& g = GearPair;
        g.mn = 2;
        g.z[I] = D > 0 ? 20 : -20;
        g.dw_pic[I] = Dw;
        g.d[I] = D;
        g.db[I] = Db;
        g.df_pic[I] = Df;
        g.da_pic[I] = g.da[I] = Da;
        g.dFfmax[I] = DFf;
        g.dFamax[I] = DFa;
        g.dNf[I] = DNf;
    }
    // Arcs by the label written after them.
    static std::map<std::string, TCadCall> ArcsByLabel()
    {
        std::map<std::string, TCadCall> m;
        const auto& log = CadCallLog();
        for (size_t k = 0; k + 1 < log.size(); ++k)
            if (log[k].Kind == "arc") {
                for (size_t j = k + 1; j < log.size(); ++j)
                    if (log[j].Kind == "text") {
                        m[log[j].Text] = log[k];
                        break;
                    }
            }
        return m;
    }
};

TEST_F(DiameterDrawings, LabelledArcAndItsClippedForm)
{
    GearPair.mn = 2;
    Open();
    DrawLabelledArc("d1", false, 0, 0, 10, 40, 90);
    // The limit line 19 above the centre meets the circle 18.195 deg off
    // the axis: a half angle of 30 is cut back, one of 10 is not.
    DrawClippedLabelledArc("a", true, 0, 0, 30, 40, 90, 19);
    DrawClippedLabelledArc("b", true, 0, 0, 10, 40, 90, 19);
    // Beyond the circle, and no diameter at all: nothing.
    DrawClippedLabelledArc("c", true, 0, 0, 10, 40, 90, 21);
    DrawClippedLabelledArc("e", true, 0, 0, 10, 0, 90, 19);
    // A ring's (D and half angle negative) about 90 deg, cut: still short.
    DrawClippedLabelledArc("r", true, 0, 0, -30, -40, -90, 19);
    Close();
    const auto arcs = Calls("arc");
    const auto texts = Calls("text");
    ASSERT_EQ(arcs.size(), 4u);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_NEAR(arcs[0].V[2], 80, 1e-9);
    EXPECT_NEAR(arcs[0].V[3], 100, 1e-9);
    EXPECT_NEAR(arcs[0].V[4], 20, 1e-9);
    // Outside: 0.08 mn beyond the radius in x, 0.05 mn in y, 0.8 of the
    // half angle towards the arc's end.
    const double l = 8 * M_PI / 180;
    EXPECT_NEAR(texts[0].V[0], std::sin(l) * 20.16, 1e-9);
    EXPECT_NEAR(texts[0].V[1], std::cos(l) * 20.1, 1e-9);
    const double a = std::acos(0.95) * 180 / M_PI;
    EXPECT_NEAR(arcs[1].V[2], 90 - a, 1e-9);
    EXPECT_NEAR(arcs[1].V[3], 90 + a, 1e-9);
    // Inside: 0.12 mn within the radius.
    EXPECT_NEAR(texts[1].V[1], std::cos(0.8 * a * M_PI / 180) * 19.76, 1e-9);
    EXPECT_NEAR(arcs[2].V[2], 80, 1e-9);
    EXPECT_NEAR(arcs[3].V[2], 90 - a, 1e-9);
    EXPECT_NEAR(arcs[3].V[3], 90 + a, 1e-9);
}

TEST_F(DiameterDrawings, ArcsOfAnExternalGear)
{
    // d and dw 0.1 mm apart (< 0.1 mn): the d arc is 1.2 times as wide;
    // da = dFa: no dFa arc; dNf 0.2 mm from db (< 0.15 mn): wide dNf arc.
    SetDiameters(1, 40.1, 40, 37.5877, 35, 44, 37.6, 44, 37.8);
    Open();
    DrawDiameterArcs(1, 90, 0, 0);
    Close();
    const auto m = ArcsByLabel();
    const double half = 1.5 * 180 / 20;
    const struct {
        const char* Label;
        int Layer;
        double Radius, Half;
    } want[] = {{"dw1", 18, 20.05, half},      {"d1", 17, 20, 1.2 * half}, {"db1", 25, 18.79385, half},
                {"df1", 19, 17.5, half},       {"da1", 21, 22, half},      {"dFf", 20, 18.8, 1.2 * half},
                {"dNf1", 24, 18.9, 1.2 * half}};
    EXPECT_EQ(m.size(), 7u);
    EXPECT_EQ(m.count("dFa1"), 0u);
    for (const auto& w : want) {
        SCOPED_TRACE(w.Label);
        ASSERT_EQ(m.count(w.Label), 1u);
        const auto& c = m.at(w.Label);
        EXPECT_EQ(c.Layer, w.Layer);
        EXPECT_NEAR(c.V[4], w.Radius, 1e-9);
        EXPECT_NEAR(c.V[2], 90 - w.Half, 1e-9);
        EXPECT_NEAR(c.V[3], 90 + w.Half, 1e-9);
    }
}

TEST_F(DiameterDrawings, ArcsOfAnInternalGearLieOppositeAndShort)
{
    SetDiameters(2, -80, -80, -75.175, -85, -76, -76, -75.8, -86);
    GearPair.z[2] = -40;
    Open();
    DrawDiameterArcs(2, 90, 0, 0);
    Close();
    const auto m = ArcsByLabel();
    // da differs from dFa: the dFa arc is there.
    ASSERT_EQ(m.count("dFa2"), 1u);
    const auto& d = m.at("d2");
    // Half angle 1.5 * 180 / -40 = -6.75, widened to -8.1 (d = dw).
    EXPECT_NEAR(d.V[2], 270 - 8.1, 1e-9);
    EXPECT_NEAR(d.V[3], 270 + 8.1, 1e-9);
    EXPECT_NEAR(d.V[4], 40, 1e-9);
}

TEST_F(DiameterDrawings, CirclesWithTheirValueList)
{
    SetDiameters(1, 40, 40, 37.5877, 35, 44, 37.5877, 44, 36);
    Open();
    DrawDiameterCircles(1, 0, 0);
    Close();
    const auto texts = Calls("text");
    const std::vector<std::string> want = {"dw = 40.000", "d = 40.000",  "db = 37.588",
                                           "df = 35.000", "da = 44.000", "dNf = 36.000"};
    ASSERT_EQ(texts.size(), want.size());
    for (size_t k = 0; k < want.size(); ++k)
        EXPECT_EQ(texts[k].Text, want[k]);
    // The list starts at (-df/4, df/4) with text height df/25.
    EXPECT_NEAR(texts[0].V[0], -8.75, 1e-9);
    EXPECT_NEAR(texts[0].V[1], 8.75, 1e-9);
    EXPECT_NEAR(texts[0].V[2], 1.4, 1e-9);
    const auto circles = Calls("circle");
    ASSERT_EQ(circles.size(), 6u);
    EXPECT_EQ(circles[2].Layer, 29);
    EXPECT_NEAR(circles[2].V[2], 18.79385, 1e-9);
    EXPECT_FALSE(StopToothLoop(7));
}

struct TBallCase {
    const char* Name;
    int z;
};

class MeasuringBall : public CadLogFixtureT<ToothContourFixture>,
                      public ::testing::WithParamInterface<TBallCase>
{
};

double Inv(double A)
{
    return std::tan(A) - A;
}

// Hand-worked dimension over balls of an x = 0 spur gear, mn 2, DM 3.5.
double BallCentreRadius(int Z, double& MdK)
{
    const double a = 20 * M_PI / 180, mn = 2, dm = 3.5;
    const double inv = Inv(a) + dm / (mn * Z * std::cos(a)) - M_PI / (2 * Z);
    double ak = 0.5;
    for (int k = 0; k < 100; ++k)
        ak -= (Inv(ak) - inv) / (std::tan(ak) * std::tan(ak));
    const double r = mn * Z * std::cos(a) / (2 * std::cos(ak));
    MdK = Z % 2 == 0 ? 2 * r + dm : 2 * r * std::cos(M_PI / (2 * Z)) + dm;
    return r;
}

TEST_P(MeasuringBall, TouchesBothFlanks)
{
    const int z = GetParam().z;
    TToothGear g;
    g.z = z;
    Load(1, g);
    double mdk = 0;
    const double r = BallCentreRadius(z, mdk);
    if (z == 21) {
        EXPECT_NEAR(mdk, 46.813932, 1e-6);
    }
    GearPair.DM[1] = 3.5;
    GearPair.MdK_xemin[1] = GearPair.MdK_xemax[1] = mdk;
    Open();
    DrawMeasuringBall(1);
    Close();
    const auto c = Calls("circle");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].Layer, 4);
    EXPECT_NEAR(c[0].V[0], 0, 1e-12);
    EXPECT_NEAR(c[0].V[1], r, 1e-6);
    EXPECT_NEAR(c[0].V[2], 1.75, 1e-12);
    // Nearest flank point of the tooth beside the gap.
    const double a = 20 * M_PI / 180, rb = z * std::cos(a);
    double best = 1e9;
    for (int k = 0; k <= 200000; ++k) {
        const double rr = rb + (z + 2.0 - rb) * k / 200000.0;
        const double ar = std::acos(rb / rr);
        const double psi = M_PI / (2 * z) + Inv(a) - Inv(ar);
        const double phi = M_PI / z - psi;
        for (double s : {-1.0, 1.0})
            best = std::min(best,
                            std::hypot(s * rr * std::sin(phi) - c[0].V[0], rr * std::cos(phi) - c[0].V[1]));
    }
    EXPECT_NEAR(best, 1.75, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Diameters, MeasuringBall,
                         ::testing::Values(TBallCase{"z20", 20}, TBallCase{"z21", 21}),
                         [](const auto& I) { return std::string(I.param.Name); });

TEST_F(DiameterDrawings, HelicalPinIsAnEllipseWiderInX)
{
    TToothGear g;
    g.betaDeg = 20;
    Load(1, g);
    GearPair.DM[1] = 3.5;
    GearPair.MdK_xemin[1] = GearPair.MdK_xemax[1] = 48;
    Open();
    DrawMeasuringBall(1);
    Close();
    double xmin = 1e9, xmax = -1e9, ymin = 1e9, ymax = -1e9;
    for (const auto& c : CadCallLog())
        if (c.Kind == "vertex" || c.Kind == "line") {
            xmin = std::min(xmin, c.V[0]);
            xmax = std::max(xmax, c.V[0]);
            ymin = std::min(ymin, c.V[1]);
            ymax = std::max(ymax, c.V[1]);
        }
    EXPECT_TRUE(Calls("circle").empty());
    EXPECT_NEAR(xmax - xmin, 3.5 / std::cos(20 * M_PI / 180), 1e-3);
    EXPECT_NEAR(ymax - ymin, 3.5, 1e-3);
    EXPECT_NEAR((ymax + ymin) / 2, 48 / 2.0 - 1.75, 1e-3);
}

} // namespace
