// Dimensions with tolerances and the small drawing helpers, read back from
// the DXF output. Positions are worked by hand from the text-width estimate
// (value style 3.5 S high, 2.5 S wide; tolerance style 2.5 S by 1.8 S) and
// the arrow's kite (3.5 S long, 10 degrees either side of its axis).
#include "cadcapture.h"

#include "foundation/guardedmath.h"
#include "foundation/programsettings.h"
#include "graphics/cad/caddimensions.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{

struct TextAt {
    std::string Text;
    Extended X, Y;
};

class CadDimensionTest : public CadCaptureTest
{
  protected:
    void SetUp() override
    {
        CadCaptureTest::SetUp();
        // Texts as the program holds them (DOS code page), not converted.
        wtelmvar.CadTextMode = 1;
    }
    // Scale set inside the drawing: opening the output resets it to 1.
    std::vector<TCapturedEntity> Dimension(Extended Scale, const std::function<void()>& Draw)
    {
        return Capture([&] {
            SetDimensionScale(Scale);
            Draw();
        });
    }
    static std::vector<TextAt> Texts(const std::vector<TCapturedEntity>& E)
    {
        std::vector<TextAt> t;
        for (const TCapturedEntity& e : OfType(E, "TEXT"))
            t.push_back({e.Text(1), e.Num(10), e.Num(20)});
        return t;
    }
};

void Near(Extended A, Extended B, const std::string& What)
{
    EXPECT_NEAR(static_cast<double>(A), static_cast<double>(B), 1e-4) << What;
}

// --- arrows --------------------------------------------------------------------

struct ArrowCase {
    const char* Name;
    Extended Length;
    bool Outside;
};

class CadArrowTest : public CadDimensionTest, public ::testing::WithParamInterface<ArrowCase>
{
};

