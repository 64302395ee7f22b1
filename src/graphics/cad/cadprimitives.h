#pragma once
// The drawing operations of the CAD layer: lines, circles, arcs, filled
// quadrilaterals, text with the current text style, a current point with
// relative moves, and polylines with arc segments. Coordinates are world
// millimetres; the drawing offset (SetCadOffset) is added to every point
// before it goes to the current device. Angles of arcs, texts and inserts
// are degrees counter-clockwise from +x; polyline bulges and the polar
// operations take radians.
//
// A point that is not a finite number (a diagram with equal limits, a
// degenerate arc) never reaches a file or the screen: the element is left
// out and one message is collected.

#include "foundation/types.h"

#include <cstdint>
#include <string>

void CadLine(Extended X1, Extended Y1, Extended X2, Extended Y2);
void CadCircle(Extended X, Extended Y, Extended R);
// A filled disc on the STL device outside block definitions, else a circle.
void CadFilledCircle(Extended X, Extended Y, Extended R);
// Nothing for radius 0.
void CadArc(Extended X, Extended Y, Extended Start, Extended End, Extended R);
// Corners in DXF order: edges 1-2 and 3-4 are opposite.
void CadSolid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
              Extended Y4);
// Text with the current style and alignment; an empty text draws nothing.
void CadText(Extended X, Extended Y, const std::string& Text);
void CadText(const std::string& Text, Extended X, Extended Y);
// Text at a left/baseline position, no alignment applied (the block reader:
// the alignment was applied when the block was written).
void CadTextAt(Extended X, Extended Y, const std::string& Text);
// The length Text takes in the current style: the CAD font's character
// width times its characters, trailing blanks left out.
Extended CadTextLength(const std::string& Text);
// Text at (X, Y) in a table cell Room long whose style is text style 2,
// angle 0, Height and Width: a text longer than the cell is written
// narrower, so that it ends at the cell's rule, and the style restored.
void CadCellText(const std::string& Text, Extended X, Extended Y, Extended Room, Extended Height,
                 Extended Width);
// Height in mm; width 0 gives the standard 0.7 width ratio.
void CadSetTextStyle(int N, Extended Angle, Extended Height, Extended Width);
// The length CadTextInWidth reckons a text of character Width with: its
// characters, outer blanks left out, at the screen's width factor.
Extended CadTextEstimate(const std::string& Text, Extended Width);
// The same at the width factor Factor.
Extended CadTextEstimate(const std::string& Text, Extended Width, Extended Factor);
// The factor a text's character width comes out with where it is drawn
// now: the CAD factor in every file, the screen's on the screen, both for
// a block the screen keeps in a file and draws inserted. Never negative.
Extended CadWrittenTextWidthFactor();
// A style that fits the text into MaxWidth; draws nothing.
void CadTextInWidth(int N, const std::string& Text, Extended Angle, Extended Height, Extended Width,
                    Extended MaxWidth);
// Horizontal 0 left, 1 centre, 2 right; vertical 0 baseline, 1 middle,
// 2 top.
void SetCadTextAlign(int32_t Horizontal, int32_t Vertical);
// Text at the current point, then one line down (nothing for "").
void CadTextLine(const std::string& Text);
void SetCadTextScale(Extended Factor);
// Dimension scale: S times the configured factor (0 read as 1); a result
// below 0.01 in magnitude becomes 1.
void SetDimensionScale(Extended S);

void CadMoveTo(Extended X, Extended Y);
void CadLineTo(Extended X, Extended Y);
void CadLinePolar(Extended Length, Extended Angle);
void CadMovePolar(Extended Length, Extended Angle);
void CadRectangle(Extended X1, Extended Y1, Extended X2, Extended Y2);
// The frame of a drawing sheet on the extents CadBeginDrawing declares (the
// drawing offset does not move it): the lines of CadRectangle as one call,
// so that the screen can print it within the printable area.
void CadSheetFrame(Extended X1, Extended Y1, Extended X2, Extended Y2);
void CadHorizontalLine(Extended X, Extended Y, Extended Length);
void CadVerticalLine(Extended X, Extended Y, Extended Length);
void CadSetLineStyle(int Style);
// Current layer: numbers above 31 fold to 16 + (n mod 16).
void CadSetLayer(int N);

// Flags: 1 closed (DXF polylines only).
void CadBeginPolyline(uint8_t Flags = 0);
// Bulge: included angle (radians) of the arc segment starting here, 0 for a
// straight segment.
void CadPolylineVertex(Extended X, Extended Y, Extended Bulge);
void CadPolylineVertexRelative(Extended Length, Extended Angle, Extended Bulge);
void CadPolylineVertexPolar(Extended R, Extended Angle, Extended Bulge);
// A straight run of Length1 at Angle, then an arc turning left about the
// point Length2 to the left, by Bulge radians.
void CadPolylineArcVertex(Extended Length1, Extended Angle, Extended Length2, Extended Bulge);
void CadEndPolyline();

// Chords of the arc from point 1 to point 2 with the included angle Phi.
void CadArcByResolution(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Phi);
// Chords of a full circle; filled runs clockwise.
void CadCircleByResolution(bool Filled, Extended X, Extended Y, Extended R);
