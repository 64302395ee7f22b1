// Hatching of cut areas. The hand-worked rectangle fixes the line family
// (y = x + c, c from the outline's lowest level in steps of spacing /
// cos(angle)) and the layers; the outline cases, the vertex rule and the
// guards against endless loops are checked one by one; and for convex and
// concave outlines a check written apart from the hatcher compares the
// hatched length with the shoelace area and puts every segment's midpoint
// inside the outline.
#include "cadcapture.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{

using Outline = std::vector<THatchPoint>;

class CadHatchTest : public CadCaptureTest
{
  protected:
    static void Collect(const Outline& P)
    {
        ResetHatch();
        for (const THatchPoint& p : P)
            AddHatchPoint(p.x, p.y);
    }
    static Outline Collected()
    {
        Outline o;
        for (int k = 1; k <= std::min<int>(hatchstate.HatchPointCount, HatchPointsMax); ++k)
            o.push_back(hatchstate.HatchPoints[k]);
        return o;
    }
};

void ExpectSegment(const TCapturedSegment& S, Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    EXPECT_NEAR(static_cast<double>(S.X1), static_cast<double>(X1), 1e-4);
    EXPECT_NEAR(static_cast<double>(S.Y1), static_cast<double>(Y1), 1e-4);
    EXPECT_NEAR(static_cast<double>(S.X2), static_cast<double>(X2), 1e-4);
    EXPECT_NEAR(static_cast<double>(S.Y2), static_cast<double>(Y2), 1e-4);
}

// Spacing round(40 / 5) = 8, step 8 / cos 45 = 8 sqrt 2 from c = -40: the
// lines y = x + c for c = -40 + 8 sqrt 2 k, k = 1..5, cut by hand against
// the rectangle 40 x 20 (bottom y = 0, right x = 40, top y = 20, left x = 0).
TEST_F(CadHatchTest, RectangleAt45DegreesGivesFiveHandWorkedLines)
{
    const auto e = Capture([] { HatchRectangle(0, 0, 40, 20, 0, 45); });
    const auto outline = OfType(e, "POLYLINE");
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_EQ(outline[0].Layer, "5");
    const auto vertices = OfType(e, "VERTEX");
    ASSERT_EQ(vertices.size(), 5u) << "four corners and the closing point";
    const Extended corners[5][2] = {{0, 0}, {40, 0}, {40, 20}, {0, 20}, {0, 0}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(vertices[i].Num(10), corners[i][0]);
        EXPECT_EQ(vertices[i].Num(20), corners[i][1]);
    }
    const auto lines = Lines(e, "3");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(OfType(e, "LINE").size(), 5u) << "every hatch line on layer 3";
    ExpectSegment(lines[0], 28.6862915L, 0, 40, 11.3137085L); // c = -28.69
    ExpectSegment(lines[1], 17.3725830L, 0, 37.3725830L, 20); // c = -17.37
    ExpectSegment(lines[2], 6.0588745L, 0, 26.0588745L, 20);  // c = -6.06
    ExpectSegment(lines[3], 0, 5.2548340L, 14.7451660L, 20);  // c = 5.25
    ExpectSegment(lines[4], 0, 16.5685425L, 3.4314575L, 20);  // c = 16.57
    EXPECT_EQ(error0.ErrorCount, 0);
}

struct ModeCase {
    const char* Name;
    int16_t Mode;
    int Polylines;
    const char* OutlineLayer;
    const char* LineLayer;
};

class CadHatchModeTest : public CadHatchTest, public ::testing::WithParamInterface<ModeCase>
{
};

TEST_P(CadHatchModeTest, OutlineAndLinesGoToTheModesLayers)
{
    const ModeCase& c = GetParam();
    const auto e = Capture([&] {
        CadSetLayer(4);
        SetHatchMode(c.Mode);
        HatchRectangle(0, 0, 40, 20, 0, 45);
    });
    const auto outline = OfType(e, "POLYLINE");
    ASSERT_EQ(static_cast<int>(outline.size()), c.Polylines);
    if (c.Polylines == 1) {
        EXPECT_EQ(outline[0].Layer, c.OutlineLayer);
    }
    EXPECT_EQ(Lines(e, c.LineLayer).size(), 5u);
    EXPECT_EQ(OfType(e, "LINE").size(), 5u);
}

