#include "drawings/bearings/bearingdraw.h"

#include "drawings/bearings/bearingdrawparts.h"
#include "foundation/guardedmath.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <algorithm>

using namespace bearingdrawing;

namespace bearingdrawing
{

bool Finite(std::initializer_list<Extended> Values)
{
    return std::all_of(Values.begin(), Values.end(), [](Extended v) { return std::isfinite(v); });
}

void Line(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    if (Finite({X1, Y1, X2, Y2})) CadLine(X1, Y1, X2, Y2);
}

void Circle(Extended X, Extended Y, Extended R)
{
    if (Finite({X, Y, R}) && R > 0) CadCircle(X, Y, R);
}

void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    if (Finite({X, Y, Start, End, R}) && R > 0) CadArc(X, Y, Start, End, R);
}

void HatchPoint(Extended X, Extended Y)
{
    if (Finite({X, Y})) AddHatchPoint(X, Y);
}

void HatchArc(int N, Extended Cx, Extended Cy, Extended R, Extended T1, Extended T2)
{
    if (Finite({Cx, Cy, R, T1, T2})) AddHatchArc(N, Cx, Cy, R, T1, T2);
}

THatchLinesOnly::THatchLinesOnly() : modeOne_(hatchstate.HatchMode == 1)
{
    if (modeOne_) SetHatchMode(2);
}

THatchLinesOnly::~THatchLinesOnly()
{
    if (modeOne_) SetHatchMode(1);
}

void TOutline::Add(Extended X, Extended Y, Extended A)
{
    if (!Finite({X, Y})) return;
    v_.push_back({X, Y, std::isfinite(A) ? A : 0});
}

std::vector<TOutline::TVertex> TOutline::Closed() const
{
    std::vector<TVertex> v = v_;
    if (v.size() < 2) return {};
    if (v.back().x != v.front().x || v.back().y != v.front().y) v.push_back({v.front().x, v.front().y, 0});
    v.back().a = 0;
    // A corner radius of 0 leaves a rounding between two equal points: a
    // straight (empty) edge, which has no arc centre to ask for.
    for (size_t i = 0; i + 1 < v.size(); ++i)
        if (v[i].x == v[i + 1].x && v[i].y == v[i + 1].y) v[i].a = 0;
    return v;
}

void TOutline::Polyline() const
{
    const auto v = Closed();
    if (v.empty()) return;
    CadBeginPolyline();
    for (const auto& p : v)
        CadPolylineVertex(p.x, p.y, p.a);
    CadEndPolyline();
}

void TOutline::Hatched(Extended Spacing, Extended Angle) const
{
    const auto v = Closed();
    if (v.empty()) return;
    CadSetLayer(5);
    // The hatcher collects the outline; the polyline with its arcs is drawn
    // here beside it.
    BeginHatch();
    for (const auto& p : v) {
        CadPolylineVertex(p.x, p.y, p.a);
        AddHatchVertex(p.x, p.y, p.a);
    }
    THatchLinesOnly linesOnly;
    EndHatch(0, std::isfinite(Spacing) ? Spacing : 0, Angle);
}

void BoreLinesAt(Extended B, Extended Y)
{
    CadSetLayer(5);
    Line(0, -Y, 0, Y);
    Line(B, -Y, B, Y);
}

void BallCross(Extended X, Extended Y, Extended rw)
{
    Line(X - rw / 2, Y, X + rw / 2, Y);
    Line(X, Y - rw / 2, X, Y + rw / 2);
}

Extended RoundedBallRadius(Extended m)
{
    return Round(5 * m) / 10;
}

void TRoller::Arcs() const
{
    CadSetLayer(5);
    Arc(xa + k, yhi - k, 90, 180, k);
    Arc(xb - k, yhi - k, 0, 90, k);
    Arc(xb - k, ylo + k, 270, 360, k);
    Arc(xa + k, ylo + k, 180, 270, k);
    Arc(xa + k, -(yhi - k), 180, 270, k);
    Arc(xb - k, -(yhi - k), 270, 360, k);
    Arc(xb - k, -(ylo + k), 0, 90, k);
    Arc(xa + k, -(ylo + k), 90, 180, k);
}

void TRoller::CentreLine(Extended s) const
{
    CadSetLayer(1);
    const Extended y = s * (ylo + yhi) / 2;
    Line(xa - overhang, y, xb + overhang, y);
}

