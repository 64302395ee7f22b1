#include "graphics/cad/caddimensions.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/graphsettings.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{

// Layer of thin lines, dimensions and small texts.
constexpr int DimensionLayer = 3;

Extended Scale()
{
    return cadstate.CadScale;
}

// Width factor the text length is estimated with: the screen draws with
// the window's font, every file with the CAD font.
Extended TextWidthFactor()
{
    return cadstate.CadDevice == 3 ? graphsettings.GraphTextWidthFactor : cadsettings.CadTextWidthFactor;
}

struct TDimTexts {
    std::string Value;
    // Blanks around a tolerance carry nothing (callers pad numbers to a
    // field width); without them an empty field is "no tolerance".
    std::string Upper;
    std::string Lower;

    TDimTexts(const std::string& V, const std::string& U, const std::string& L)
        : Value(V), Upper(TrimBlanks(U)), Lower(TrimBlanks(L))
    {
    }
    Extended ValueLength() const { return static_cast<Extended>(Value.size()); }
    // One more than the longer tolerance: room for the sign put in front.
    Extended ToleranceLength() const
    {
        return 1 + static_cast<Extended>(std::max(Upper.size(), Lower.size()));
    }
    // Estimated length of value and tolerances together, with the value
    // text style current.
    Extended Width() const
    {
        const Extended s = Scale();
        return ToleranceLength() * 1.8L * cadstate.CadTextWidth * s * 1.1L +
               ValueLength() * 2.5L * TextWidthFactor() * s * 1.2L;
    }
    // Advance from the value text's start to the tolerances, with the
    // tolerance style current.
    Extended ToleranceAdvance() const
    {
        return (ValueLength() + 1) * 2.5L * cadstate.CadTextWidth * Scale() * 1.2L;
    }
};

// "+" in front of a positive tolerance that has no sign of its own.
std::string WithPlus(const std::string& T)
{
    return !T.empty() && T[0] == '+' ? T : "+" + T;
}

// A symmetric tolerance is written once after the plus-minus sign; a sign
// of its own would read "+-+0.1".
std::string WithoutSign(const std::string& T)
{
    return !T.empty() && (T[0] == '+' || T[0] == '-') ? T.substr(1) : T;
}

// The tolerance texts; At(k, text) writes a text k times S above the
// tolerance start (0.5 lower, 2.5 upper, 1.25 a symmetric one, half way).
template <class F> void DrawTolerances(const TDimTexts& T, F At)
{
    const std::string& u = T.Upper;
    const std::string& d = T.Lower;
    if (u.empty() && d.empty()) return;
    if (u.empty()) {
        At(0.5L, d);
        return;
    }
    if (d.empty()) {
        // A single tolerance stays as the caller wrote it.
        At(2.5L, u);
        return;
    }
    const Extended vu = TextToFloat(u);
    const Extended vd = TextToFloat(d);
    if (vu == -vd && vu != 0) {
        At(1.25L, std::string(1, PlusMinusChar) + WithoutSign(u));
        return;
    }
    // A zero deviation is not written: the other one says it all.
    if (vd != 0) At(0.5L, vd > 0 ? WithPlus(d) : d);
    if (vu != 0) At(2.5L, vu > 0 ? WithPlus(u) : u);
}

// Arrow with its tip at (X, Y); Direction (degrees) points from the tip
// into the dimension line. A filled kite (corners in DXF order: tip, the
// two flanks, the end) and a tail line along the axis.
void Arrow(Extended X, Extended Y, Extended Direction)
{
    const Extended l = 3.5L * Scale();
    auto px = [&](Extended a) { return X + l * std::cos(DegToRad(a)); };
    auto py = [&](Extended a) { return Y + l * std::sin(DegToRad(a)); };
    CadSolid(X, Y, px(Direction + 10), py(Direction + 10), px(Direction - 10), py(Direction - 10),
             px(Direction), py(Direction));
    CadLine(X, Y, px(Direction), py(Direction));
}