INSTANTIATE_TEST_SUITE_P(Modes, CadHatchModeTest,
                         ::testing::Values(ModeCase{"OutlineOn5LinesOn3", 1, 1, "5", "3"},
                                           ModeCase{"NoOutline", 2, 0, "", "3"},
                                           ModeCase{"OtherModeCurrentLayer", 0, 1, "4", "4"},
                                           ModeCase{"ModeSevenCurrentLayer", 7, 1, "4", "4"}),
                         [](const ::testing::TestParamInfo<ModeCase>& i) {
                             return std::string(i.param.Name);
                         });

// --- outline cases -----------------------------------------------------------

struct OutlineCase {
    const char* Name;
    Outline Points;
    Extended Spacing;
    Extended Angle;
    int Vertices; // of the drawn outline
    int MinLines; // hatch lines drawn
    int MaxLines;
};

class CadHatchOutlineTest : public CadHatchTest, public ::testing::WithParamInterface<OutlineCase>
{
};

TEST_P(CadHatchOutlineTest, DrawsOutlineAndLines)
{
    const OutlineCase& c = GetParam();
    Collect(c.Points);
    const auto e = Capture([&] { HatchCollected(0, c.Spacing, c.Angle); });
    EXPECT_EQ(static_cast<int>(OfType(e, "VERTEX").size()), c.Vertices);
    const int lines = static_cast<int>(OfType(e, "LINE").size());
    EXPECT_GE(lines, c.MinLines);
    EXPECT_LE(lines, c.MaxLines);
    EXPECT_EQ(hatchstate.HatchPointCount, c.Points.size()) << "the closing point is not stored";
    EXPECT_EQ(error0.ErrorCount, 0);
}

const Outline Triangle = {{0, 0}, {30, 0}, {0, 30}};
const Outline ClosedTriangle = {{0, 0}, {30, 0}, {0, 30}, {0, 0}};
const Outline Rect = {{0, 0}, {40, 0}, {40, 20}, {0, 20}};

INSTANTIATE_TEST_SUITE_P(Outlines, CadHatchOutlineTest,
                         ::testing::Values(
                             // An open outline gets its first point again, a closed one does not.
                             OutlineCase{"OpenTriangleIsClosed", Triangle, 3, 45, 4, 1, 20},
                             OutlineCase{"ClosedTriangleNotClosedAgain", ClosedTriangle, 3, 45, 4, 1, 20},
                             OutlineCase{"AngleZeroDrawsOnlyTheOutline", Rect, 5, 0, 5, 0, 0},
                             // Spacing 0: a tenth of the range of c, so nine lines inside (c from
                             // -40 to 20 in steps of 6).
                             OutlineCase{"SpacingZeroGivesNineLines", Rect, 0, 45, 5, 9, 9},
                             // Two points enclose nothing: the outline (closed back) only.
                             OutlineCase{"TwoPointsNoLines", {{0, 0}, {10, 10}}, 1, 45, 3, 0, 0},
                             OutlineCase{"OnePointNothing", {{5, 5}}, 1, 45, 0, 0, 0}),
                         [](const ::testing::TestParamInfo<OutlineCase>& i) {
                             return std::string(i.param.Name);
                         });

TEST_F(CadHatchTest, NoPointsDrawNothingAndReadNothing)
{
    const auto e = Capture([] { HatchPolygon(0, 5, 45); });
    EXPECT_TRUE(e.empty());
    const auto f = Capture([] { HatchPolygon(-3, 5, 45); });
    EXPECT_TRUE(f.empty());
}