void TRoller::Edges(Extended s) const
{
    CadSetLayer(5);
    Line(xa, s * (ylo + k), xa, s * (yhi - k));
    Line(xa + k, s * yhi, xb - k, s * yhi);
    Line(xb, s * (yhi - k), xb, s * (ylo + k));
    Line(xb - k, s * ylo, xa + k, s * ylo);
}

} // namespace bearingdrawing

TBearingDrawingData BearingDrawingData(const WaelzLagerTyp& R)
{
    // The catalogue copy keeps the drawn values in its general fields:
    // the ring chamfer rs in CatValue2 and the second corner rs2 in
    // CatValue7 for every type; the taper roller bearing's total width T in
    // CatValue6 (its B is the cone width) and its cup width in CatValue8.
    // No table has the small back-face corner: 0 lets the drawing derive it.
    TBearingDrawingData b;
    b.TypeCode = R.BearingType;
    b.Designation = R.Designation;
    b.D = R.D;
    b.d = R.d;
    b.B = R.B;
    b.rs = R.CatValue2;
    b.rs2 = R.CatValue7;
    b.rs3 = 0;
    b.d1 = R.d1;
    b.D1 = R.D1;
    b.alpha = R.alpha;
    if (R.BearingType == 6) {
        b.T = R.CatValue6;
        b.OuterRingWidth = R.CatValue8;
    }
    return b;
}

Extended PositiveIntPower(Extended x, int k)
{
    Extended r = 1;
    for (int i = 1; i <= k; ++i)
        r *= x;
    return r;
}

int CylindricalRollerDesign(const std::string& Designation)
{
    const std::string u = UpperCaseText(Designation);
    if (u.rfind("NU", 0) == 0) return u.rfind("NUP", 0) == 0 ? 4 : 1;
    if (u.rfind("NJ", 0) == 0) return 3;
    return 2;
}

namespace
{

// Every way out of BearingDraw (a type that ends early at a degenerate
// value, Aborted from the hatcher) leaves the hatcher in its default mode;
// a mode of 2 left behind would take the outlines off later hatchings.
struct THatchModeReset {
    ~THatchModeReset() { SetHatchMode(1); }
};

} // namespace

void BearingDraw(const TBearingDrawingData& b, int BoreLines)
{
    THatchModeReset reset;
    switch (b.TypeCode) {
    case 1:
        DrawGrooveBallBearing(b, BoreLines);
        break;
    case 2:
        DrawSelfAligningBallBearing(b, BoreLines);
        break;
    case 3:
        DrawNeedleBush(b, BoreLines);
        break;
    case 4:
        DrawNeedleBearingNoInnerRing(b, BoreLines);
        break;
    case 5:
        DrawCylindricalRollerBearing(b, BoreLines);
        break;
    case 6:
        DrawTaperRollerBearing(b, BoreLines);
        break;
    case 7:
        DrawSphericalRollerBearing(b, BoreLines);
        break;
    case 8:
        DrawAngularContactBallBearing(b, BoreLines);
        break;
    case 9:
        DrawAngularContactBallBearing2(b, BoreLines);
        break;
    case 10:
        DrawNeedleCage(b, BoreLines);
        break;
    default:
        break;
    }
    CadSetLayer(19);
    CadSetTextStyle(2, 0, b.D / 35, 0.8L * b.D / 35);
    if (Finite({b.D})) CadText(b.Designation, 0, 0.51L * b.D);
}

void BearingDraw(const WaelzLagerTyp& R, int BoreLines)
{
    BearingDraw(BearingDrawingData(R), BoreLines);
}

void BearingDraw(int n, int BoreLines)
{
    if (n < 1 || n > 2) return;
    BearingDraw(PlanetBearings[n], BoreLines);
}

// --- groove ball bearing -------------------------------------------------

namespace
{

// The groove of a ring: half chord e and included angle of the arc for a
// ball of radius r cut t deep; false when no groove can be formed.
bool Groove(Extended r, Extended t, Extended& q, Extended& e)
{
    if (!(r != 0)) return false;
    q = (r - t) / r;
    if (!(q >= -1 && q <= 1)) return false;
    e = std::sqrt(std::max(Extended(0), r * r - (r - t) * (r - t)));
    return true;
}

} // namespace

