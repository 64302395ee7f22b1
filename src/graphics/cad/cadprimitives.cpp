#include "graphics/cad/cadprimitives.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/planegeo.h"
#include "foundation/textutil.h"
#include "graphics/cad/caddevice.h"
#include "graphics/cad/cadtarget.h"
#include "graphics/cadsettings.h"
#include "graphics/graphsettings.h"
#include "graphics/writers/dxfwriter.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace
{

TCadState& S = cadstate;

// The polyline being drawn. A vertex equal to the one before would make a
// segment of no length, which strict readers refuse (an IGES line whose
// start is its end): it is dropped, and its bulge, the one of the segment
// that follows, goes to the vertex it repeats. A device polyline therefore
// holds its last vertex back until the next one is known.
struct TPolylineState {
    bool onDevice = false;
    bool hasVertex = false;
    Extended x = 0, y = 0, bulge = 0;
};
TPolylineState polyline;

void SendHeldVertex()
{
    if (!polyline.hasVertex) return;
    if (TCadDevice* d = CadEntityTarget()) d->Vertex(polyline.x, polyline.y, polyline.bulge);
}

// Most chords one arc or circle is broken into: a resolution far below the
// drawing's size would otherwise stall the program on one element.
constexpr Extended MaxChords = 100000;

bool Finite(std::initializer_list<Extended> Values)
{
    for (Extended v : Values)
        if (!std::isfinite(v)) {
            AddErrorMessage("Error  : CAD: element with invalid coordinates left out");
            return false;
        }
    return true;
}

Extended ChordResolution()
{
    if (cadsettings.CadArcResolution <= 0) cadsettings.CadArcResolution = 0.1L;
    return cadsettings.CadArcResolution;
}

void DeviceText(const std::string& Text, Extended X, Extended Y)
{
    if (!Finite({X, Y, S.CadTextHeight, S.CadTextWidth, S.CadTextAngle})) return;
    if (TCadDevice* d = CadEntityTarget())
        d->Text(Text, X, Y, TCadTextStyle{S.CadTextHeight, S.CadTextWidth, S.CadTextAngle, S.CadTextSlant});
}

} // namespace

void CadLine(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    X1 += S.CadOffsetX;
    Y1 += S.CadOffsetY;
    X2 += S.CadOffsetX;
    Y2 += S.CadOffsetY;
    if (!Finite({X1, Y1, X2, Y2})) return;
    if (TCadDevice* d = CadEntityTarget()) d->Line(X1, Y1, X2, Y2);
}

// A negative radius (an internal gear's diameter, a dimension drawn on the
// far side of its centre) is written as its size: the files carry no
// negative radius, which some readers refuse and others draw elsewhere.
void CadCircle(Extended X, Extended Y, Extended R)
{
    R = std::fabs(R);
    X += S.CadOffsetX;
    Y += S.CadOffsetY;
    if (!Finite({X, Y, R})) return;
    if (TCadDevice* d = CadEntityTarget()) d->Circle(X, Y, R);
}

void CadFilledCircle(Extended X, Extended Y, Extended R)
{
    R = std::fabs(R);
    X += S.CadOffsetX;
    Y += S.CadOffsetY;
    if (!Finite({X, Y, R})) return;
    if (TCadDevice* d = CadEntityTarget()) d->FilledCircle(X, Y, R);
}

void CadArc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    if (R == 0) return;
    if (R < 0) {
        // Points at a negative radius lie on the far side of the centre:
        // the arc of the radius's size through them is turned half a turn.
        // A whole circle has no side to turn to.
        R = -R;
        if (std::fabs(End - Start) < 360 - 1e-5L) {
            Start += 180;
            End += 180;
            if (Start >= 360) {
                Start -= 360;
                End -= 360;
            }
        }
    }
    X += S.CadOffsetX;
    Y += S.CadOffsetY;
    if (!Finite({X, Y, Start, End, R})) return;
    if (TCadDevice* d = CadEntityTarget()) d->Arc(X, Y, Start, End, R);
}