TEST_P(CadArrowTest, ShortDimensionsGetTheirArrowsOutside)
{
    const ArrowCase& c = GetParam();
    const auto e = Dimension(1, [&] { CadHorizontalDimension("L", "", "", 0, 0, c.Length, 0, 10); });
    const auto solids = OfType(e, "SOLID");
    ASSERT_EQ(solids.size(), 2u);
    // Each kite's end (its fourth corner) lies 3.5 from its tip along the
    // dimension line: inside [0, L] or outside it.
    for (const TCapturedEntity& s : solids) {
        const Extended tip = s.Num(10), end = s.Num(13);
        Near(std::fabs(end - tip), 3.5L, "kite length");
        const bool outside = end < 0 || end > c.Length;
        EXPECT_EQ(outside, c.Outside) << "tip " << Fmt(tip) << " end " << Fmt(end);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, CadArrowTest,
                         ::testing::Values(ArrowCase{"Eight", 8, true}, ArrowCase{"Ten", 10, true},
                                           ArrowCase{"Twelve", 12, false}),
                         [](const ::testing::TestParamInfo<ArrowCase>& i) {
                             return std::string(i.param.Name);
                         });

TEST_F(CadDimensionTest, ArrowIsAKiteInDxfCornerOrderWithATail)
{
    const auto e = Dimension(2, [] { CadHorizontalDimension("30", "", "", 0, 0, 30, 0, 10); });
    const auto solids = OfType(e, "SOLID");
    ASSERT_EQ(solids.size(), 2u);
    // Left arrow: tip (0, 10), direction 0, 7 long at S = 2.
    const Extended c10 = 7 * std::cos(DegToRad(10)), s10 = 7 * std::sin(DegToRad(10));
    const TCapturedEntity& a = solids[0];
    Near(a.Num(10), 0, "tip x");
    Near(a.Num(20), 10, "tip y");
    Near(a.Num(11), c10, "flank +10 x");
    Near(a.Num(21), 10 + s10, "flank +10 y");
    Near(a.Num(12), c10, "flank -10 x");
    Near(a.Num(22), 10 - s10, "flank -10 y");
    Near(a.Num(13), 7, "end x");
    Near(a.Num(23), 10, "end y");
    // Right arrow points the other way.
    Near(solids[1].Num(10), 30, "tip x");
    Near(solids[1].Num(13), 23, "end x");
    // Lines: two extension lines, the dimension line, two tails.
    const auto lines = Lines(e, "3");
    ASSERT_EQ(lines.size(), 5u);
    // Extension lines from the points up to 1 S beyond the line at 10.
    EXPECT_EQ(lines[0].Y2, 12);
    EXPECT_EQ(lines[1].Y2, 12);
    EXPECT_EQ(lines[2].X1, 0);
    EXPECT_EQ(lines[2].X2, 30);
    Near(lines[3].X2, 7, "tail of the left arrow");
    Near(lines[4].X2, 23, "tail of the right arrow");
}

// --- tolerances -----------------------------------------------------------------

struct ToleranceCase {
    const char* Name;
    Extended Scale;
    const char* Upper;
    const char* Lower;
    // Tolerance texts with their height above the line in units of S.
    std::vector<std::pair<std::string, Extended>> Expected;
};

class CadToleranceTest : public CadDimensionTest, public ::testing::WithParamInterface<ToleranceCase>
{
};

TEST_P(CadToleranceTest, WritesTheToleranceCase)
{
    const ToleranceCase& c = GetParam();
    const auto e =
        Dimension(c.Scale, [&] { CadHorizontalDimension("25", c.Upper, c.Lower, 0, 0, 60, 0, 10); });
    const auto t = Texts(e);
    ASSERT_EQ(t.size(), 1 + c.Expected.size());
    EXPECT_EQ(t[0].Text, "25");
    Near(t[0].Y, 10 + c.Scale, "value text 1 S above the line");
    for (size_t i = 0; i < c.Expected.size(); ++i) {
        EXPECT_EQ(t[i + 1].Text, c.Expected[i].first);
        Near(t[i + 1].Y, 10 + c.Expected[i].second * c.Scale, "tolerance text " + c.Expected[i].first);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CadToleranceTest,
    ::testing::Values(ToleranceCase{"Symmetric",
                                    1,
                                    "0.1",
                                    "-0.1",
                                    {{"\xF1"
                                      "0.1",
                                      1.25L}}},
                      ToleranceCase{"SymmetricAtScaleTwo",
                                    2,
                                    "0.1",
                                    "-0.1",
                                    {{"\xF1"
                                      "0.1",
                                      1.25L}}},
                      ToleranceCase{"SymmetricDecimalComma",
                                    1,
                                    "0,1",
                                    "-0,1",
                                    {{"\xF1"
                                      "0,1",
                                      1.25L}}},
                      // The upper text's own sign would follow the plus-minus sign.
                      ToleranceCase{"SymmetricSignedUpper",
                                    1,
                                    "+0.1",
                                    "-0.1",
                                    {{"\xF1"
                                      "0.1",
                                      1.25L}}},
                      ToleranceCase{"UpperZeroLowerOnly", 1, "0", "-0.05", {{"-0.05", 0.5L}}},
                      ToleranceCase{"UpperAloneUnchanged", 1, "0.02", "", {{"0.02", 2.5L}}},
                      ToleranceCase{"UpperAloneAtScaleHalf", 0.5L, "0.02", "", {{"0.02", 2.5L}}},
                      ToleranceCase{"LowerAloneUnchanged", 1, "", "0.03", {{"0.03", 0.5L}}},
                      ToleranceCase{"BothGetTheirSigns", 1, "0.1", "-0.2", {{"-0.2", 0.5L}, {"+0.1", 2.5L}}},
                      ToleranceCase{"BothPositive", 1, "0.02", "0.01", {{"+0.01", 0.5L}, {"+0.02", 2.5L}}},
                      ToleranceCase{
                          "PlusNotDoubled", 1, "+0.02", "+0.01", {{"+0.01", 0.5L}, {"+0.02", 2.5L}}},
                      ToleranceCase{"LowerZeroUpperOnly", 1, "0.04", "0", {{"+0.04", 2.5L}}},
                      ToleranceCase{"BlankFieldsAreEmpty", 1, "  ", " 0.02 ", {{"0.02", 0.5L}}},
                      ToleranceCase{"None", 1, "", "", {}}),
    [](const ::testing::TestParamInfo<ToleranceCase>& i) { return std::string(i.param.Name); });

// Value "25" (2 characters), tolerances "0.1"/"-0.1" (1 + 4): with width
// factor f the estimate is 5 × 1.8 × 2.5/3.5 × 1.1 + 2 × 2.5 × f × 1.2;
// the tolerances start (2 + 1) × 2.5 × 0.72 × 1.2 = 6.48 after the value.
TEST_F(CadDimensionTest, TextsAreCentredByTheirEstimatedWidth)
{
    const Extended tol = 5 * 1.8L * 2.5L / 3.5L * 1.1L;
    const auto t = Texts(Dimension(1, [] { CadHorizontalDimension("25", "0.1", "-0.1", 0, 0, 30, 0, 10); }));
    ASSERT_EQ(t.size(), 2u);
    const Extended xt = 15 - (tol + 6) / 2; // file devices: CadTextWidthFactor 1
    Near(t[0].X, xt, "value text");
    Near(t[1].X, xt + 6.48L, "tolerance text");

    // The screen estimates with its own font's width factor (0.8).
    Screen.Calls.clear();
    SetCadDevice(3);
    SetDimensionScale(1);
    CadHorizontalDimension("25", "0.1", "-0.1", 0, 0, 30, 0, 10);
    const Extended xs = 15 - (tol + 2 * 2.5L * 0.8L * 1.2L) / 2;
    EXPECT_NE(std::find(Screen.Calls.begin(), Screen.Calls.end(), "Text " + Fmt(xs) + " 11.0000 25"),
              Screen.Calls.end())
        << "value text at " << Fmt(xs);
}

TEST_F(CadDimensionTest, VerticalDimensionIsTheHorizontalTurned)
{
    const Extended tol = 5 * 1.8L * 2.5L / 3.5L * 1.1L;
    const auto e = Dimension(1, [] { CadVerticalDimension("25", "0.1", "-0.1", 40, 0, 40, 30, 20); });
    // x1 = 40 lies right of the line at 20: the extension lines end at 19.
    const auto lines = Lines(e, "3");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].X2, 19);
    EXPECT_EQ(lines[1].X2, 19);
    EXPECT_EQ(lines[2].Y1, 0);
    EXPECT_EQ(lines[2].Y2, 30);
    const auto t = Texts(e);
    ASSERT_EQ(t.size(), 2u);
    const Extended yt = 15 - (tol + 6) / 2;
    Near(t[0].X, 19, "value text 1 S left of the line");
    Near(t[0].Y, yt, "value text start");
    EXPECT_EQ(t[1].Text, "\xF1"
                         "0.1");
    Near(t[1].X, 20 - 1.25L, "plus-minus text");
    Near(t[1].Y, yt + 6.48L, "tolerance start");
    for (const TCapturedEntity& x : OfType(e, "TEXT"))
        EXPECT_EQ(x.Text(50), "90");
    // Arrows at the ends pointing along the line: up from y1, down from y2.
    const auto s = OfType(e, "SOLID");
    ASSERT_EQ(s.size(), 2u);
    Near(s[0].Num(23), 3.5L, "lower arrow end");
    Near(s[1].Num(23), 26.5L, "upper arrow end");
    // A short one turns its arrows out, and the other side ends at xd + S.
    const auto f = Dimension(1, [] { CadVerticalDimension("5", "", "", 0, 0, 0, 5, 20); });
    const auto fl = Lines(f, "3");
    EXPECT_EQ(fl[0].X2, 21);
    const auto fs = OfType(f, "SOLID");
    ASSERT_EQ(fs.size(), 2u);
    Near(fs[0].Num(20), 5, "first arrow at the upper end");
    Near(fs[0].Num(23), 8.5L, "pointing down from outside");
}

