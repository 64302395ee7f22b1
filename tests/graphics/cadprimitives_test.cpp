// The drawing operations on the screen device: chord counts, corner order of
// solids, text alignment and styles, polylines broken into lines and arcs,
// offsets, and elements with coordinates that are not numbers.
#include "cadtestsupport.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/graphsettings.h"

#include <algorithm>
#include <limits>

namespace
{

class CadPrimitivesTest : public CadTest
{
  protected:
    void SetUp() override
    {
        CadTest::SetUp();
        CadOpenOutput(3);
        Screen.Calls.clear();
    }
    long Count(const std::string& Prefix) const
    {
        return std::count_if(Screen.Calls.begin(), Screen.Calls.end(),
                             [&](const std::string& c) { return c.rfind(Prefix, 0) == 0; });
    }
};

TEST_F(CadPrimitivesTest, CircleByResolutionDraws126ChordsIn127Calls)
{
    cadsettings.CadArcResolution = 0.5L;
    CadCircleByResolution(false, 0, 0, 10);
    // Round(62.83 / 0.5) = 126 chords, the first call a zero-length line.
    ASSERT_EQ(Count("Line "), 127);
    EXPECT_EQ(Screen.Calls.front(), "Line 10.0000 0.0000 10.0000 0.0000");
    EXPECT_EQ(Screen.Calls.back().substr(0, 24), "Line 9.9876 -0.4985 10.0");
}

TEST_F(CadPrimitivesTest, ResolutionZeroIsReplacedAndStored)
{
    cadsettings.CadArcResolution = 0;
    CadArcByResolution(10, 0, 0, 10, Pi / 2);
    EXPECT_EQ(cadsettings.CadArcResolution, 0.1L);
    // Quarter circle of r 10: a 0.1 mm chord spans 0.01 rad, within the
    // 0.1 rad limit, so Round(15.708 / 0.1) = 157 chords, 158 calls.
    EXPECT_EQ(Count("Line "), 158);
}

TEST_F(CadPrimitivesTest, SolidCornersInPolygonOrderOnScreen)
{
    CadSolid(0, 0, 10, 0, 0, 5, 10, 5);
    EXPECT_EQ(Screen.Calls,
              (std::vector<std::string>{"Solid 0.0000 0.0000 10.0000 0.0000 10.0000 5.0000 0.0000 5.0000"}));
}

TEST_F(CadPrimitivesTest, AlignedTextHandsOverLeftBaselinePoint)
{
    CadSetTextStyle(1, 0, 5, 5);
    SetCadTextAlign(1, 1);
    CadText(100, 50, "AB");
    SetCadTextAlign(2, 2);
    CadText(100, 50, "AB");
    CadText(100, 50, "");
    EXPECT_EQ(Screen.Drawn(),
              (std::vector<std::string>{"Text 95.0000 47.5000 AB", "Text 90.0000 45.0000 AB"}));
}

TEST_F(CadPrimitivesTest, TextStyleWidthRules)
{
    cadsettings.CadTextWidthFactor = 1.2L;
    telmvar.ScreenPixelsX = 1911;
    telmvar.ScreenPixelsY = 949;
    struct Case {
        Extended Height, Width, Ratio;
    };
    for (const Case& c : {Case{5, 0, 0.84L}, Case{5, 5, 1.2L}, Case{5, 2.5L, 0.6L}, Case{0, 3, 0.84L}}) {
        CadSetTextStyle(1, 45, c.Height, c.Width);
        EXPECT_NEAR(static_cast<double>(cadstate.CadTextWidth), static_cast<double>(c.Ratio), 1e-12)
            << c.Height << " " << c.Width;
        EXPECT_EQ(cadstate.CadTextAngle, 45) << "no pixel-aspect correction on any screen size";
    }
}

TEST_F(CadPrimitivesTest, TextLineMovesDownByPitchAndNotForEmptyText)
{
    CadSetTextStyle(1, 0, 5, 0);
    SetCadTextScale(2);
    CadMoveTo(10, 100);
    CadTextLine("one");
    CadTextLine("");
    CadTextLine("two");
    EXPECT_EQ(Screen.Drawn(),
              (std::vector<std::string>{"Text 10.0000 100.0000 one", "Text 10.0000 84.0000 two"}));
    CadSetTextStyle(1, 90, 5, 0);
    CadTextLine("three");
    EXPECT_NEAR(static_cast<double>(cadstate.CadCurX), 10 + 16, 1e-12) << "moves at angle - 90 degrees";
}

TEST_F(CadPrimitivesTest, PolylineOnScreenBecomesLinesAndArcs)
{
    cadsettings.CadArcsToLines = false;
    CadBeginPolyline(1);
    CadPolylineVertex(0, 0, 0);
    CadPolylineVertex(10, 0, Pi / 2);
    CadPolylineVertex(20, 10, 0);
    CadEndPolyline();
    // A quarter arc about (10, 10) from -90 to 0 degrees; no closing line.
    EXPECT_EQ(Screen.Drawn(), (std::vector<std::string>{"Line 0.0000 0.0000 10.0000 0.0000",
                                                        "Arc 10.0000 10.0000 -90.0000 0.0000 10.0000"}));

    Screen.Calls.clear();
    cadsettings.CadArcsToLines = true;
    CadBeginPolyline(1);
    CadPolylineVertex(0, 0, 0);
    CadPolylineVertex(10, 0, Pi / 2);
    CadPolylineVertex(20, 10, 0);
    CadEndPolyline();
    // Round(15.708 / 0.5) = 31 chords about (10, 10).
    EXPECT_EQ(Count("Arc "), 0);
    EXPECT_GT(Count("Line "), 2);
    EXPECT_EQ(Screen.Calls.back(), "Line 19.9872 9.4935 20.0000 10.0000");
}

TEST_F(CadPrimitivesTest, ArcVertexTurnsLeftAboutThePointBeside)
{
    cadsettings.CadArcsToLines = false;
    CadBeginPolyline();
    CadPolylineVertex(0, 0, 0);
    // 10 along +x, then a quarter turn about (10, 5): ends at (15, 5).
    CadPolylineArcVertex(10, 0, 5, Pi / 2);
    CadPolylineVertexRelative(5, Pi / 2, 0);
    CadEndPolyline();
    EXPECT_EQ(Screen.Drawn(), (std::vector<std::string>{"Line 0.0000 0.0000 10.0000 0.0000",
                                                        "Arc 10.0000 5.0000 -90.0000 0.0000 5.0000",
                                                        "Line 15.0000 5.0000 15.0000 10.0000"}));
}

TEST_F(CadPrimitivesTest, TextInWidthShrinksStyleToFit)
{
    // "ABCD" at width 3.5 is estimated 4 x 3.5 x 0.8 / 0.7 = 16 mm long.
    CadTextInWidth(1, " ABCD ", 0, 5, 3.5L, 20);
    EXPECT_EQ(cadstate.CadTextHeight, 5);
    CadTextInWidth(1, " ABCD ", 0, 5, 3.5L, 8);
    EXPECT_NEAR(static_cast<double>(cadstate.CadTextHeight), 2.5, 1e-12);
    EXPECT_NEAR(static_cast<double>(cadstate.CadTextWidth), 0.7, 1e-12);
}

TEST_F(CadPrimitivesTest, OffsetAppliesOnceToFilledCircle)
{
    SetCadOffset(10, 0);
    CadFilledCircle(5, 0, 2);
    CadArc(5, 0, 0, 90, 0);
    EXPECT_EQ(Screen.Drawn(), (std::vector<std::string>{"Circle 15.0000 0.0000 2.0000"}));
}

TEST_F(CadPrimitivesTest, NonFiniteCoordinatesNeverReachTheScreen)
{
    const Extended inf = std::numeric_limits<Extended>::infinity();
    const Extended nan = std::numeric_limits<Extended>::quiet_NaN();
    CadLine(0, 0, inf, 1);
    CadCircle(nan, 0, 1);
    CadArc(0, 0, 0, nan, 1);
    CadSolid(0, 0, 1, 0, 0, inf, 1, 1);
    CadMoveTo(0, 0);
    CadLinePolar(inf, 0);
    CadSetTextStyle(1, 0, nan, 1);
    CadText(1, 1, "x");
    // An arc with included angle 0 is the straight segment.
    CadArcByResolution(0, 0, 10, 0, 0);
    EXPECT_EQ(Screen.Drawn(),
              (std::vector<std::string>{"Text 1.0000 1.0000 x", "Line 0.0000 0.0000 10.0000 0.0000"}));
    EXPECT_EQ(error0.ErrorCount, 1) << "one message for all dropped elements";
}

} // namespace