void CadSolid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
              Extended Y4)
{
    const Extended ox = S.CadOffsetX, oy = S.CadOffsetY;
    X1 += ox, X2 += ox, X3 += ox, X4 += ox;
    Y1 += oy, Y2 += oy, Y3 += oy, Y4 += oy;
    if (!Finite({X1, Y1, X2, Y2, X3, Y3, X4, Y4})) return;
    if (TCadDevice* d = CadEntityTarget()) d->Solid(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void CadText(Extended X, Extended Y, const std::string& Text)
{
    if (Text.empty()) return;
    const Extended len = static_cast<Extended>(Text.size());
    X += S.CadOffsetX;
    Y += S.CadOffsetY;
    if (S.CadTextAlignX == 1) X -= 0.5L * len * S.CadTextHeight * S.CadTextWidth;
    if (S.CadTextAlignX == 2) X -= len * S.CadTextHeight * S.CadTextWidth;
    if (S.CadTextAlignY == 1) Y -= 0.5L * S.CadTextHeight;
    if (S.CadTextAlignY == 2) Y -= S.CadTextHeight;
    DeviceText(Text, X, Y);
}

void CadText(const std::string& Text, Extended X, Extended Y)
{
    CadText(X, Y, Text);
}

Extended CadTextLength(const std::string& Text)
{
    const size_t n = Text.find_last_not_of(' ');
    return n == std::string::npos ? 0 : static_cast<Extended>(n + 1) * S.CadTextHeight * S.CadTextWidth;
}

void CadCellText(const std::string& Text, Extended X, Extended Y, Extended Room, Extended Height,
                 Extended Width)
{
    const Extended length = CadTextLength(Text);
    const bool narrower = length > Room && Room > 0;
    if (narrower) CadSetTextStyle(2, 0, Height, Width * Room / length);
    CadText(Text, X, Y);
    if (narrower) CadSetTextStyle(2, 0, Height, Width);
}

void CadTextAt(Extended X, Extended Y, const std::string& Text)
{
    if (Text.empty()) return;
    DeviceText(Text, X + S.CadOffsetX, Y + S.CadOffsetY);
}

void CadSetTextStyle(int N, Extended Angle, Extended Height, Extended Width)
{
    if (!Finite({Angle, Height, Width})) return;
    S.CadTextHeight = Height;
    // A width with height 0 has no ratio: the standard width stands in
    // rather than an infinite one.
    S.CadTextWidth = Width == 0 || Height == 0 ? 0.7L * cadsettings.CadTextWidthFactor
                                               : Width / Height * cadsettings.CadTextWidthFactor;
    // The angle is taken as it is on every device. World units are square
    // on every display here, so there is no pixel aspect to correct for,
    // and a correction would be applied twice to texts read from blocks.
    S.CadTextAngle = Angle;
    S.CadTextSlant = cadsettings.CadFontAngle;
    if (TCadDevice* d = CadEntityTarget()) d->SetTextStyle(N, Angle, Height, 0.95L * Width);
}

Extended CadTextEstimate(const std::string& Text, Extended Width)
{
    return CadTextEstimate(Text, Width, graphsettings.GraphTextWidthFactor);
}

Extended CadTextEstimate(const std::string& Text, Extended Width, Extended Factor)
{
    const Extended len = static_cast<Extended>(TrimBlanks(Text).size());
    return len * Width * Factor / 0.7L;
}

Extended CadWrittenTextWidthFactor()
{
    // A negative CAD factor mirrors the letters but takes as much room as
    // its size; a screen factor of 0 or below leaves the window's font its
    // own width, which the default factor covers.
    const Extended cad = std::fabs(cadsettings.CadTextWidthFactor);
    const Extended screen =
        graphsettings.GraphTextWidthFactor > 0 ? graphsettings.GraphTextWidthFactor : 1.0L;
    if (S.CadDevice != 3) return cad;
    // The screen's block files hold each text's width with the CAD factor
    // in it (CadSetTextStyle), and the screen lays its own on top when it
    // draws the block inserted.
    const bool blockFile = cadtarget.Output != nullptr && cadtarget.BlocksInFiles && S.CadInBlockSection;
    return blockFile ? cad * screen : screen;
}

void CadTextInWidth(int N, const std::string& Text, Extended Angle, Extended Height, Extended Width,
                    Extended MaxWidth)
{
    const Extended estimate = CadTextEstimate(Text, Width);
    if (MaxWidth >= estimate) {
        CadSetTextStyle(N, Angle, Height, Width);
    } else {
        const Extended f = MaxWidth / estimate;
        CadSetTextStyle(N, Angle, Height * f, Width * f);
    }
}

void SetCadTextAlign(int32_t Horizontal, int32_t Vertical)
{
    S.CadTextAlignX = Horizontal;
    S.CadTextAlignY = Vertical;
}

void CadTextLine(const std::string& Text)
{
    if (Text.empty()) return;
    CadText(S.CadCurX, S.CadCurY, Text);
    const Extended p = 1.6L * S.CadTextHeight * S.CadTextScale;
    if (S.CadTextAngle == 0) {
        S.CadCurY -= p;
    } else {
        const Extended a = DegToRad(S.CadTextAngle - 90);
        S.CadCurX += p * std::cos(a);
        S.CadCurY += p * std::sin(a);
    }
}

void SetCadTextScale(Extended Factor)
{
    S.CadTextScale = Factor;
}

void SetDimensionScale(Extended Scale)
{
    const Extended base = cadsettings.CadDimScale == 0 ? 1.0L : cadsettings.CadDimScale;
    S.CadScale = Scale * base;
    // A negative scale mirrors the arrows and texts, which a caller may
    // want; only one too small to read falls back to 1.
    if (std::fabs(S.CadScale) < 0.01L) S.CadScale = 1.0L;
}

void CadMoveTo(Extended X, Extended Y)
{
    S.CadCurX = X;
    S.CadCurY = Y;
}

void CadLineTo(Extended X, Extended Y)
{
    CadLine(S.CadCurX, S.CadCurY, X, Y);
    CadMoveTo(X, Y);
}

void CadLinePolar(Extended Length, Extended Angle)
{
    CadLineTo(S.CadCurX + Length * std::cos(Angle), S.CadCurY + Length * std::sin(Angle));
}

void CadMovePolar(Extended Length, Extended Angle)
{
    CadMoveTo(S.CadCurX + Length * std::cos(Angle), S.CadCurY + Length * std::sin(Angle));
}

void CadRectangle(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    CadMoveTo(X1, Y1);
    CadLineTo(X1, Y2);
    CadLineTo(X2, Y2);
    CadLineTo(X2, Y1);
    CadLineTo(X1, Y1);
}

void CadSheetFrame(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    // The pen ends where CadRectangle leaves it.
    CadMoveTo(X1, Y1);
    if (TCadDevice* d = CadEntityTarget()) d->SheetFrame(X1, Y1, X2, Y2);
}

void CadHorizontalLine(Extended X, Extended Y, Extended Length)
{
    CadLine(X, Y, X + Length, Y);
}

void CadVerticalLine(Extended X, Extended Y, Extended Length)
{
    CadLine(X, Y, X, Y + Length);
}

void CadSetLayer(int N)
{
    if (N < 0) N = 0;
    if (N > 31) N = 16 + N % 16;
    S.CadLayer = static_cast<uint8_t>(N);
    if (TCadDevice* d = CadEntityTarget()) d->SetLayer(N);
}

void CadSetLineStyle(int Style)
{
    if (TCadDevice* d = CadEntityTarget()) d->SetLineStyle(Style);
}

void CadBeginPolyline(uint8_t Flags)
{
    TCadDevice* d = CadEntityTarget();
    polyline = TPolylineState{};
    polyline.onDevice = d != nullptr && d->HasPolylines() && cadsettings.CadPolylineAllowed;
    if (polyline.onDevice) {
        d->BeginPolyline(Flags);
    } else {
        // Flags are ignored: nothing closes the figure.
        S.CadFirstVertex = 1;
    }
}

void CadPolylineVertex(Extended X, Extended Y, Extended Bulge)
{
    if (polyline.onDevice) {
        const Extended x = X + S.CadOffsetX, y = Y + S.CadOffsetY;
        const Extended b = BulgeFromAngle(Bulge);
        if (!Finite({x, y, b})) return;
        if (!polyline.hasVertex || x != polyline.x || y != polyline.y) SendHeldVertex();
        polyline = TPolylineState{true, true, x, y, b};
        CadMoveTo(X, Y);
        return;
    }
    if (!Finite({X, Y, Bulge})) return;
    if (S.CadFirstVertex > 1 && polyline.hasVertex && X == polyline.x && Y == polyline.y) {
        S.CadPendingBulge = Bulge;
        return;
    }
    polyline = TPolylineState{false, true, X, Y, 0};
    if (S.CadFirstVertex == 1) {
        CadMoveTo(X, Y);
    } else if (S.CadPendingBulge == 0) {
        CadLineTo(X, Y);
    } else {
        if (cadsettings.CadArcsToLines) {
            CadArcByResolution(S.CadCurX, S.CadCurY, X, Y, S.CadPendingBulge);
        } else {
            Extended xc = 0, yc = 0, a1 = 0, a2 = 0, r = 0;
            if (GetArcCenter(xc, yc, a1, S.CadCurX, S.CadCurY, X, Y, S.CadPendingBulge, a2, r))
                CadArc(xc, yc, RadToDeg(a1), RadToDeg(a2), r);
            else
                CadLine(S.CadCurX, S.CadCurY, X, Y);
        }
        CadMoveTo(X, Y);
    }
    S.CadPendingBulge = Bulge;
    S.CadFirstVertex += 1;
}

void CadPolylineVertexRelative(Extended Length, Extended Angle, Extended Bulge)
{
    CadPolylineVertex(S.CadCurX + Length * std::cos(Angle), S.CadCurY + Length * std::sin(Angle), Bulge);
}

void CadPolylineVertexPolar(Extended R, Extended Angle, Extended Bulge)
{
    CadPolylineVertex(R * std::cos(Angle), R * std::sin(Angle), Bulge);
}

void CadPolylineArcVertex(Extended Length1, Extended Angle, Extended Length2, Extended Bulge)
{
    CadPolylineVertexRelative(Length1, Angle, Bulge);
    const Extended cx = S.CadCurX + Length2 * std::cos(Angle + Pi / 2);
    const Extended cy = S.CadCurY + Length2 * std::sin(Angle + Pi / 2);
    Extended px = 0, py = 0;
    RotateAboutPoint(px, py, S.CadCurX, S.CadCurY, cx, cy, Bulge);
    CadPolylineVertex(px, py, 0);
}

void CadEndPolyline()
{
    if (polyline.onDevice) {
        SendHeldVertex();
        if (TCadDevice* d = CadEntityTarget()) d->EndPolyline();
    }
    polyline = TPolylineState{};
}

void CadArcByResolution(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Phi)
{
    Extended xc = 0, yc = 0, a1 = 0, a2 = 0, r = 0;
    if (Phi == 0 || !std::isfinite(Phi) || !GetArcCenter(xc, yc, a1, X1, Y1, X2, Y2, Phi, a2, r)) {
        // An included angle of 0 is the straight segment.
        CadMoveTo(X1, Y1);
        CadLineTo(X2, Y2);
        return;
    }
    const Extended length = r * std::fabs(Phi);
    if (length == 0) return;
    const Extended res = ChordResolution();
    CadMoveTo(X1, Y1);
    if (res >= length && std::fabs(Phi) <= 0.1L) {
        CadLineTo(X2, Y2);
        return;
    }
    Extended n = std::fabs(Phi * res / length) > 0.1L ? Round(std::fabs(Phi) / 0.1L) : Round(length / res);
    n = std::clamp(n, Extended(1), MaxChords);
    const Extended step = Phi / n;
    // The chords start at point 1 whatever the direction of the arc.
    const Extended a0 = PolarAngle(X1 - xc, Y1 - yc);
    for (int i = 0; i <= static_cast<int>(n); ++i) {
        const Extended a = a0 + i * step;
        CadLineTo(xc + r * std::cos(a), yc + r * std::sin(a));
    }
}

void CadCircleByResolution(bool Filled, Extended X, Extended Y, Extended R)
{
    const Extended res = ChordResolution();
    const Extended c = 2 * Pi * R;
    CadMoveTo(X + R, Y);
    if (res >= c) {
        CadLineTo(X + R, Y);
        return;
    }
    const Extended n = std::clamp(Round(c / res), Extended(1), MaxChords);
    const Extended step = (Filled ? -2 : 2) * Pi / n;
    for (int i = 0; i <= static_cast<int>(n); ++i) {
        const Extended a = Filled ? 2 * Pi + i * step : i * step;
        CadLineTo(X + R * std::cos(a), Y + R * std::sin(a));
    }
}