// Angle 0..60 at radius 20 about the origin, value "30\xF8" (3 characters),
// upper tolerance only, texts starting at the middle of the arc (mode 1).
TEST_F(CadDimensionTest, ArcDimensionHandWorked)
{
    const auto e = Dimension(1, [] { CadArcToleranceDimension("30\xF8", "0.1", "", 0, 0, 0, 60, 20, 1); });
    const auto lines = Lines(e, "3");
    ASSERT_EQ(lines.size(), 4u) << "two radii and two arrow tails";
    Near(lines[0].X2, 20, "radius to 0 degrees");
    Near(lines[1].X2, 10, "radius to 60 degrees");
    Near(lines[1].Y2, 20 * std::sin(DegToRad(60)), "radius to 60 degrees");
    const auto arc = OfType(e, "ARC");
    ASSERT_EQ(arc.size(), 1u);
    EXPECT_EQ(arc[0].Layer, "3");
    Near(arc[0].Num(51), 60, "arc end");
    // Arc length 20.9 > 10: arrows inside, along the tangents.
    const auto s = OfType(e, "SOLID");
    ASSERT_EQ(s.size(), 2u);
    Near(s[0].Num(13), 20, "first arrow end x");
    Near(s[0].Num(23), 3.5L, "first arrow end y");
    Near(s[1].Num(13), 10 + 3.5L * std::cos(DegToRad(-30)), "second arrow end x");
    // Tangent 120 degrees reads upright at -60. The value text starts 1 S
    // along the tangent from M = (17.3205, 10); the tolerance 2.5 S across
    // it (30 degrees) after (3 + 1) × 2.5 × 1 × 1.2 = 12 along it.
    const auto t = Texts(e);
    ASSERT_EQ(t.size(), 2u);
    const Extended mx = 20 * std::cos(DegToRad(30)), my = 10;
    const Extended cx = std::cos(DegToRad(120)), cy = std::sin(DegToRad(120));
    Near(t[0].X, mx + cx, "value x");
    Near(t[0].Y, my + cy, "value y");
    EXPECT_EQ(t[1].Text, "0.1");
    Near(t[1].X, mx + 12 * cx + 2.5L * std::cos(DegToRad(30)), "tolerance x");
    Near(t[1].Y, my + 12 * cy + 2.5L * std::sin(DegToRad(30)), "tolerance y");
    for (const TCapturedEntity& x : OfType(e, "TEXT"))
        EXPECT_EQ(x.Text(50), "-60");

    // A short arc (5.2 mm) gets its arrows outside; centred texts.
    const auto f = Dimension(1, [] { CadArcToleranceDimension("30", "", "", 0, 0, 0, 60, 5, 0); });
    const auto fs = OfType(f, "SOLID");
    ASSERT_EQ(fs.size(), 2u);
    Near(fs[0].Num(23), -3.5L, "first arrow from below");
}

