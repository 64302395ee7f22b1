#include "foundation/messagecollector.h"
#include "foundation/planegeo.h"
#include "foundation/programsettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace
{

constexpr Extended kPi = std::numbers::pi_v<Extended>;
constexpr Extended kTol = 1e-15L;

class PlaneGeo : public ::testing::Test
{
};

TEST_F(PlaneGeo, Det2AndLinearSystems)
{
    EXPECT_EQ(Det2(1, 2, 3, 4), -2);
    Extended x = 9;
    Extended y = 9;
    // x + y = 3, x - y = 1
    EXPECT_TRUE(SolveLinear2(x, y, 1, 1, 3, 1, -1, 1));
    EXPECT_NEAR(x, 2, kTol);
    EXPECT_NEAR(y, 1, kTol);
    // 2x + 4y = 2, x + 2y = 5: no solution.
    EXPECT_FALSE(SolveLinear2(x, y, 2, 4, 2, 1, 2, 5));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST_F(PlaneGeo, IsBetween)
{
    struct Case {
        Extended x, a, b;
        bool want;
    };
    const Case cases[] = {
        {5, 5, 5, true},     {5.0000000000001L, 5, 5, true},
        {5.1L, 5, 5, false}, {2, 1, 3, true},
        {2, 3, 1, true},     {0.5L, 1, 3, false},
        {3, 1, 3, true},     {3.0000000000001L, 1, 3, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsBetween(c.x, c.a, c.b), c.want)
            << static_cast<double>(c.x) << " in " << static_cast<double>(c.a) << ".."
            << static_cast<double>(c.b);
}

TEST_F(PlaneGeo, LineAndSegmentIntersections)
{
    Extended x = 0;
    Extended y = 0;
    // Diagonals of the square (0,0)-(2,2) meet in its centre.
    EXPECT_TRUE(SegmentIntersection(x, y, 0, 0, 2, 2, 0, 2, 2, 0));
    EXPECT_NEAR(x, 1, kTol);
    EXPECT_NEAR(y, 1, kTol);
    // The lines meet at (3, 3), beyond the first segment.
    EXPECT_FALSE(SegmentIntersection(x, y, 0, 0, 2, 2, 3, 0, 3, 5));
    EXPECT_TRUE(LineIntersection(x, y, 0, 0, 2, 2, 3, 0, 3, 5));
    EXPECT_NEAR(x, 3, kTol);
    EXPECT_NEAR(y, 3, kTol);
    // Parallel lines: no intersection, the point handed back is P1.
    EXPECT_FALSE(LineIntersection(x, y, 1, 1, 3, 2, 0, 5, 2, 6));
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 1);
    EXPECT_FALSE(SegmentIntersection(x, y, 0, 0, 4, 0, 1, 0, 3, 0)) << "overlapping collinear segments";
    // A vertical segment crossing a horizontal one.
    EXPECT_TRUE(SegmentIntersection(x, y, 1, -1, 1, 1, 0, 0, 5, 0));
    EXPECT_NEAR(x, 1, kTol);
    EXPECT_NEAR(y, 0, kTol);
}

TEST_F(PlaneGeo, RotationAndTriangleAngle)
{
    Extended x = 0;
    Extended y = 0;
    RotateAboutPoint(x, y, 2, 1, 1, 1, kPi / 2);
    EXPECT_NEAR(x, 1, kTol);
    EXPECT_NEAR(y, 2, kTol);
    // 3-4-5 triangle: the angle between 3 and 4 is a right angle, the one
    // between 4 and 5 has the cosine 4/5.
    EXPECT_NEAR(AngleFromSides(3, 4, 5), kPi / 2, kTol);
    EXPECT_NEAR(AngleFromSides(4, 5, 3), std::acos(0.8L), kTol);
    EXPECT_EQ(AngleFromSides(0, 4, 5), 0);
}

TEST_F(PlaneGeo, ArcCenterOfAHalfCircle)
{
    Extended xc = 0, yc = 0, a1 = 0, a2 = 0, r = 0;
    ASSERT_TRUE(GetArcCenter(xc, yc, a1, 0, 0, 2, 0, kPi, a2, r));
    EXPECT_NEAR(xc, 1, kTol);
    EXPECT_NEAR(yc, 0, kTol);
    EXPECT_NEAR(r, 1, kTol);
    EXPECT_NEAR(a1, kPi, 1e-12L);
    EXPECT_NEAR(a2, 0, 1e-12L);
    ASSERT_TRUE(GetArcCenter(xc, yc, a1, 0, 0, 2, 0, -kPi, a2, r));
    EXPECT_NEAR(a1, 0, 1e-12L) << "negative arc: angles exchanged";
    EXPECT_NEAR(a2, kPi, 1e-12L);
    ASSERT_TRUE(GetArcCenterNoSwap(xc, yc, a1, 0, 0, 2, 0, -kPi, a2, r));
    EXPECT_NEAR(a1, kPi, 1e-12L);
    EXPECT_NEAR(a2, 0, 1e-12L);
}

TEST_F(PlaneGeo, ArcCenterOfAQuarterCircle)
{
    // From (0,0) to (2,0) turning 90 degrees counter-clockwise: the centre
    // lies at (1, 1), R = sqrt 2, the arc runs from 225 to 315 degrees.
    Extended xc = 0, yc = 0, a1 = 0, a2 = 0, r = 0;
    ASSERT_TRUE(GetArcCenter(xc, yc, a1, 0, 0, 2, 0, kPi / 2, a2, r));
    EXPECT_NEAR(xc, 1, kTol);
    EXPECT_NEAR(yc, 1, kTol);
    EXPECT_NEAR(r, std::sqrt(2.0L), kTol);
    EXPECT_NEAR(a1, 5 * kPi / 4, kTol);
    EXPECT_NEAR(a2, -kPi / 4, kTol);
}

TEST_F(PlaneGeo, ArcCenterWithoutArc)
{
    Extended xc = 7, yc = 7, a1 = 7, a2 = 7, r = 7;
    EXPECT_FALSE(GetArcCenter(xc, yc, a1, 0, 0, 2, 0, 0, a2, r));
    EXPECT_EQ(xc, 7);
    EXPECT_EQ(r, 7);
    ASSERT_EQ(error0.ErrorCount, 1);
    EXPECT_EQ(error0.ErrorTexts[1], "Fehler in GetArcCenter (dphi = 0 ! ");
    wtelmvar.HideWarnings = true;
    ResetErrorState();
    EXPECT_FALSE(GetArcCenter(xc, yc, a1, 0, 0, 2, 0, 0, a2, r));
    EXPECT_EQ(error0.ErrorCount, 0);
    wtelmvar.HideWarnings = false;
    ASSERT_TRUE(GetArcCenterNoSwap(xc, yc, a1, 1, 1, 1, 1, kPi / 3, a2, r));
    EXPECT_EQ(xc, 1);
    EXPECT_EQ(yc, 1);
    ASSERT_EQ(error0.ErrorCount, 1);
    EXPECT_EQ(error0.ErrorTexts[1], "GetArcCenter l12=0");
}

TEST_F(PlaneGeo, SolveQuadratic)
{
    struct Case {
        Extended a, b, c;
        bool failed;
        Extended x1, x2;
    };
    const Case cases[] = {
        {1, -3, 2, false, 2, 1},  {1, 0, 1, true, 0, 0},   {1, 2, 1, false, -1, -1}, {2, 0, -8, false, 2, -2},
        {-1, 0, 4, false, -2, 2}, {0, 2, -4, false, 2, 2}, {0, 0, 1, true, 0, 0},
    };
    for (const auto& c : cases) {
        Extended x1 = 9, x2 = 9;
        bool failed = !c.failed;
        SolveQuadratic(x1, x2, failed, c.a, c.b, c.c);
        EXPECT_EQ(failed, c.failed);
        EXPECT_NEAR(x1, c.x1, kTol);
        EXPECT_NEAR(x2, c.x2, kTol);
    }
}

TEST_F(PlaneGeo, LineCircleIntersection)
{
    Extended xa = 0, ya = 0, xb = 0, yb = 0;
    bool failed = true;
    // The x axis through the circle of radius 5 about (1, 0).
    LineCircleIntersection(-10, 0, 10, 0, 1, 0, 5, xa, ya, xb, yb, failed);
    EXPECT_FALSE(failed);
    EXPECT_NEAR(xa, 6, kTol);
    EXPECT_NEAR(xb, -4, kTol);
    EXPECT_NEAR(ya, 0, kTol);
    // The line y = x + 1 and the unit circle: (0, 1) and (-1, 0).
    LineCircleIntersection(0, 1, 1, 2, 0, 0, 1, xa, ya, xb, yb, failed);
    EXPECT_FALSE(failed);
    EXPECT_NEAR(xa, 0, kTol);
    EXPECT_NEAR(ya, 1, kTol);
    EXPECT_NEAR(xb, -1, kTol);
    EXPECT_NEAR(yb, 0, kTol);
    // The vertical line x = 4 through the circle of radius 5 about (0, 0).
    LineCircleIntersection(4, 0, 4, 1, 0, 0, 5, xa, ya, xb, yb, failed);
    EXPECT_FALSE(failed);
    EXPECT_EQ(xa, 4);
    EXPECT_NEAR(ya, 3, kTol);
    EXPECT_NEAR(yb, -3, kTol);
    // A vertical line that misses.
    LineCircleIntersection(6, 0, 6, 1, 0, 0, 5, xa, ya, xb, yb, failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(ya, 0);
    EXPECT_EQ(yb, 0);
    // A sloped line that misses.
    LineCircleIntersection(0, 10, 1, 11, 0, 0, 1, xa, ya, xb, yb, failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(ya, 0);
    EXPECT_EQ(yb, 0);
}

TEST_F(PlaneGeo, RayIntersection)
{
    Extended x = 0, y = 0;
    EXPECT_TRUE(RayIntersection(x, y, 0, 0, kPi / 4, 4, 0, 3 * kPi / 4));
    EXPECT_NEAR(x, 2, 1e-12L);
    EXPECT_NEAR(y, 2, 1e-12L);
    EXPECT_FALSE(RayIntersection(x, y, 0, 0, 0, 0, 1, 0));
}

struct ClipCase {
    const char* what;
    Extended x1, y1, x2, y2;
    bool kept;
    Extended wx1, wy1, wx2, wy2;
};

TEST_F(PlaneGeo, ClipSegmentToRect)
{
    // The rectangle (0, 0)-(10, 5).
    const ClipCase cases[] = {
        {"inside", 1, 1, 9, 4, true, 1, 1, 9, 4},
        {"second end outside", 5, 2, 15, 2, true, 5, 2, 10, 2},
        {"first end outside", 5, 8, 5, 2, true, 5, 5, 5, 2},
        {"crossing with both ends outside", -5, 2, 15, 2, true, 0, 2, 10, 2},
        {"diagonal through two corners", -1, -0.5L, 11, 5.5L, true, 0, 0, 10, 5},
        {"outside", -5, 7, 15, 7, false, 0, 0, 0, 0},
        {"outside beside a corner", 9, 7, 12, 4, false, 0, 0, 0, 0},
        {"on an edge", 2, 5, 4, 5, true, 2, 5, 4, 5},
    };
    for (const auto& c : cases) {
        Extended x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        EXPECT_EQ(ClipSegmentToRect(x1, y1, x2, y2, 0, 0, 10, 5), c.kept) << c.what;
        EXPECT_NEAR(x1, c.wx1, kTol) << c.what;
        EXPECT_NEAR(y1, c.wy1, kTol) << c.what;
        EXPECT_NEAR(x2, c.wx2, kTol) << c.what;
        EXPECT_NEAR(y2, c.wy2, kTol) << c.what;
    }
}

TEST_F(PlaneGeo, SegmentRectIntersectionAndPointInRect)
{
    EXPECT_TRUE(PointInRect(0, 0, 0, 0, 10, 5));
    EXPECT_TRUE(PointInRect(10, 5, 0, 0, 10, 5));
    EXPECT_FALSE(PointInRect(10.0001L, 5, 0, 0, 10, 5));
    Extended x = 0, y = 0;
    // Bottom edge before the top edge.
    EXPECT_TRUE(SegmentRectIntersection(x, y, 3, -1, 3, 6, 0, 0, 10, 5));
    EXPECT_NEAR(x, 3, kTol);
    EXPECT_NEAR(y, 0, kTol);
    EXPECT_TRUE(SegmentRectIntersection(x, y, 5, 2, 12, 2, 0, 0, 10, 5));
    EXPECT_NEAR(x, 10, kTol);
    EXPECT_NEAR(y, 2, kTol);
    EXPECT_FALSE(SegmentRectIntersection(x, y, 1, 1, 2, 2, 0, 0, 10, 5));
}

TEST_F(PlaneGeo, OppositeAngle)
{
    EXPECT_NEAR(OppositeAngle(0), kPi, kTol);
    EXPECT_NEAR(OppositeAngle(3 * kPi / 2), kPi / 2, kTol);
    EXPECT_NEAR(OppositeAngle(kPi), 2 * kPi, kTol) << "exactly 2 pi is not reduced";
}

TEST_F(PlaneGeo, FilletBetweenTheAxes)
{
    // First line: the x axis through (1, 0) at angle 0; second line: the y
    // axis through (0, -1) at angle pi/2. The corner is the origin. Line 1:
    // the corner lies at angle pi from (1, 0), the other point at 5 pi/4, so
    // it is shifted by +pi/2 (upwards); line 2: corner at pi/2, other point
    // at pi/4, so it is shifted by -pi/2 (to +x). The fillet of radius 2 has
    // its centre at (2, 2), touches the x axis at (2, 0) and the y axis at
    // (0, 2), and turns from -pi/2 to pi.
    Extended xc = 0, yc = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0, angle = 0;
    ASSERT_TRUE(FilletArc(1, 0, 0, 0, -1, kPi / 2, 2, xc, yc, x1, y1, x2, y2, angle));
    EXPECT_NEAR(xc, 2, 1e-12L);
    EXPECT_NEAR(yc, 2, 1e-12L);
    EXPECT_NEAR(x1, 2, 1e-12L);
    EXPECT_NEAR(y1, 0, 1e-12L);
    EXPECT_NEAR(x2, 0, 1e-12L);
    EXPECT_NEAR(y2, 2, 1e-12L);
    EXPECT_NEAR(angle, kPi - (-kPi / 2), 1e-12L);
}

TEST_F(PlaneGeo, FilletOfParallelLinesIsZero)
{
    Extended xc = 9, yc = 9, x1 = 9, y1 = 9, x2 = 9, y2 = 9, angle = 9;
    EXPECT_FALSE(FilletArc(0, 0, 0, 0, 1, 0, 1, xc, yc, x1, y1, x2, y2, angle));
    for (Extended v : {xc, yc, x1, y1, x2, y2, angle})
        EXPECT_EQ(v, 0);
}

TEST_F(PlaneGeo, FilletArcReversedAtACorner)
{
    // Corner at the origin, first line leaving along +x, second arriving
    // with the direction pi/2: its point is one unit from the corner at
    // OppositeAngle(pi/2) = 3 pi/2, that is (0, -1); the first line's point
    // is (1, 0). This is the case above.
    Extended xc = 0, yc = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0, angle = 0;
    ASSERT_TRUE(FilletArcReversed(0, 0, 0, kPi / 2, 2, xc, yc, x1, y1, x2, y2, angle));
    EXPECT_NEAR(xc, 2, 1e-12L);
    EXPECT_NEAR(yc, 2, 1e-12L);
    EXPECT_NEAR(angle, 3 * kPi / 2, 1e-12L);
}

} // namespace