TEST_F(CadHatchTest, QuarterArcVertexAddsTenPoints)
{
    BeginHatch();
    AddHatchVertex(10, 0, Pi / 2);
    ASSERT_EQ(hatchstate.HatchPointCount, 1);
    AddHatchVertex(0, 10, 0);
    // 90 degrees in 9 steps of 10: the start again, 8 inner points, the end.
    ASSERT_EQ(hatchstate.HatchPointCount, 11);
    for (int k = 2; k <= 11; ++k) {
        const THatchPoint p = hatchstate.HatchPoints[k];
        EXPECT_NEAR(static_cast<double>(Hypotenuse(p.x, p.y)), 10.0, 1e-9) << "point " << k;
        EXPECT_NEAR(static_cast<double>(RadToDeg(std::atan2(p.y, p.x))), (k - 2) * 10.0, 1e-9)
            << "point " << k;
    }
    EXPECT_EQ(hatchstate.HatchPoints[11].x, 0);
    EXPECT_EQ(hatchstate.HatchPoints[11].y, 10);
    EXPECT_EQ(hatchstate.HatchPendingAngle, 0);
    // A small bend still gets three chords (four points).
    AddHatchVertex(0, 10, 0.1L);
    AddHatchVertex(-1, 10, 0);
    EXPECT_EQ(hatchstate.HatchPointCount, 11 + 1 + 4);
}

TEST_F(CadHatchTest, BeginEndHatchHatchesTheVertexOutline)
{
    // A half disc of radius 10: the straight diameter, then the arc back.
    const auto e = Capture([] {
        BeginHatch();
        AddHatchVertex(-10, 0, 0);
        AddHatchVertex(10, 0, Pi);
        AddHatchVertex(-10, 0, 0);
        EndHatch(0, 2, 45);
    });
    // 1 + 1 + 19 points (the arc's start again, 17 inner points, its end),
    // the last equal to the first.
    EXPECT_EQ(hatchstate.HatchPointCount, 21);
    EXPECT_GT(Lines(e, "3").size(), 5u);
    for (const TCapturedSegment& s : Lines(e, "3")) {
        EXPECT_GE(s.Y1, -1e-9L);
        EXPECT_LE(Hypotenuse(s.X2, s.Y2), 10 + 1e-6L);
    }
}

// --- the vertex rule -----------------------------------------------------------

// Horizontal lines (angle 180) step exactly by the spacing, so they pass
// through the integer vertices of these outlines.
TEST_F(CadHatchTest, LineThroughNotchFloorStaysOutOfTheNotch)
{
    // U: the notch from x 10 to 20 down to y 10; the line y = 10 runs along
    // its floor and must give two pieces, not one across the notch.
    Collect({{0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}, {0, 20}});
    const auto e = Capture([] { HatchCollected(0, 10, 180); });
    const auto l = Lines(e, "3");
    ASSERT_EQ(l.size(), 2u);
    ExpectSegment(l[0], 0, 10, 10, 10);
    ExpectSegment(l[1], 20, 10, 30, 10);
}

TEST_F(CadHatchTest, LineThroughCrossingVerticesIsDrawn)
{
    // Diamond: y = 0 passes the outline at its left and right vertices.
    Collect({{0, -10}, {10, 0}, {0, 10}, {-10, 0}});
    const auto l = Lines(Capture([] { HatchCollected(0, 10, 180); }), "3");
    ASSERT_EQ(l.size(), 1u);
    ExpectSegment(l[0], -10, 0, 10, 0);
}

TEST_F(CadHatchTest, TouchingVertexCountsTwiceOrNotAtAll)
{
    // V notch from above down to (10, 10): the line y = 10 touches it there
    // and is drawn in two pieces meeting at the vertex.
    Collect({{0, 0}, {20, 0}, {20, 20}, {10, 10}, {0, 20}});
    const auto l = Lines(Capture([] { HatchCollected(0, 10, 180); }), "3");
    ASSERT_EQ(l.size(), 2u);
    ExpectSegment(l[0], 0, 10, 10, 10);
    ExpectSegment(l[1], 10, 10, 20, 10);
    // A peak of the lower edge touching y = 10 from below: one piece
    // straight across it.
    Collect({{0, 0}, {10, 10}, {20, 0}, {30, 20}, {-10, 20}});
    const auto t = Lines(Capture([] { HatchCollected(0, 5, 180); }), "3");
    ASSERT_EQ(t.size(), 4u) << "two pieces at y = 5, one at 10 and 15";
    ExpectSegment(t[0], -2.5L, 5, 5, 5);
    ExpectSegment(t[1], 15, 5, 22.5L, 5);
    ExpectSegment(t[2], -5, 10, 25, 10);
}

// --- angles and spacings that would loop -----------------------------------