void DrawGroovedRingAbove(Extended x0, Extended y0, Extended r, Extended c, Extended h, Extended w,
                          Extended t)
{
    if (r == 0) return;
    Extended q = 0, e = 0;
    const bool groove = Groove(r, t, q, e);
    CadSetLayer(5);
    TOutline o;
    o.Add(x0, y0);
    o.Add(x0, y0 + h - c, -HalfPi);
    o.Add(x0 + c, y0 + h);
    o.Add(x0 + w - c, y0 + h, -HalfPi);
    o.Add(x0 + w, y0 + h - c);
    o.Add(x0 + w, y0);
    if (groove) {
        o.Add(x0 + w / 2 + e, y0, 2 * std::acos(q));
        o.Add(x0 + w / 2 - e, y0);
    }
    o.Add(x0, y0);
    o.Polyline();
    ResetHatch();
    HatchPoint(x0, y0);
    HatchArc(5, x0 + c, y0 + h - c, c, PiL, HalfPi);
    HatchArc(5, x0 + w - c, y0 + h - c, c, HalfPi, 0);
    HatchPoint(x0 + w, y0);
    if (groove) HatchArc(10, x0 + w / 2, y0 - (r - t), r, std::asin(q), PiL - std::asin(q));
    THatchLinesOnly linesOnly;
    HatchCollected(0, w / 10, y0 >= 0 ? 45 : -45);
}

void DrawGroovedRingBelow(Extended x0, Extended y0, Extended r, Extended c, Extended h, Extended w,
                          Extended t)
{
    if (r == 0) return;
    if (r < t) t = r;
    Extended q = 0, e = 0;
    const bool groove = Groove(r, t, q, e);
    CadSetLayer(5);
    TOutline o;
    o.Add(x0, y0);
    o.Add(x0, y0 - h + c, HalfPi);
    o.Add(x0 + c, y0 - h);
    o.Add(x0 + w - c, y0 - h, HalfPi);
    o.Add(x0 + w, y0 - h + c);
    o.Add(x0 + w, y0);
    if (groove) {
        o.Add(x0 + w / 2 + e, y0, -2 * std::acos(q));
        o.Add(x0 + w / 2 - e, y0);
    }
    o.Add(x0, y0);
    o.Polyline();
    ResetHatch();
    HatchPoint(x0, y0);
    HatchArc(5, x0 + c, y0 - h + c, c, PiL, 3 * HalfPi);
    HatchArc(5, x0 + w - c, y0 - h + c, c, 3 * HalfPi, 2 * PiL);
    HatchPoint(x0 + w, y0);
    if (groove) HatchArc(10, x0 + w / 2, y0 + (r - t), r, 2 * PiL - std::asin(q), PiL + std::asin(q));
    THatchLinesOnly linesOnly;
    HatchCollected(0, w / 10, y0 >= 0 ? -45 : 45);
}

void DrawGrooveBallBearing(const TBearingDrawingData& b, int BoreLines)
{
    const Extended ri = b.d / 2, ra = b.D / 2, r1 = b.d1 / 2, r2 = b.D1 / 2, B = b.B;
    const Extended rm = (ra + ri) / 2;
    const Extended rw = RoundedBallRadius(MinExt(0.65L * (ra - ri), 0.85L * B));
    const Extended to = rw - (r2 - rm), ti = rw - (rm - r1);
    CadSetLayer(5);
    if (BoreLines == 1) BoreLinesAt(B, ri + b.rs);
    Circle(B / 2, rm, rw);
    Circle(B / 2, -rm, rw);
    Line(0, ri, 0, r2);
    Line(B, ri, B, r2);
    Line(0, -ri, 0, -r2);
    Line(B, -ri, B, -r2);
    CadSetLayer(1);
    BallCross(B / 2, rm, rw);
    BallCross(B / 2, -rm, rw);
    DrawGroovedRingAbove(0, r2, rw, b.rs, ra - r2, B, to);
    if (telmvar.Aborted) return;
    DrawGroovedRingBelow(0, r1, rw, b.rs, r1 - ri, B, ti);
    if (telmvar.Aborted) return;
    DrawGroovedRingAbove(0, -r1, rw, b.rs, r1 - ri, B, ti);
    if (telmvar.Aborted) return;
    DrawGroovedRingBelow(0, -r2, rw, b.rs, ra - r2, B, to);
}