// Short dimensions (at most 10 S) get their arrows outside: the ends are
// put in falling order, so the arrows point inwards from outside.
void OrderEnds(Extended& A, Extended& B)
{
    if (B < A) std::swap(A, B);
    if ((B - A) / Scale() <= 10) std::swap(A, B);
}

void HorizontalDimensionLine(const TDimTexts& T, Extended X1, Extended X2, Extended Y)
{
    const Extended s = Scale();
    OrderEnds(X1, X2);
    CadSetTextStyle(2, 0, 3.5L * s, 2.5L * s);
    Extended xt = (X1 + X2) / 2 - T.Width() / 2;
    CadText(xt, Y + s, T.Value);
    CadSetTextStyle(2, 0, 2.5L * s, 1.8L * s);
    xt += T.ToleranceAdvance();
    DrawTolerances(T, [&](Extended k, const std::string& Text) { CadText(xt, Y + k * s, Text); });
    CadLine(X1, Y, X2, Y);
    Arrow(X1, Y, 0);
    Arrow(X2, Y, 180);
}

void VerticalDimensionLine(const TDimTexts& T, Extended Y1, Extended Y2, Extended X)
{
    const Extended s = Scale();
    OrderEnds(Y1, Y2);
    CadSetTextStyle(2, 90, 3.5L * s, 2.5L * s);
    Extended yt = (Y1 + Y2) / 2 - T.Width() / 2;
    CadText(X - s, yt, T.Value);
    CadSetTextStyle(2, 90, 2.5L * s, 1.8L * s);
    yt += T.ToleranceAdvance();
    DrawTolerances(T, [&](Extended k, const std::string& Text) { CadText(X - k * s, yt, Text); });
    CadLine(X, Y1, X, Y2);
    Arrow(X, Y1, 90);
    Arrow(X, Y2, 270);
}

// Angle (radians) in [0, 2 pi).
Extended FullTurn(Extended A)
{
    A = std::fmod(A, 2 * Pi);
    if (A < 0) A += 2 * Pi;
    if (A >= 2 * Pi) A = 0;
    return A;
}

// Texts of an arc dimension at M along the tangent Phi (degrees).
void ArcDimensionTexts(const TDimTexts& T, Extended Mx, Extended My, Extended Phi, int Mode)
{
    const Extended s = Scale();
    const Extended upright = UprightTextAngle(Phi);
    CadSetTextStyle(2, upright, 3.5L * s, 2.5L * s);
    const Extended w = Mode == 1 ? 0 : T.Width();
    const Extended c = std::cos(DegToRad(Phi));
    const Extended sn = std::sin(DegToRad(Phi));
    Extended tx = Mx - w / 2 * c;
    Extended ty = My - w / 2 * sn;
    CadText(tx + s * c, ty + s * sn, T.Value);
    CadSetTextStyle(2, upright, 1.8L * s, 1.8L * s);
    const Extended advance = T.ToleranceAdvance();
    tx += advance * c;
    ty += advance * sn;
    // The tolerances stack across the text direction, on the side that is
    // up for a reader of the upright text.
    Extended psi = FullTurn(DegToRad(Phi));
    if (psi > Pi / 2 && psi < 3 * Pi / 2) psi -= Pi;
    psi += Pi / 2;
    const Extended ux = std::cos(psi), uy = std::sin(psi);
    DrawTolerances(
        T, [&](Extended k, const std::string& Text) { CadText(tx + k * s * ux, ty + k * s * uy, Text); });
}

} // namespace

void CadHorizontalDimension(const std::string& Value, const std::string& Upper, const std::string& Lower,
                            Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Yd)
{
    const Extended s = Scale();
    CadSetLayer(DimensionLayer);
    // Only the first point decides on which side the extension lines end.
    const Extended end = Y1 > Yd ? Yd - s : Yd + s;
    CadLine(X1, Y1, X1, end);
    CadLine(X2, Y2, X2, end);
    HorizontalDimensionLine(TDimTexts(Value, Upper, Lower), X1, X2, Yd);
}