// A negative radius puts the angle dimension on the far side of its centre
// (the front view's planet angles): the arc is written with the radius's
// size and runs there, between the ends of the dimension's own radius
// lines; a third of a turn from 0 lies from 180 to 300 degrees.
TEST_F(CadDimensionTest, NegativeRadiusArcRunsBetweenItsOwnRadiusLines)
{
    const struct {
        const char* Name;
        Extended A1, A2, R, Start, End;
    } cases[] = {
        {"first third", 0, 120, -58.5L, 180, 300},
        {"last third", 240, 360, -58.5L, 60, 180},
        {"positive radius", 0, 120, 58.5L, 0, 120},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto e =
            Dimension(1, [&] { CadArcToleranceDimension("120", "", "", 0, 0, c.A1, c.A2, c.R, 0); });
        const auto arc = OfType(e, "ARC");
        ASSERT_EQ(arc.size(), 1u);
        Near(arc[0].Num(40), 58.5L, "radius");
        Near(arc[0].Num(50), c.Start, "start");
        Near(arc[0].Num(51), c.End, "end");
        const auto radii = Lines(e, "3");
        ASSERT_GE(radii.size(), 2u);
        for (int k = 0; k < 2; ++k) {
            const Extended end = DegToRad(k == 0 ? c.Start : c.End);
            Near(radii[k].X2, 58.5L * std::cos(end), "radius line ends where the arc does");
            Near(radii[k].Y2, 58.5L * std::sin(end), "radius line ends where the arc does");
        }
    }
}

TEST_F(CadDimensionTest, EverythingOnLayerThreeAndTheLayerStays)
{
    const auto e = Dimension(1, [] {
        CadSetLayer(5);
        CadHorizontalDimension("25", "0.1", "-0.1", 0, 0, 30, 0, 10);
        CadSetLayer(17);
        CadVerticalDimension("12", "", "-0.2", 0, 0, 0, 12, -10);
        CadSetLayer(4);
        CadArcToleranceDimension("45", "0.5", "0", 0, 0, 10, 55, 30, 0);
        EXPECT_EQ(cadstate.CadLayer, 3);
    });
    ASSERT_GT(e.size(), 20u);
    for (const TCapturedEntity& x : e)
        EXPECT_EQ(x.Layer, "3") << x.Type;
    EXPECT_EQ(OfType(e, "SOLID").size(), 6u);
}

// --- scale and angles -------------------------------------------------------------

struct ScaleCase {
    const char* Name;
    Extended DimScale; // configured factor
    Extended Factor;
    Extended Expected;
};

class CadDimensionScaleTest : public CadDimensionTest, public ::testing::WithParamInterface<ScaleCase>
{
};

