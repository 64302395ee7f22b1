// The outline drawn from a calculated pair rather than from loaded values:
// pinion z 20 with a wheel z 40 at a = 60 (mn 2, tool 1.25 / 1.0 / 0.38 mn,
// no allowances). The wheel's tip circle 84 ends the pinion's usable flank
// at dNf = 2 sqrt(rb1² + (a sin 20 - sqrt(ra2² - rb2²))²) = 37.756260, and
// the outline is the hand-worked one of the reference pinion.
#include "common/testmessages.h"
#include "drawings/tooth/toothcontour.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"

#include <gtest/gtest.h>

namespace
{

double D(Extended v)
{
    return static_cast<double>(v);
}

TEST(ToothPair, CalculatedPinionGivesTheReferenceOutline)
{
    SetGearDefaults();
    InitGearPairData();
    auto& g = GearPair;
    g.mn = 2;
    g.z[1] = 20;
    g.z[2] = 40;
    g.x[1] = g.x[2] = 0;
    g.alpha = 20;
    g.beta = 0;
    g.a = 60;
    g.b_effH = 20;
    g.b[1] = g.b[2] = 20;
    for (int i = 1; i <= 2; ++i) {
        g.TsnSeries[i] = 11;
        g.Asne[i] = g.Asni[i] = 0;
        g.ToolProfileNo[i] = 2;
        g.DimensionInputMode[i] = 2;
        g.kmn[i] = 0;
        g.q[i] = 0;
    }
    g.AaField = 9;
    g.Aa = g.Aai = 0;
    CalcGeometry();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_NEAR(D(g.dNf[1]), 37.756260, 1e-6);
    EXPECT_NEAR(D(g.x_pic[1]), 0, 1e-12);
    g.InvolutePoints = 5;
    g.FilletResolution = 30;
    g.DrawRootCurve = true;
    g.DrawingConfiguration = 1;

    const TToothContour c = BuildToothContour(1, true);
    ASSERT_EQ(c.Paths.size(), 3u);
    EXPECT_EQ(c.Paths[0].Vertices.size(), 25u);
    EXPECT_EQ(c.Paths[1].Vertices.size(), 24u);
    const auto& v = c.Paths[2].Vertices;
    ASSERT_EQ(v.size(), 10u);
    EXPECT_NEAR(D(v[0].X), 1.755685, 1e-6);
    EXPECT_NEAR(D(v[0].Y), 18.750589, 1e-6);
    EXPECT_NEAR(D(v[4].X), 0.694764, 1e-6);
    EXPECT_NEAR(D(v[4].Y), 21.989027, 1e-6);
    EXPECT_NEAR(D(v[4].Angle), 0.063171, 1e-6);
    EXPECT_NEAR(D(v[9].X), -1.755685, 1e-6);
}

} // namespace
