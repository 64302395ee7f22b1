// How the outline copes with its settings and with awkward data: point
// counts and their bounds, the trochoid at the edges of its formulas, the
// internal root whose fillet would reach past the middle of the gap, gears
// without data, the centre line, the pre-machined outline.
#include "toothtestsupport.h"

#include "common/testmessages.h"
#include "drawings/tooth/toothcontour.h"

#include <cmath>
#include <string>

namespace
{

constexpr double PiD = 3.14159265358979323846;
double D(Extended v)
{
    return static_cast<double>(v);
}

class ToothBehaviour : public ToothContourFixture
{
};

// --- point counts -----------------------------------------------------------

enum class Root { BaseCircle, Fillet, Internal };

struct CountCase {
    const char* name;
    Root root;
    int points;      // InvolutePoints as set
    int used;        // as the outline uses it
    size_t vertices; // of the outline
};

class PointCounts : public ToothContourFixture, public ::testing::WithParamInterface<CountCase>
{
};

TEST_P(PointCounts, OutlineHasTwoVerticesPerFlankPointPlusItsRoot)
{
    const CountCase& c = GetParam();
    const int z = c.root == Root::BaseCircle ? 20 : (c.root == Root::Fillet ? 40 : -40);
    Load(2, TToothGear{2, z, 0, 0, 0.38L, 0});
    GearPair.InvolutePoints = c.points;
    EXPECT_EQ(ContourInvolutePoints(), c.used);
    const TToothContour contour = BuildToothContour(2, false);
    ASSERT_FALSE(contour.Paths.empty());
    EXPECT_EQ(contour.Paths.back().Vertices.size(), c.vertices);
    // Only the unset value is replaced and stored; others stay as the
    // project file had them.
    EXPECT_EQ(GearPair.InvolutePoints, c.points == 0 ? 20 : c.points);
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
}

INSTANTIATE_TEST_SUITE_P(
    ToothSettings, PointCounts,
    ::testing::Values(CountCase{"BaseCircleN2", Root::BaseCircle, 2, 2, 4},
                      CountCase{"BaseCircleN5", Root::BaseCircle, 5, 5, 10},
                      CountCase{"BaseCircleN20", Root::BaseCircle, 20, 20, 40},
                      CountCase{"FilletN2", Root::Fillet, 2, 2, 9},
                      CountCase{"FilletN5", Root::Fillet, 5, 5, 15},
                      CountCase{"FilletN20", Root::Fillet, 20, 20, 45},
                      CountCase{"InternalN2", Root::Internal, 2, 2, 8},
                      CountCase{"InternalN5", Root::Internal, 5, 5, 14},
                      CountCase{"InternalN20", Root::Internal, 20, 20, 44},
                      // One point leaves no diameter step: two are used.
                      CountCase{"OnePointUsesTwo", Root::Fillet, 1, 2, 9},
                      CountCase{"UnsetBecomesTwenty", Root::Internal, 0, 20, 44},
                      CountCase{"ProjectValueAboveBoundClamped", Root::BaseCircle, 1000, 256, 512},
                      CountCase{"NegativeClamped", Root::BaseCircle, -7, 2, 4}),
    [](const ::testing::TestParamInfo<CountCase>& i) { return std::string(i.param.name); });

struct StepCase {
    const char* name;
    int steps, used;
};

class FilletSteps : public ToothContourFixture, public ::testing::WithParamInterface<StepCase>
{
};

TEST_P(FilletSteps, TrochoidStepsAreBounded)
{
    const StepCase& c = GetParam();
    // The trochoid runs at most one pitch, one point per step.
    Load(1, TToothGear{2, 20, 0, 0, 0.38L, 0});
    GearPair.FilletResolution = c.steps;
    EXPECT_EQ(ContourFilletResolution(), c.used);
    EXPECT_EQ(GearPair.FilletResolution, c.steps == 0 ? 30 : c.steps);
    Extended ex = 0, ey = 0;
    const TContourPath p = RootTrochoid(1, 2, ex, ey);
    EXPECT_GE(p.Vertices.size(), 2u);
    EXPECT_LE(p.Vertices.size(), static_cast<size_t>(c.used + 1));
}

INSTANTIATE_TEST_SUITE_P(ToothSettings, FilletSteps,
                         ::testing::Values(StepCase{"UnsetBecomesThirty", 0, 30},
                                           StepCase{"OneUsesTwo", 1, 2},
                                           StepCase{"AboveBoundClamped", 1000, 200}, StepCase{"Ten", 10, 10}),
                         [](const ::testing::TestParamInfo<StepCase>& i) {
                             return std::string(i.param.name);
                         });

// --- trochoid edges -----------------------------------------------------------

TEST_F(ToothBehaviour, TrochoidWithTipCentreOnTheRollingLineStartsAtTheRootPoint)
{
    // hc = 1.25 mn - 0.87 mn - 0.38 mn = 0: the trochoid's first point has
    // no direction to the pitch point.
    Load(1, TToothGear{2, 4, 0.87L, 0, 0.38L, 0});
    const TToothContour c = BuildToothContour(1, true);
    ASSERT_EQ(c.Paths.size(), 3u);
    for (const TContourPath& p : c.Paths)
        for (const TContourVertex& v : p.Vertices)
            ASSERT_TRUE(std::isfinite(D(v.X)) && std::isfinite(D(v.Y))) << "no number in the outline";
    // Root point on r - hc - rho = 4 - 0 - 0.76, at phi0 = pi/8 + 2 0.87
    // tan 20 / 4 + 0.76 / (4 cos 20) left of the tooth centre line.
    const double phi0 =
        PiD / 8 + 2 * 0.87 * std::tan(20 * PiD / 180) / 4 + 0.76 / (4 * std::cos(20 * PiD / 180));
    const TContourVertex root = c.Paths[0].Vertices.at(1);
    EXPECT_NEAR(D(root.X), -3.24 * std::sin(phi0), 1e-12);
    EXPECT_NEAR(D(root.Y), 3.24 * std::cos(phi0), 1e-12);
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
}

TEST_F(ToothBehaviour, OutlineJoinsTheLastTrochoidPointDrawn)
{
    // Trochoid points are drawn only inside the usable root circle; the
    // outline must start where the trochoid ends, not at a point beyond.
    Load(1, TToothGear{2, 20, 0, 0, 0.38L, 37.60L});
    const TToothContour c = BuildToothContour(1, true);
    ASSERT_EQ(c.Paths.size(), 3u);
    const TContourPath& right = c.Paths[1];
    const TContourPath& main = c.Paths[2];
    EXPECT_EQ(right.Vertices.size(), 23u) << "the 24th point lies at y 18.8017, above dNf/2 = 18.80";
    EXPECT_EQ(main.Vertices.front().X, right.Vertices.back().X);
    EXPECT_EQ(main.Vertices.front().Y, right.Vertices.back().Y);
    EXPECT_EQ(main.Vertices.back().X, c.Paths[0].Vertices.back().X);
}

TEST_F(ToothBehaviour, WithoutUsableRootCircleTheOutlineEndsAtTheRootPoints)
{
    // dNf is 0 before the pair is calculated: no trochoid point is drawn and
    // the flanks run to the root points themselves.
    Load(1, TToothGear{2, 20, 0, 0, 0.38L, 0});
    GearPair.dNf[1] = 0;
    const TToothContour c = BuildToothContour(1, true);
    ASSERT_EQ(c.Paths.size(), 3u);
    EXPECT_TRUE(c.Paths[0].Vertices.empty());
    EXPECT_TRUE(c.Paths[1].Vertices.empty());
    const auto& v = c.Paths[2].Vertices;
    ASSERT_EQ(v.size(), 10u);
    EXPECT_NEAR(D(v.front().X), 2.626310, 1e-6);
    EXPECT_NEAR(D(v.front().Y), 17.301806, 1e-6);
    EXPECT_NEAR(D(v.back().X), -2.626310, 1e-6);
    EXPECT_NEAR(D(v.back().Y), 17.301806, 1e-6);
}

// --- internal root reaching past the gap middle ---------------------------------

TEST_F(ToothBehaviour, InternalFilletTooLargeForTheGapEndsInItsMiddle)
{
    // z -40, x -0.5: the full radius 0.76 needs 0.4389 mm of chord, the
    // chord to the gap middle is 0.3576 mm long.
    Load(2, TToothGear{2, -40, -0.5L, 0, 0.38L, 0});
    const TInternalRoot r = InternalRoot(2, false);
    EXPECT_NEAR(D(Hypotenuse(r.Gx - r.P1x, r.Gy - r.P1y)), 0.3576, 1e-4);
    EXPECT_TRUE(r.EndsAtGap);
    EXPECT_NEAR(D(r.Radius), 0.76 * 0.3576 / 0.4389, 1e-3);
    const TToothContour c = BuildToothContour(2, true);
    const auto& v = c.Paths.back().Vertices;
    ASSERT_EQ(v.size(), 12u) << "2N + 2: G stands for T2";
    EXPECT_EQ(v[0].X, r.Gx);
    EXPECT_NEAR(D(v[0].Angle), -D(r.W), 1e-15);
    EXPECT_EQ(v.back().X, -r.Gx);
    // Nothing of the outline reaches past the gap middles: the neighbouring
    // outlines, turned by one pitch, cannot overlap it.
    const double half = PiD / 40;
    for (const TContourVertex& p : v)
        EXPECT_LE(std::fabs(std::atan2(D(p.X), -D(p.Y))), half + 1e-12);
}

// --- no data, aborted ---------------------------------------------------------

TEST_F(ToothBehaviour, GearWithoutTeethDrawsNothingAndSaysWhy)
{
    Load(1, TToothGear{2, 20, 0, 0, 0.38L, 0});
    GearPair.z[1] = 0;
    GearPair.d[1] = 0;
    EXPECT_TRUE(BuildToothContour(1, true).Paths.empty());
    EXPECT_TRUE(HasMessage("Fatal  : d = 0 !")) << Messages();
    EXPECT_FALSE(HasMessage("Error  : CAD: element with invalid coordinates left out"));

    Extended x = 1, y = 1, psi = 1;
    GearPair.z[1] = 20;
    GearPair.d[1] = 40;
    InvolutePointAtDiameter(1, x, y, 0, psi);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(psi, 0);
}

TEST_F(ToothBehaviour, AbortedDrawsNothing)
{
    Load(2, TToothGear{2, -40, 0, 0, 0.38L, 0});
    GearPair.q[2] = 0.2L;
    telmvar.Aborted = true;
    EXPECT_TRUE(BuildToothContour(2, true).Paths.empty());
    EXPECT_TRUE(BuildPreMachiningContour(2).Vertices.empty());
    EXPECT_EQ(error0.ErrorCount, 0);
}

// --- centre line ---------------------------------------------------------------

TEST_F(ToothBehaviour, CentreLineOnlyWithTheTrochoidRoot)
{
    GearPair.DrawingConfiguration = 2;
    Load(1, TToothGear{2, 20, 0, 0, 0.38L, 0});
    const TToothContour c = BuildToothContour(1, true);
    ASSERT_EQ(c.Paths.size(), 4u);
    const TContourPath& axis = c.Paths[0];
    EXPECT_TRUE(axis.IsLine);
    EXPECT_EQ(axis.Layer, 1);
    // 20 % of the tooth depth (44 - 35) / 2 beyond tip and root.
    EXPECT_NEAR(D(axis.Vertices[0].Y), 22.9, 1e-12);
    EXPECT_NEAR(D(axis.Vertices[1].Y), 16.6, 1e-12);

    Load(2, TToothGear{2, 40, 0, 0, 0.38L, 0});
    EXPECT_EQ(BuildToothContour(2, true).Paths.size(), 1u) << "no centre line with a fillet root";
    GearPair.DrawRootCurve = false;
    EXPECT_EQ(BuildToothContour(1, true).Paths.size(), 1u) << "none without the trochoid either";
}

TEST_F(ToothBehaviour, WithoutRootCurveTheOutlineRunsFromBaseCircleToBaseCircle)
{
    GearPair.DrawRootCurve = false;
    Load(1, TToothGear{2, 20, 0, 0, 0.38L, 0});
    const TToothContour c = BuildToothContour(1, true);
    ASSERT_EQ(c.Paths.size(), 1u);
    const auto& v = c.Paths[0].Vertices;
    ASSERT_EQ(v.size(), 10u);
    EXPECT_NEAR(D(Hypotenuse(v.front().X, v.front().Y)), 37.587705 / 2, 1e-6);
    EXPECT_NEAR(D(v.back().X), -D(v.front().X), 1e-15);
}

// --- pre-machined outline --------------------------------------------------------

struct PreCase {
    const char* name;
    bool singleGear;
    Extended q;
    Extended protuberance; // prP0 / mn
    bool drawn;
};

class PreMachining : public ToothContourFixture, public ::testing::WithParamInterface<PreCase>
{
};

TEST_P(PreMachining, SecondOutlineOnLayerThree)
{
    const PreCase& c = GetParam();
    Load(2, TToothGear{2, -40, 0, 0, 0.38L, 0});
    auto& g = GearPair;
    g.q[2] = c.q;
    g.xevmin[2] = -0.1L;
    g.xevmax[2] = -0.05L;
    g.prP0_mn[2] = c.protuberance;
    g.prP0[2] = c.protuberance * g.mn;
    g.alphaprP0[2] = 10;
    confgraf(g.x_pic);
    const TToothContour contour = BuildToothContour(2, c.singleGear);
    ASSERT_EQ(contour.Paths.size(), c.drawn ? 2u : 1u);
    if (!c.drawn) return;
    const TContourPath& pre = contour.Paths[1];
    EXPECT_EQ(pre.Layer, 3);
    ASSERT_EQ(pre.Vertices.size(), 14u) << "2N + 4";
    // Root of the pre-machining cut: d - 2 haP0 + (xevmin + xevmax) mn.
    EXPECT_NEAR(D(g.df_pic[2]), -80 - 5 - 0.3, 1e-12);
    // Start of the flank: the tangent point of the fillet, or with a
    // protuberance the depth where the tool's two flanks meet.
    double d0 = -2 * D(Hypotenuse(pre.Vertices[2].X, pre.Vertices[2].Y));
    if (c.protuberance > 0) {
        const double mn = 2, a = 20 * PiD / 180, apr = 10 * PiD / 180, rho = 0.76, ha = 2.5;
        const double e = (-80 + 85.3) / 2, y0 = ha - e;
        const double cx = PiD * mn / 4 + D(c.protuberance) * mn / std::cos(a) - (ha - rho) * std::tan(a) -
                          rho / std::cos(a);
        const double ax = cx + rho * std::cos(apr), ay = -e + rho - rho * std::sin(apr);
        // Main flank x = pi mn/4 + (y - y0) tan a meets x = ax + (y - ay) tan apr.
        const double y =
            (ax - ay * std::tan(apr) - PiD * mn / 4 + y0 * std::tan(a)) / (std::tan(a) - std::tan(apr));
        EXPECT_NEAR(D(ProtuberanceDepth(2)), -y, 1e-9);
        ASSERT_GT(-y, 0);
        d0 = -80 - 2 * -y;
    }
    const double da = D(g.da_pic[2]);
    const double dD = (da - d0) / 4;
    EXPECT_NEAR(D(Hypotenuse(pre.Vertices[3].X, pre.Vertices[3].Y)), -(d0 + dD) / 2, 1e-9);
    EXPECT_NEAR(D(Hypotenuse(pre.Vertices[6].X, pre.Vertices[6].Y)), -da / 2, 1e-9) << "tip";
}

INSTANTIATE_TEST_SUITE_P(ToothGears, PreMachining,
                         ::testing::Values(PreCase{"SingleGearWithAllowance", true, 0.2L, 0, true},
                                           PreCase{"WithProtuberance", true, 0.2L, 0.02L, true},
                                           PreCase{"NoneInPairPictures", false, 0.2L, 0, false},
                                           PreCase{"NoneWithoutAllowance", true, 0, 0, false}),
                         [](const ::testing::TestParamInfo<PreCase>& i) {
                             return std::string(i.param.name);
                         });

} // namespace