TEST_P(CadDimensionScaleTest, ScaleIsFactorTimesConfiguredScale)
{
    cadsettings.CadDimScale = GetParam().DimScale;
    SetDimensionScale(GetParam().Factor);
    EXPECT_EQ(cadstate.CadScale, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Factors, CadDimensionScaleTest,
    ::testing::Values(ScaleCase{"TooSmallBecomesOne", 1, 0.005L, 1}, ScaleCase{"TwoTimesHalf", 0.5L, 2, 1},
                      ScaleCase{"NegativeKept", 1, -3, -3}, ScaleCase{"NegativeTimesHalf", 0.5L, -3, -1.5L},
                      ScaleCase{"SmallNegativeBecomesOne", 1, -0.005L, 1}, ScaleCase{"Doubled", 2, 1.5L, 3}),
    [](const ::testing::TestParamInfo<ScaleCase>& i) { return std::string(i.param.Name); });

struct AngleCase {
    Extended In;
    Extended Out;
};

class CadUprightTest : public ::testing::TestWithParam<AngleCase>
{
};

TEST_P(CadUprightTest, KeepsTextReadable)
{
    EXPECT_EQ(UprightTextAngle(GetParam().In), GetParam().Out);
}

INSTANTIATE_TEST_SUITE_P(Angles, CadUprightTest,
                         ::testing::Values(AngleCase{-30, 330}, AngleCase{100, -80}, AngleCase{90, 90},
                                           AngleCase{270, 270}, AngleCase{600, 60}, AngleCase{-500, 40},
                                           AngleCase{0, 0}, AngleCase{360, 0}, AngleCase{180, 0},
                                           AngleCase{269.5L, 89.5L}, AngleCase{-90, 270}),
                         [](const ::testing::TestParamInfo<AngleCase>& i) {
                             const Extended a = i.param.In;
                             return std::string(a < 0 ? "InMinus" : "In") +
                                    std::to_string(static_cast<int>(std::fabs(a))) +
                                    (a != std::floor(a) ? "Half" : "");
                         });

// --- small helpers ----------------------------------------------------------------

TEST_F(CadDimensionTest, CrossEllipseAndChamferedRectangle)
{
    const auto e = Capture([] {
        CadSetLayer(1);
        CadCross(10, 20, 3);
        CadSetLayer(2);
        CadCircleChords(50, 50, 10, 5);
        CadSetLayer(5);
        CadChamferedRectangle(30, 40, 10, 20, 2);
    });
    const auto cross = Lines(e, "1");
    ASSERT_EQ(cross.size(), 2u);
    EXPECT_EQ((std::vector<Extended>{cross[0].X1, cross[0].Y1, cross[0].X2, cross[0].Y2}),
              (std::vector<Extended>{7, 20, 13, 20}));
    EXPECT_EQ((std::vector<Extended>{cross[1].X1, cross[1].Y1, cross[1].X2, cross[1].Y2}),
              (std::vector<Extended>{10, 17, 10, 23}));
    // 126 chords of 0.05 rad from (60, 50); the last ends at 6.30 rad.
    const auto ellipse = Lines(e, "2");
    ASSERT_EQ(ellipse.size(), 126u);
    EXPECT_EQ(ellipse[0].X1, 60);
    EXPECT_EQ(ellipse[0].Y1, 50);
    Near(ellipse[125].X2, 50 + 10 * std::cos(6.3L), "last chord x");
    Near(ellipse[125].Y2, 50 + 5 * std::sin(6.3L), "last chord y");
    Near(ellipse[62].Y2, 50 + 5 * std::sin(3.15L), "63rd chord");
    // Corners put in order, nine vertices, closed.
    const auto poly = OfType(e, "POLYLINE");
    ASSERT_EQ(poly.size(), 1u);
    EXPECT_EQ(poly[0].Text(70), "1");
    const auto v = OfType(e, "VERTEX");
    ASSERT_EQ(v.size(), 9u);
    const Extended expected[9][2] = {{12, 20}, {28, 20}, {30, 22}, {30, 38}, {28, 40},
                                     {12, 40}, {10, 38}, {10, 22}, {12, 20}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(v[i].Num(10), expected[i][0]) << "vertex " << i;
        EXPECT_EQ(v[i].Num(20), expected[i][1]) << "vertex " << i;
    }
}

} // namespace