TEST_F(CadHatchTest, AnglesOfOneFamilyGiveTheSameLines)
{
    auto draw = [this](Extended Spacing, Extended Angle) {
        Screen.Calls.clear();
        SetHatchMode(2);
        HatchRectangle(0, 0, 40, 20, Spacing, Angle);
        return Screen.Drawn();
    };
    const auto minus45 = draw(4, -45);
    ASSERT_FALSE(minus45.empty());
    EXPECT_EQ(draw(4, 135), minus45);
    EXPECT_EQ(draw(4, 315), minus45);
    EXPECT_EQ(draw(-4, -45), minus45) << "a negative spacing counts by its magnitude";
    EXPECT_EQ(draw(4, 225), draw(4, 45));
    EXPECT_EQ(draw(4, -180), draw(4, 180));
    EXPECT_EQ(draw(4, 270), draw(4, 90));
    EXPECT_EQ(draw(4, -90), draw(4, 90));
    EXPECT_EQ(error0.ErrorCount, 0);
}

TEST_F(CadHatchTest, HalfTurnHatchesHorizontallyAndQuarterTurnVertically)
{
    SetHatchMode(2);
    HatchRectangle(0, 0, 40, 20, 5, 180);
    auto l = ScreenLines();
    ASSERT_EQ(l.size(), 3u) << "y = 5, 10, 15";
    for (size_t i = 0; i < l.size(); ++i)
        ExpectSegment(l[i], 0, 5.0L * (i + 1), 40, 5.0L * (i + 1));
    Screen.Calls.clear();
    HatchRectangle(0, 0, 40, 20, 5, 90);
    l = ScreenLines();
    ASSERT_EQ(l.size(), 7u) << "x = 5 .. 35";
    for (size_t i = 0; i < l.size(); ++i)
        ExpectSegment(l[i], 5.0L * (i + 1), 0, 5.0L * (i + 1), 20);
    Screen.Calls.clear();
    HatchRectangle(0, 0, 40, 20, 5, -90);
    EXPECT_EQ(ScreenLines().size(), 7u);
}

