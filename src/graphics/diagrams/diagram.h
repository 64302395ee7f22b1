#pragma once
// x/y diagrams drawn through the CAD layer: a frame with title, axes,
// arrows, scales, axis titles and a dotted grid, then curves, markers, texts
// and legend lines in data coordinates. Every diagram reaches the screen and
// every CAD file the same way, because everything ends in Cad... calls.
//
// A diagram is drawn as:
//   SetDiagramSize / SetDiagramOrigin / SetDiagramScaleType   (optional)
//   DrawDiagramAxes(...)                                       the frame
//   ScaleDiagramRange(...)                                     (optional)
//   DiagramLine / DiagramMarkedLine / DiagramText / ...        the contents
// The frame leaves size, origin and scale type as they are; the caller puts
// them back. There is one diagram at a time: the state is program-wide.
//
// Scale types: 0 linear, 2 logarithmic y, 3 logarithmic x and y, 4
// logarithmic x; any other value is linear. On a logarithmic axis the data
// handed to the drawing operations are taken as decimal exponents
// (Log10Safe: values <= 0 become 10^0), and the limits, grid steps and scale
// steps of that axis are exponents.

#include "foundation/types.h"

#include <cstdint>
#include <string>
#include <vector>

struct TDiagramState {
    // The plot area in drawing units: size and lower left corner.
    Extended DiagPlotWidth = 160;
    Extended DiagPlotHeight = 120;
    Extended DiagPlotX0 = 0;
    Extended DiagPlotY0 = 0;
    // Data limits of the plot area (exponents on a logarithmic axis).
    Extended DiagXMin = 0;
    Extended DiagXMax = 1;
    Extended DiagYMin = 0;
    Extended DiagYMax = 1;
    // The whole x and y data ranges after SetDiagramRange/ScaleDiagramRange;
    // the offsets of the frame, the clip margin and the marker size are
    // fractions of them.
    Extended DiagXGridStep = 1;
    Extended DiagYGridStep = 1;
    // x spacing of curve markers: the x scale step of the last frame.
    Extended DiagMarkerStep = 0;
    // Current data point, where DiagramLineTo starts.
    Extended DiagCurX = 0;
    Extended DiagCurY = 0;
    uint16_t DiagScaleType = 0;
    // The limits last entered in the limits dialog, in the order x min,
    // y min, x max, y max. They outlive every diagram.
    TArray<Extended, 1, 4> DiagLimits{{{0, 0, 1, 1}}};
};

extern TDiagramState diagramstate;

// Everything but DiagLimits back to its start-up value (plot 160 x 120 at
// the origin, scale type 0).
void ResetDiagramLayout();
// The whole state, DiagLimits included (program start, tests).
void ResetDiagramState();

// --- set-up -------------------------------------------------------------------
void SetDiagramSize(Extended Width, Extended Height);
void SetDiagramOrigin(Extended X0, Extended Y0);
void SetDiagramScaleType(uint16_t Type);
uint16_t GetDiagramScaleType();
bool DiagramLogX();
bool DiagramLogY();
// The four limits, and the grid steps set to the two ranges.
void SetDiagramRange(Extended XMin, Extended YMin, Extended XMax, Extended YMax);
// Divides the x limits and DiagMarkerStep by FX and the y limits by FY,
// then sets the grid steps to the new ranges: for curves fed in internal
// units on an axis labelled in display units, or (1, 1) to refresh.
void ScaleDiagramRange(Extended FX, Extended FY);
// The y limits as data values: 10^limit on a logarithmic y axis.
Extended DiagramYMin();
Extended DiagramYMax();

// --- mappings (no scale-type conversion) -----------------------------------------
// A range of zero width maps every value to the plot origin's edge, so no
// coordinate of a degenerate diagram is ever infinite.
Extended DiagramX(Extended X);
Extended DiagramY(Extended Y);
// A length in y data units (radii) in drawing units.
Extended DiagramYLength(Extended D);
Extended PlotToDataX(Extended P);
Extended PlotToDataY(Extended P);

