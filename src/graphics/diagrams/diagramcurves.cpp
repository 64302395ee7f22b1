// The contents of a diagram in data coordinates: clipped curves, markers,
// texts and legend lines, and the small helpers of the frame.
#include "graphics/diagrams/diagram.h"

#include "foundation/guardedmath.h"
#include "foundation/planegeo.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"

#include <algorithm>
#include <cmath>

namespace
{

TDiagramState& D = diagramstate;

Extended ConvX(Extended X)
{
    return DiagramLogX() ? Log10Safe(X) : X;
}

Extended ConvY(Extended Y)
{
    return DiagramLogY() ? Log10Safe(Y) : Y;
}

bool Finite4(Extended A, Extended B, Extended C, Extended E)
{
    return std::isfinite(A) && std::isfinite(B) && std::isfinite(C) && std::isfinite(E);
}

// Markers along one segment: more than this many is a stale marker step
// against a new range, not a curve anyone can read.
constexpr int MaxMarkersPerSegment = 1000;

} // namespace

void DiagramRawLine(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    CadLine(DiagramX(X1), DiagramY(Y1), DiagramX(X2), DiagramY(Y2));
}

void DiagramRawText(const std::string& Text, Extended X, Extended Y)
{
    CadText(Text, DiagramX(X), DiagramY(Y));
}

void DiagramMoveTo(Extended X, Extended Y)
{
    // No conversion: the CAD current point serves texts placed at a data
    // point (legend lines), not the curve.
    CadMoveTo(DiagramX(X), DiagramY(Y));
    D.DiagCurX = X;
    D.DiagCurY = Y;
}

void DiagramLineTo(Extended X, Extended Y)
{
    DiagramLine(D.DiagCurX, D.DiagCurY, X, Y);
    D.DiagCurX = X;
    D.DiagCurY = Y;
}

void DiagramLine(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    X1 = ConvX(X1);
    X2 = ConvX(X2);
    Y1 = ConvY(Y1);
    Y2 = ConvY(Y2);
    // A curve point that was not computed is not drawn.
    if (!Finite4(X1, Y1, X2, Y2)) return;
    const Extended xlo = std::min(D.DiagXMin, D.DiagXMax);
    const Extended xhi = std::max(D.DiagXMin, D.DiagXMax);
    const Extended ylo = std::min(D.DiagYMin, D.DiagYMax);
    const Extended yhi = std::max(D.DiagYMin, D.DiagYMax);
    // Well inside the area (widened by 1 % of each range, so a point on the
    // border counts): drawn as it is.
    const Extended mx = std::fabs(D.DiagXGridStep) * 0.01L;
    const Extended my = std::fabs(D.DiagYGridStep) * 0.01L;
    auto inside = [&](Extended X, Extended Y) {
        return X > xlo - mx && X < xhi + mx && Y > ylo - my && Y < yhi + my;
    };
    if (!(inside(X1, Y1) && inside(X2, Y2))) {
        // Cut to the area. This also keeps the part of a segment that
        // crosses the area with both ends outside: steep curves cut at a
        // limit (specific sliding at +-5) would otherwise show gaps.
        if (!ClipSegmentToRect(X1, Y1, X2, Y2, xlo, ylo, xhi, yhi)) return;
    }
    CadLine(DiagramX(X1), DiagramY(Y1), DiagramX(X2), DiagramY(Y2));
}

void DiagramRectangle(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    CadRectangle(DiagramX(ConvX(X1)), DiagramY(ConvY(Y1)), DiagramX(ConvX(X2)), DiagramY(ConvY(Y2)));
}

void DiagramCircle(Extended X, Extended Y, Extended R)
{
    if (DiagramLogY()) R = Log10Safe(R);
    CadCircle(DiagramX(ConvX(X)), DiagramY(ConvY(Y)), DiagramYLength(R));
}

void DiagramArc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    CadArc(DiagramX(X), DiagramY(Y), Start, End, DiagramYLength(R));
}

void DiagramText(const std::string& Text, Extended X, Extended Y)
{
    CadText(Text, DiagramX(ConvX(X)), DiagramY(ConvY(Y)));
}

