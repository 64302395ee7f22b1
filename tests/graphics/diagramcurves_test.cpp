// Curves, markers, legend lines and arrow heads of a diagram as the screen
// receives them.
#include "diagramtestsupport.h"

#include "common/testnames.h"

#include "graphics/cad/cadprimitives.h"

#include <cmath>
#include <limits>

namespace
{

// A plot area of 100 x 100 at (10, 20) over the data 0..10 x 0..10: data
// (x, y) is drawn at (10 + 10 x, 20 + 10 y).
class DiagramCurves : public DiagramTest
{
  protected:
    void SetUp() override
    {
        DiagramTest::SetUp();
        SetDiagramSize(100, 100);
        SetDiagramOrigin(10, 20);
        SetDiagramRange(0, 0, 10, 10);
        diagramstate.DiagMarkerStep = 2;
        OpenScreen();
    }
};

struct TClipCase {
    const char* Name;
    Extended X1, Y1, X2, Y2;
    // The line drawn (drawing units), or none.
    bool Drawn;
    Extended PX1, PY1, PX2, PY2;
};

const TClipCase ClipCases[] = {
    {"inside", 1, 1, 9, 9, true, 20, 30, 100, 110},
    // The fast path: a point on the border, or within 1 % of the range
    // outside it, is drawn as it is.
    {"end on the border", 5, 5, 10, 5, true, 60, 70, 110, 70},
    {"end just beyond the border", 5, 5, 10.05L, 5, true, 60, 70, 110.5L, 70},
    {"inside to outside is cut", 5, 5, 15, 5, true, 60, 70, 110, 70},
    {"outside to inside is cut", 5, -5, 5, 5, true, 60, 20, 60, 70},
    // Both ends outside: the part across the area is drawn, so a steep
    // curve cut at a limit has no gap.
    {"across with both ends outside", -5, 5, 15, 5, true, 10, 70, 110, 70},
    {"diagonal across both ends outside", -1, -1, 11, 11, true, 10, 20, 110, 120},
    {"outside entirely", -5, -5, -1, 20, false, 0, 0, 0, 0},
    {"a value not a number", 1, std::numeric_limits<Extended>::quiet_NaN(), 5, 5, false, 0, 0, 0, 0},
};

class DiagramClipping : public DiagramCurves, public ::testing::WithParamInterface<TClipCase>
{
};

TEST_P(DiagramClipping, CutsSegmentsToThePlotArea)
{
    const TClipCase& c = GetParam();
    DiagramLine(c.X1, c.Y1, c.X2, c.Y2);
    const std::vector<std::string> lines = Recorded("Line ");
    if (!c.Drawn) {
        EXPECT_TRUE(lines.empty());
        return;
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "Line " + Fmt(c.PX1) + " " + Fmt(c.PY1) + " " + Fmt(c.PX2) + " " + Fmt(c.PY2));
}

INSTANTIATE_TEST_SUITE_P(Diagram, DiagramClipping, ::testing::ValuesIn(ClipCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST_F(DiagramCurves, MarkersSitAtTheXScalePositions)
{
    // Marker step 2 from x = 0: the segments 1..5 and 5..9 pass x = 2, 4
    // and 6, 8; x = 5 is not marked twice (never at a segment's start).
    DiagramMarkedLine(5, 1, 1, 5, 5);
    DiagramMarkedLine(5, 5, 5, 9, 1);
    // A cross is two lines: two segments plus four crosses.
    const std::vector<std::string> lines = Recorded("Line ");
    ASSERT_EQ(lines.size(), 2u + 4u * 2u);
    // Cross at (2, 2): dx = dy = 10 / 150 in data, 2/3 mm on paper.
    const Extended d = 10.0L / 15;
    EXPECT_EQ(lines[1], "Line " + Fmt(30 - d) + " " + Fmt(40 - d) + " " + Fmt(30 + d) + " " + Fmt(40 + d));
    // Cross at (8, 2) on the falling segment: y = 5 - (8 - 5) = 2.
    EXPECT_EQ(lines[8], "Line " + Fmt(90 - d) + " " + Fmt(40 - d) + " " + Fmt(90 + d) + " " + Fmt(40 + d));
}

TEST_F(DiagramCurves, MarkersOutsideTheYRangeAreDropped)
{
    DiagramMarkedLine(2, 1, 8, 3, 14);
    // Segment cut at y = 10; the square at x = 2, y = 11 is dropped.
    EXPECT_EQ(Recorded("Line ").size(), 1u);
}

struct TNoMarkerCase {
    const char* Name;
    uint16_t ScaleType;
    Extended Step;
};

const TNoMarkerCase NoMarkerCases[] = {
    {"log y", 2, 2},
    {"log x and y", 3, 2},
    {"log x", 4, 2},
    // No frame drawn yet, or a step turned round: no markers and no loop
    // that never ends.
    {"step 0", 0, 0},
    {"negative step", 0, -2},
    {"step not a number", 0, std::numeric_limits<Extended>::quiet_NaN()},
};

class DiagramWithoutMarkers : public DiagramCurves, public ::testing::WithParamInterface<TNoMarkerCase>
{
};

TEST_P(DiagramWithoutMarkers, DrawsTheCurveAlone)
{
    const TNoMarkerCase& c = GetParam();
    SetDiagramScaleType(c.ScaleType);
    diagramstate.DiagMarkerStep = c.Step;
    for (int kind = 1; kind <= 6; ++kind)
        DiagramMarkedLine(kind, 1, 1, 9, 9);
    EXPECT_EQ(Recorded("Line ").size(), 6u);
    EXPECT_TRUE(Recorded("Circle ").empty());
    if (c.ScaleType == 0) return;
    // Nor before a legend line on a logarithmic axis.
    Screen.Calls.clear();
    CadMoveTo(50, 50);
    DiagramLegendLine("curve", 1);
    EXPECT_TRUE(Recorded("Circle ").empty());
    EXPECT_EQ(Recorded("Text ").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Diagram, DiagramWithoutMarkers, ::testing::ValuesIn(NoMarkerCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST_F(DiagramCurves, MarkerShapes)
{
    // Centre (5, 5) at (60, 70); dx = dy = 1/15 in data = 2/3 mm.
    const Extended d = 10.0L / 15;
    struct {
        int Kind;
        std::size_t Lines, Circles;
    } shapes[] = {{0, 0, 0}, {1, 0, 1}, {2, 4, 0}, {3, 4, 0}, {4, 3, 0}, {5, 2, 0}, {6, 2, 0}, {7, 0, 0}};
    for (const auto& s : shapes) {
        Screen.Calls.clear();
        DiagramMarker(s.Kind, 5, 5);
        EXPECT_EQ(Recorded("Line ").size(), s.Lines) << s.Kind;
        EXPECT_EQ(Recorded("Circle ").size(), s.Circles) << s.Kind;
    }
    Screen.Calls.clear();
    DiagramMarker(1, 5, 5);
    EXPECT_EQ(Recorded("Circle ")[0], "Circle 60.0000 70.0000 " + Fmt(1.5L * d));
    Screen.Calls.clear();
    DiagramMarker(3, 5, 5);
    // Diamond: half-widths 1.2 dx and 1.5 dy, from the left corner up.
    EXPECT_EQ(Recorded("Line ")[0], "Line " + Fmt(60 - 1.2L * d) + " 70.0000 60.0000 " + Fmt(70 + 1.5L * d));
}

TEST_F(DiagramCurves, ALegendLineHasItsMarkerBeforeTheText)
{
    CadSetTextStyle(2, 0, 3, 2);
    CadMoveTo(60, 70);
    DiagramLegendLine("curve", 5);
    const std::vector<std::string> lines = Recorded("Line ");
    ASSERT_EQ(lines.size(), 2u);
    // Cross centred one text height left of the text, half a height up.
    const Extended d = 10.0L / 15;
    EXPECT_EQ(lines[0],
              "Line " + Fmt(57 - d) + " " + Fmt(71.5L - d) + " " + Fmt(57 + d) + " " + Fmt(71.5L + d));
    EXPECT_EQ(Recorded("Text ")[0], "Text 60.0000 70.0000 curve");
    // The current point moved one line down for the next legend line.
    EXPECT_NEAR(cadstate.CadCurY, 70 - 1.6L * 3, 1e-12L);
}

struct TArrowCase {
    const char* Name;
    uint16_t Direction;
    Extended BX1, BY1, BX2, BY2;
};

// Tip (50, 50), size 8: base 8 behind the tip, half-width 1.
const TArrowCase ArrowCases[] = {
    {"plus x", 1, 42, 51, 42, 49},  {"plus x as 0", 0, 42, 51, 42, 49}, {"plus y", 2, 49, 42, 51, 42},
    {"minus x", 3, 58, 49, 58, 51}, {"minus y", 4, 51, 58, 49, 58},
};

class DiagramArrowHeads : public DiagramCurves, public ::testing::WithParamInterface<TArrowCase>
{
};

TEST_P(DiagramArrowHeads, AreTrianglesWhoseFourthCornerRepeatsTheThird)
{
    const TArrowCase& c = GetParam();
    DrawArrowHead(c.Direction, 50, 50, 8);
    const std::vector<std::string> s = Recorded("Solid ");
    ASSERT_EQ(s.size(), 1u);
    // The screen gets the corners in polygon order 1, 2, 4, 3: with the
    // fourth equal to the third the polygon is the triangle, which fills.
    const std::string b1 = Fmt(c.BX1) + " " + Fmt(c.BY1);
    const std::string b2 = Fmt(c.BX2) + " " + Fmt(c.BY2);
    EXPECT_EQ(s[0], "Solid 50.0000 50.0000 " + b1 + " " + b2 + " " + b2);
}

INSTANTIATE_TEST_SUITE_P(Diagram, DiagramArrowHeads, ::testing::ValuesIn(ArrowCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST_F(DiagramCurves, AnArrowOfAnUnknownDirectionDrawsNothing)
{
    DrawArrowHead(5, 50, 50, 8);
    EXPECT_TRUE(Recorded("Solid ").empty());
}

TEST_F(DiagramCurves, LogarithmicDataAreTakenAsExponents)
{
    SetDiagramScaleType(3);
    SetDiagramRange(0, 0, 10, 10);
    // 10^2 at 2, 10^5 at 5; a value <= 0 at 10^0.
    DiagramLine(100, 1e5L, 0, -3);
    EXPECT_EQ(Recorded("Line ")[0], "Line 30.0000 70.0000 10.0000 20.0000");
    DiagramText("p", 1000, 10);
    EXPECT_EQ(Recorded("Text ")[0], "Text 40.0000 30.0000 p");
    // Moving is not converted: the CAD current point of a text line.
    DiagramMoveTo(2, 3);
    EXPECT_EQ(cadstate.CadCurX, 30);
    EXPECT_EQ(cadstate.CadCurY, 50);
}

TEST_F(DiagramCurves, TextsGrowWithThePlotArea)
{
    SetDiagramSize(320, 110);
    DiagramSetTextStyle(2, 0, 2.2L, 1.65L);
    EXPECT_EQ(Recorded("TextStyle ").back(), "TextStyle 2 0.0000 4.4000 " + Fmt(0.95L * 3.3L));
}

} // namespace