// --- scales ----------------------------------------------------------------------
// Rounded limits Lo..Hi and Step of about N intervals over the exponents
// Min..Max of a logarithmic axis: NiceAxisScale, then a Hi that is not whole
// is carried to the exponent of the number it stands for (see
// LogTickPosition).
void NiceLogAxisScale(Extended& Lo, Extended& Hi, Extended& Step, Extended Min, Extended Max, int N);
// Where a tick value t of a logarithmic axis stands: a whole t at t; else t
// stands for Frac(|t|) x 10^Int(t + 1) (3.5 for 5000, 3.2 for 2000) and
// stands at the exponent of that number.
Extended LogTickPosition(Extended T);
// The values of a scale or grid loop: from Lo by Step until t comes within
// 1e-5 of Hi + Step or beyond. The loop also ends after 1000 values and at
// a step that no longer moves t (limits such as 1e30 and 1e30 + 1), and a
// step that is not positive gives Lo alone.
std::vector<Extended> DiagramScaleValues(Extended Lo, Extended Hi, Extended Step);
// Limits as the scale rules take them: a value that is not finite takes the
// other one's place (0 and 1 when neither is finite) and the smaller comes
// first.
void OrderDiagramLimits(Extended& Lo, Extended& Hi);

// --- frame -------------------------------------------------------------------------
// Chooses the limits (automatically, or from the limits dialog when the
// drawing was not requested for the screen, "Enter Diagram Limits ?" is on
// and the program runs with fewer than two command-line parameters), fixes
// them, and draws title (layer 4), axes, scales, axis titles and the dotted
// grid (layer 17). Mode: 0 and 1 x title beyond the end of the x axis, 2
// above it, 3 no x axis line, no x scale numbers and no x title.
void DrawDiagramAxes(const std::string& XLabel, const std::string& YLabel, const std::string& Title,
                     Extended XMin, Extended YMin, Extended XMax, Extended YMax, uint16_t Mode);

// --- contents in data coordinates ------------------------------------------------------
void DiagramMoveTo(Extended X, Extended Y);
void DiagramLineTo(Extended X, Extended Y);
// Clipped to the plot area: a segment well inside is drawn as it is, any
// other is cut to the area (also one that crosses it with both ends
// outside); a segment with a value that is not a number is left out.
void DiagramLine(Extended X1, Extended Y1, Extended X2, Extended Y2);
void DiagramRectangle(Extended X1, Extended Y1, Extended X2, Extended Y2);
void DiagramCircle(Extended X, Extended Y, Extended R);
// No conversion; angles in degrees as CadArc takes them.
void DiagramArc(Extended X, Extended Y, Extended Start, Extended End, Extended R);
void DiagramText(const std::string& Text, Extended X, Extended Y);
// Kinds: 1 circle, 2 square, 3 diamond, 4 triangle, 5 cross, 6 angle open
// to the right; others none. No markers on logarithmic axes.
void DiagramMarker(int Kind, Extended X, Extended Y);
// DiagramLine plus markers where the segment passes the x scale positions
// (multiples of DiagMarkerStep from DiagXMin); none while the step is not
// positive.
void DiagramMarkedLine(int Kind, Extended X1, Extended Y1, Extended X2, Extended Y2);
// A marker and the text at the CAD current point, which moves one line on.
void DiagramLegendLine(const std::string& Text, int Kind);

// --- helpers of the frame -------------------------------------------------------------
// Mapped without conversion and without clipping.
void DiagramRawLine(Extended X1, Extended Y1, Extended X2, Extended Y2);
void DiagramRawText(const std::string& Text, Extended X, Extended Y);
// A filled triangle with its tip at (X, Y) in drawing units, Size long and
// Size / 4 wide. Direction 0 and 1 +x, 2 +y, 3 -x, 4 -y; others nothing.
void DrawArrowHead(uint16_t Direction, Extended X, Extended Y, Extended Size);
// CadSetTextStyle with height and width grown with the plot area (a factor
// of max(width / 160, height / 110)).
void DiagramSetTextStyle(int Style, Extended Angle, Extended Height, Extended Width);