void DiagramMarker(int Kind, Extended X, Extended Y)
{
    const uint16_t type = D.DiagScaleType;
    if (type == 2 || type == 3 || type == 4) return;
    const Extended dx = D.DiagXGridStep / 150;
    const Extended dy = D.DiagYGridStep / 150;
    switch (Kind) {
    case 1:
        DiagramCircle(X, Y, 1.5L * dy);
        break;
    case 2:
        DiagramRectangle(X - dx, Y - dy, X + dx, Y + dy);
        break;
    case 3: {
        const Extended w = 1.2L * dx;
        const Extended h = 1.5L * dy;
        DiagramMoveTo(X - w, Y);
        DiagramLineTo(X, Y + h);
        DiagramLineTo(X + w, Y);
        DiagramLineTo(X, Y - h);
        DiagramLineTo(X - w, Y);
        break;
    }
    case 4:
        DiagramMoveTo(X - dx, Y - dy);
        DiagramLineTo(X, Y + dy);
        DiagramLineTo(X + dx, Y - dy);
        DiagramLineTo(X - dx, Y - dy);
        break;
    case 5:
        DiagramMoveTo(X - dx, Y - dy);
        DiagramLineTo(X + dx, Y + dy);
        DiagramMoveTo(X - dx, Y + dy);
        DiagramLineTo(X + dx, Y - dy);
        break;
    case 6:
        DiagramMoveTo(X - dx, Y);
        DiagramLineTo(X + dx, Y + dy);
        DiagramMoveTo(X - dx, Y);
        DiagramLineTo(X + dx, Y - dy);
        break;
    default:
        break;
    }
}

void DiagramMarkedLine(int Kind, Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    DiagramLine(X1, Y1, X2, Y2);
    const Extended step = D.DiagMarkerStep;
    // No frame drawn yet (step 0), or a step turned round: no markers, and
    // no loop that never reaches the end of the axis.
    if (!(step > 0) || !std::isfinite(step)) return;
    for (int k = 1; k <= MaxMarkersPerSegment; ++k) {
        const Extended x = D.DiagXMin + k * step;
        if (X1 <= x && x <= X2 && x != X1) {
            const Extended y = Y1 + (Y2 - Y1) / (X2 - X1) * (x - X1);
            if (D.DiagYMin <= y && y <= D.DiagYMax) DiagramMarker(Kind, x, y);
        }
        if (x > D.DiagXMax - step) break;
    }
}

void DiagramLegendLine(const std::string& Text, int Kind)
{
    const Extended cx = cadstate.CadCurX;
    const Extended cy = cadstate.CadCurY;
    const Extended h = cadstate.CadTextHeight;
    DiagramMarker(Kind, PlotToDataX(cx - h), PlotToDataY(cy + h / 2));
    CadMoveTo(cx, cy);
    CadTextLine(Text);
}

void DrawArrowHead(uint16_t Direction, Extended X, Extended Y, Extended Size)
{
    Extended ux = 0;
    Extended uy = 0;
    switch (Direction) {
    case 0:
    case 1:
        ux = 1;
        break;
    case 2:
        uy = 1;
        break;
    case 3:
        ux = -1;
        break;
    case 4:
        uy = -1;
        break;
    default:
        return;
    }
    const Extended w = Size / 8;
    const Extended bx = X - ux * Size;
    const Extended by = Y - uy * Size;
    // The fourth corner repeats the third (the DXF triangle): the screen
    // fills the corners in the order 1, 2, 4, 3, where a fourth corner equal
    // to the first would leave a polygon without area.
    const Extended x2 = bx - uy * w;
    const Extended y2 = by + ux * w;
    const Extended x3 = bx + uy * w;
    const Extended y3 = by - ux * w;
    CadSolid(X, Y, x2, y2, x3, y3, x3, y3);
}

void DiagramSetTextStyle(int Style, Extended Angle, Extended Height, Extended Width)
{
    const Extended f = std::max(D.DiagPlotWidth / 160, D.DiagPlotHeight / 110);
    CadSetTextStyle(Style, Angle, Height * f, Width * f);
}