TEST_F(CadHatchTest, TinySpacingStopsAfterTenThousandLines)
{
    SetHatchMode(2);
    HatchRectangle(0, 0, 40, 20, 1e-9L, 30);
    EXPECT_EQ(ScreenLines().size(), static_cast<size_t>(HatchLinesMax));
    EXPECT_TRUE(HasMessage("Error  : hatch spacing too small, hatching stopped after 10000 lines"));
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(CadHatchTest, NonFiniteInputsDrawNoLines)
{
    SetHatchMode(2);
    HatchRectangle(0, 0, 40, 20, std::nanl(""), 30);
    HatchRectangle(0, 0, 40, 20, 5, std::nanl(""));
    HatchRectangle(0, 0, 40, 20, 5, HUGE_VALL);
    EXPECT_TRUE(ScreenLines().empty());
}

// --- the 100-point table ------------------------------------------------------

TEST_F(CadHatchTest, FullOpenTableIsClosedWithoutASlot)
{
    // 100 points of a circle, the last not equal to the first.
    AddHatchArc(99, 0, 0, 20, 0, 2 * Pi * 99 / 100);
    ASSERT_EQ(hatchstate.HatchPointCount, 100);
    const auto e = Capture([] { HatchCollected(0, 2, 30); });
    EXPECT_EQ(OfType(e, "VERTEX").size(), 101u);
    EXPECT_GT(Lines(e, "3").size(), 10u);
    EXPECT_EQ(error0.ErrorCount, 0);
}

TEST_F(CadHatchTest, PointsPastTheTableAreRefused)
{
    for (int i = 0; i < 103; ++i)
        AddHatchPoint(i, i % 2);
    EXPECT_EQ(hatchstate.HatchPointCount, 103);
    EXPECT_EQ(hatchstate.HatchPoints[100].x, 99);
    EXPECT_TRUE(HasMessage("Schraffurfehler"));
    EXPECT_EQ(error0.ErrorCount, 1) << "the text is kept once";
    const auto e = Capture([] { HatchCollected(0, 2, 30); });
    EXPECT_TRUE(e.empty());
    EXPECT_TRUE(HasMessage("Fatal  : n schraff !"));
    // A bend after the table ran full starts from its last stored point.
    AddHatchVertex(0, 0, 1);
    AddHatchVertex(5, 5, 0);
    EXPECT_GT(hatchstate.HatchPointCount, 103);
}

TEST_F(CadHatchTest, ArcCountsBelowOneAndHugeCounts)
{
    AddHatchArc(0, 0, 0, 10, 0, Pi);
    ASSERT_EQ(hatchstate.HatchPointCount, 2) << "n = 0 counts as one chord";
    EXPECT_NEAR(static_cast<double>(hatchstate.HatchPoints[2].x), -10.0, 1e-12);
    AddHatchArc(-5, 0, 0, 10, 0, Pi);
    EXPECT_EQ(hatchstate.HatchPointCount, 4);
    // A million chords: 96 stored, the rest counted (and the count stops at
    // its largest value instead of wrapping to a small one).
    AddHatchArc(1000000, 0, 0, 10, 0, Pi);
    EXPECT_EQ(hatchstate.HatchPointCount, 65535);
    EXPECT_TRUE(HasMessage("Schraffurfehler"));
}

TEST_F(CadHatchTest, MoreThanTenCrossingsStopsTheHatching)
{
    // A comb of six teeth: lines below the teeth are drawn, the first line
    // through them meets the outline twelve times.
    Outline comb = {{0, 0}, {60, 0}};
    for (int t = 5; t >= 0; --t) {
        comb.push_back({t * 10.0L + 8, 20});
        comb.push_back({t * 10.0L + 8, 40});
        comb.push_back({t * 10.0L + 2, 40});
        comb.push_back({t * 10.0L + 2, 20});
    }
    Collect(comb);
    SetHatchMode(2);
    HatchCollected(0, 4, 180);
    EXPECT_EQ(ScreenLines().size(), 4u) << "y = 4, 8, 12, 16";
    EXPECT_TRUE(HasMessage("Fatal  : schraff schnittp"));
    EXPECT_TRUE(telmvar.Aborted);
}

// --- break lines and the crossing sort --------------------------------------

TEST_F(CadHatchTest, BreakLineIsReproducibleAfterAResetAndStaysNearItsChord)
{
    auto strip = [this] {
        Screen.Calls.clear();
        ResetHatchState();
        ResetHatch();
        HatchStrip(true, 0, 0, 60, 30, 1.5L);
        return Screen.Drawn();
    };
    const auto first = strip();
    EXPECT_EQ(first, strip()) << "the generator starts from its seed after a reset";
    ASSERT_EQ(first.size(), 6u);
    ASSERT_EQ(hatchstate.HatchPointCount, 7);
    EXPECT_EQ(hatchstate.HatchPoints[1].x, 0);
    EXPECT_EQ(hatchstate.HatchPoints[7].x, 60);
    EXPECT_EQ(hatchstate.HatchPoints[7].y, 30);
    const Extended len = Hypotenuse(60, 30);
    for (int i = 2; i <= 6; ++i) {
        const THatchPoint p = hatchstate.HatchPoints[i];
        // Along the chord at i - 1 sixths, aside by less than 2 × 1.5.
        const Extended along = (p.x * 60 + p.y * 30) / len;
        const Extended aside = (p.y * 60 - p.x * 30) / len;
        EXPECT_NEAR(static_cast<double>(along), static_cast<double>(len * (i - 1) / 6), 1e-9);
        EXPECT_LT(std::fabs(aside), 3.0L);
    }
    // A second strip without reset goes on with the sequence: different.
    HatchStrip(false, 0, 0, 60, 30, 1.5L);
    EXPECT_EQ(hatchstate.HatchPointCount, 7) << "without AddPoints nothing is collected";
}

TEST_F(CadHatchTest, SortCrossingsMovesTheIndexAlong)
{
    TArray<Extended, 1, HatchCrossingsMax> v{};
    TArray<int, 1, HatchCrossingsMax> ix{};
    v[1] = 3;
    v[2] = -1;
    v[3] = 2;
    v[4] = -1;
    v[5] = 99;
    SortCrossings(v, ix, 4);
    EXPECT_EQ((std::vector<Extended>{v[1], v[2], v[3], v[4], v[5]}),
              (std::vector<Extended>{-1, -1, 2, 3, 99}));
    EXPECT_EQ((std::vector<int>{ix[1], ix[2], ix[3], ix[4], ix[5], ix[10]}),
              (std::vector<int>{2, 4, 3, 1, 5, 10}));
    SortCrossings(v, ix, 11);
    EXPECT_TRUE(HasMessage("Fatal  : QSORT2 error"));
    EXPECT_TRUE(telmvar.Aborted);
}

// --- independent check: area and inside ---------------------------------------

// Shoelace area of a closed or open outline.
Extended ShoelaceArea(const Outline& P)
{
    Extended a = 0;
    for (size_t i = 0; i < P.size(); ++i) {
        const THatchPoint& p = P[i];
        const THatchPoint& q = P[(i + 1) % P.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return std::fabs(a) / 2;
}

// Even-odd ray cast to the right.
bool Inside(const Outline& P, Extended X, Extended Y)
{
    bool in = false;
    for (size_t i = 0, j = P.size() - 1; i < P.size(); j = i++) {
        const THatchPoint& a = P[i];
        const THatchPoint& b = P[j];
        if ((a.y > Y) != (b.y > Y) && X < (b.x - a.x) * (Y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

struct ShapeCase {
    const char* Name;
    std::function<void()> Collect;
};

class CadHatchAreaTest : public CadHatchTest, public ::testing::WithParamInterface<std::tuple<ShapeCase, int>>
{
};

TEST_P(CadHatchAreaTest, HatchedLengthMatchesAreaAndStaysInside)
{
    const auto& [shape, angle] = GetParam();
    shape.Collect();
    const Outline outline = Collected();
    const Extended spacing = 0.1L;
    SetHatchMode(2);
    HatchCollected(0, spacing, angle);
    const auto lines = ScreenLines();
    ASSERT_GT(lines.size(), 50u);
    Extended length = 0;
    for (const TCapturedSegment& s : lines) {
        length += Hypotenuse(s.X2 - s.X1, s.Y2 - s.Y1);
        const Extended mx = (s.X1 + s.X2) / 2, my = (s.Y1 + s.Y2) / 2;
        EXPECT_TRUE(Inside(outline, mx, my)) << "midpoint " << Fmt(mx) << " " << Fmt(my);
    }
    const Extended area = ShoelaceArea(outline);
    EXPECT_NEAR(static_cast<double>(length * spacing / area), 1.0, 0.02) << "area " << Fmt(area);
    EXPECT_EQ(error0.ErrorCount, 0);
}

const ShapeCase Shapes[] = {
    {"Rectangle",
     [] {
         ResetHatch();
         for (auto [x, y] : {std::pair{0, 0}, {40, 0}, {40, 20}, {0, 20}})
             AddHatchPoint(x, y);
     }},
    {"Hexagon",
     [] {
         ResetHatch();
         for (int k = 0; k < 6; ++k)
             AddHatchArcPoint(5, -3, 20, k * Pi / 3 + 0.1L);
     }},
    {"U",
     [] {
         ResetHatch();
         for (auto [x, y] :
              {std::pair{0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}, {0, 20}})
             AddHatchPoint(x, y);
     }},
    {"L",
     [] {
         ResetHatch();
         for (auto [x, y] : {std::pair{0, 0}, {40, 0}, {40, 10}, {10, 10}, {10, 30}, {0, 30}})
             AddHatchPoint(x, y);
     }},
    // Ring sector: outer arc out, inner arc back (a closed point list).
    {"RingSector",
     [] {
         ResetHatch();
         AddHatchArc(40, 0, 0, 30, 0, Pi / 2);
         AddHatchArc(40, 0, 0, 15, Pi / 2, 0);
     }},
};

INSTANTIATE_TEST_SUITE_P(Shapes, CadHatchAreaTest,
                         ::testing::Combine(::testing::ValuesIn(Shapes),
                                            ::testing::Values(30, 45, 90, 135, -45, 180, 17)),
                         [](const ::testing::TestParamInfo<std::tuple<ShapeCase, int>>& i) {
                             const int a = std::get<1>(i.param);
                             return std::string(std::get<0>(i.param).Name) + (a < 0 ? "Minus" : "") +
                                    std::to_string(std::abs(a));
                         });

} // namespace