void CadVerticalDimension(const std::string& Value, const std::string& Upper, const std::string& Lower,
                          Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Xd)
{
    const Extended s = Scale();
    CadSetLayer(DimensionLayer);
    const Extended end = X1 > Xd ? Xd - s : Xd + s;
    CadLine(X1, Y1, end, Y1);
    CadLine(X2, Y2, end, Y2);
    VerticalDimensionLine(TDimTexts(Value, Upper, Lower), Y1, Y2, Xd);
}

void CadArcToleranceDimension(const std::string& Value, const std::string& Upper, const std::string& Lower,
                              Extended Cx, Extended Cy, Extended A1, Extended A2, Extended R, int Mode)
{
    const Extended s = Scale();
    const Extended p1x = Cx + R * std::cos(DegToRad(A1)), p1y = Cy + R * std::sin(DegToRad(A1));
    const Extended p2x = Cx + R * std::cos(DegToRad(A2)), p2y = Cy + R * std::sin(DegToRad(A2));
    CadSetLayer(DimensionLayer);
    CadLine(Cx, Cy, p1x, p1y);
    CadLine(Cx, Cy, p2x, p2y);
    const Extended m = (A1 + A2) / 2;
    ArcDimensionTexts(TDimTexts(Value, Upper, Lower), Cx + R * std::cos(DegToRad(m)),
                      Cy + R * std::sin(DegToRad(m)), m + 90, Mode);
    CadArc(Cx, Cy, A1, A2, R);
    if (R * std::fabs(DegToRad(A2 - A1)) / s > 10) {
        Arrow(p1x, p1y, A1 + 90);
        Arrow(p2x, p2y, A2 - 90);
    } else {
        Arrow(p1x, p1y, A1 - 90);
        Arrow(p2x, p2y, A2 + 90);
    }
}

Extended UprightTextAngle(Extended Angle)
{
    // Reduced to one turn first: an angle of 600 is the direction of 240
    // and must turn upright like it.
    Angle = std::fmod(Angle, Extended(360));
    if (Angle < 0) Angle += 360;
    if (Angle >= 360) Angle = 0;
    if (Angle > 90 && Angle < 270) Angle -= 180;
    return Angle;
}

void CadCross(Extended X, Extended Y, Extended S)
{
    CadLine(X - S, Y, X + S, Y);
    CadLine(X, Y - S, X, Y + S);
}

void CadCircleChords(Extended X, Extended Y, Extended Rx, Extended Ry)
{
    CadMoveTo(X + Rx, Y);
    // The angle counts whole steps, so the 126th chord ends at 6.30 rad
    // whatever rounding the additions would have gathered.
    for (int k = 1;; ++k) {
        const Extended a = k * 0.05L;
        CadLineTo(X + Rx * std::cos(a), Y + Ry * std::sin(a));
        if (a >= 2 * Pi) break;
    }
}

void CadChamferedRectangle(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended C)
{
    if (X2 < X1) std::swap(X1, X2);
    if (Y2 < Y1) std::swap(Y1, Y2);
    CadBeginPolyline(1);
    CadPolylineVertex(X1 + C, Y1, 0);
    CadPolylineVertex(X2 - C, Y1, 0);
    CadPolylineVertex(X2, Y1 + C, 0);
    CadPolylineVertex(X2, Y2 - C, 0);
    CadPolylineVertex(X2 - C, Y2, 0);
    CadPolylineVertex(X1 + C, Y2, 0);
    CadPolylineVertex(X1, Y2 - C, 0);
    CadPolylineVertex(X1, Y1 + C, 0);
    CadPolylineVertex(X1 + C, Y1, 0);
    CadEndPolyline();
}
