// Self-aligning ball bearing (type 2) and the angular contact ball bearings
// with one row (type 8) and two rows (type 9).
#include "drawings/bearings/bearingdraw.h"

#include "drawings/bearings/bearingdrawparts.h"
#include "foundation/guardedmath.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <algorithm>
#include <cmath>

using namespace bearingdrawing;

namespace
{

// Included angle and half chord of the arc a ball of radius rw cuts into a
// land whose distance from the ball centre is rw - t; false when the land
// misses the ball (the ring then keeps a straight land there).
bool BallCut(Extended rw, Extended t, Extended& q, Extended& h)
{
    if (!(rw != 0)) return false;
    q = (rw - t) / rw;
    if (!(q >= -1 && q <= 1)) return false;
    h = std::sqrt(std::max(Extended(0), rw * rw - (rw - t) * (rw - t)));
    return true;
}

} // namespace

void DrawSelfAligningBallBearing(const TBearingDrawingData& b, int BoreLines)
{
    const Extended ri = b.d / 2, ra = b.D / 2, r1 = b.d1 / 2, r2 = b.D1 / 2, B = b.B, rs = b.rs;
    const Extended rm = (ra + ri) / 2;
    const Extended absAlpha = std::fabs(b.alpha);
    if (absAlpha == 90 || absAlpha == 270) return;
    const Extended al = Rad(b.alpha);
    // Axial place of the first ball row; the balls stay inside the faces.
    const Extended e = B / 2 - std::tan(al) * rm;
    const Extended rw = 0.25L * (ra - ri) < e ? 0.25L * (ra - ri) : 0.95L * e;
    const Extended u = std::fabs(rw - (rm - r1));
    if (std::cos(al) == 0) return;
    const Extended Rs = rm / std::cos(al) + rw;
    const Extended g = 0.025L * B;
    CadSetLayer(5);
    if (BoreLines == 1) BoreLinesAt(B, ri + rs);
    if ((Rs + g) * Rs == 0) return;
    const Extended k = (B / 2 - g) / (Rs + g);
    if (!(k >= -1 && k <= 1)) return;
    const Extended xs = k * Rs + B / 2;
    const Extended ys = std::sin(std::acos(k)) * Rs;
    const Extended xs2 = B / 2 - k * Rs;
    const Extended Ye = std::sqrt(std::max(Extended(0), (Rs + g) * (Rs + g) - (B / 2 - g) * (B / 2 - g)));
    const Extended theta = PolarAngle(xs - (B - g), ys - Ye);
    const Extended f = 2 * PiL - theta;
    for (int half = 1; half <= 2; ++half) {
        const Extended s = PositiveIntPower(-1, half - 1);
        CadSetLayer(1);
        BallCross(e, s * rm, rw);
        BallCross(B - e, s * rm, rw);
        CadSetLayer(5);
        Line(0, s * ri, 0, s * (ra - rs));
        Line(B, s * ri, B, s * (ra - rs));
        Circle(B - e, s * rm, rw);
        if (rw == 0) return;
        if (2 * rw > B - 2 * e) {
            // The rows overlap: the part of the first ball behind the second
            // is hidden.
            const Extended c = (B / 2 - e) / rw;
            if (!(c >= -1 && c <= 1)) return;
            const Extended beta = Deg(std::acos(c));
            CadSetLayer(5);
            Arc(e, s * rm, beta, 360 - beta, rw);
            CadSetLayer(2);
            Arc(e, s * rm, 360 - beta, beta, rw);
            CadSetLayer(5);
        } else {
            Circle(e, s * rm, rw);
        }
        if (Rs == 0) return;
        TOutline outer;
        outer.Add(0, s * (r2 + g));
        outer.Add(0, s * (ra - rs), -s * HalfPi);
        outer.Add(rs, s * ra);
        outer.Add(B - rs, s * ra, -s * HalfPi);
        outer.Add(B, s * (ra - rs));
        outer.Add(B, s * Ye, -s * f);
        outer.Add(xs, s * ys, 2 * s * std::asin(std::clamp((xs - B / 2) / Rs, Extended(-1), Extended(1))));
        outer.Add(xs2, s * ys, -s * f);
        outer.Add(0, s * Ye);
        outer.Hatched(B / 10, 45);
        Extended q = 0, h = 0;
        if (!BallCut(rw, u, q, h)) return;
        TOutline inner;
        inner.Add(0, s * r1);
        inner.Add(0, s * (ri + rs), s * HalfPi);
        inner.Add(rs, s * ri);
        inner.Add(B - rs, s * ri, s * HalfPi);
        inner.Add(B, s * (ri + rs));
        inner.Add(B, s * r1);
        inner.Add(B - e + h, s * r1, -2 * s * std::acos(q));
        inner.Add(B - e - h, s * r1);
        inner.Add(e + h, s * r1, -2 * s * std::acos(q));
        inner.Add(e - h, s * r1);
        inner.Add(0, s * r1);
        inner.Hatched(B / 10, 45);
    }
}

void DrawAngularOuterRingUpper(Extended R, Extended rw, Extended rl, Extended rm, Extended c, Extended c2,
                               Extended w, Extended t)
{
    if (rw == 0) return;
    Extended q = 0, h = 0;
    const bool cut = BallCut(rw, t, q, h);
    CadSetLayer(5);
    TOutline o;
    o.Add(0, rl);
    o.Add(0, R - c, -HalfPi);
    o.Add(c, R);
    o.Add(w - c2, R, -HalfPi);
    o.Add(w, R - c2);
    o.Add(w, rm + rw);
    if (cut) {
        o.Add(w / 2, rm + rw, std::acos(q));
        o.Add(w / 2 - h, rl);
    } else {
        // No groove: a straight land below the ball's top.
        o.Add(w / 2, rm + rw);
        o.Add(w / 2, rl);
    }
    o.Add(0, rl);
    o.Hatched(0, -45);
}

void DrawAngularOuterRingLower(Extended R, Extended rw, Extended rl, Extended rm, Extended c, Extended c2,
                               Extended w, Extended t)
{
    SetHatchMode(1);
    Extended q = 0, h = 0;
    const bool cut = BallCut(rw, t, q, h);
    CadSetLayer(5);
    TOutline o;
    o.Add(0, -rl);
    o.Add(0, -R + c, HalfPi);
    o.Add(c, -R);
    o.Add(w - c2, -R, HalfPi);
    o.Add(w, -R + c2);
    o.Add(w, -(rm + rw));
    if (cut) {
        o.Add(w / 2, -(rm + rw), -std::acos(q));
        o.Add(w / 2 - h, -rl);
    } else {
        o.Add(w / 2, -(rm + rw));
        o.Add(w / 2, -rl);
    }
    o.Add(0, -rl);
    o.Hatched(0, -45);
}

void DrawAngularInnerRingUpper(Extended R, Extended rw, Extended rl, Extended rm, Extended c, Extended /*c2*/,
                               Extended w, Extended t)
{
    Extended q = 0, h = 0;
    const bool cut = BallCut(rw, t, q, h);
    CadSetLayer(5);
    TOutline o;
    o.Add(w, rl);
    o.Add(w, R + c, -HalfPi);
    o.Add(w - c, R);
    o.Add(c, R, -HalfPi);
    o.Add(0, R + c);
    o.Add(0, rm - rw);
    if (cut) {
        o.Add(w / 2, rm - rw, std::acos(q));
        o.Add(w / 2 + h, rl);
    } else {
        o.Add(w / 2, rm - rw);
        o.Add(w / 2, rl);
    }
    o.Add(w, rl);
    o.Hatched(0, -45);
}

void DrawAngularContactBallBearing(const TBearingDrawingData& b, int BoreLines)
{
    const Extended ri = b.d / 2, ra = b.D / 2, r1 = b.d1 / 2, r2 = b.D1 / 2, B = b.B, rs = b.rs;
    const Extended rm = (ra + ri) / 2;
    const Extended rw = RoundedBallRadius(MinExt(0.65L * (ra - ri), 0.85L * B));
    const Extended to = rw - (r2 - rm), ti = rw - (rm - r1);
    CadSetLayer(5);
    if (BoreLines == 1) BoreLinesAt(B, ri + rs);
    Circle(B / 2, rm, rw);
    Circle(B / 2, -rm, rw);
    for (Extended s : {Extended(1), Extended(-1)}) {
        Line(0, s * ri, 0, s * r2);
        Line(B, s * ri, B, s * (rm + rw));
    }
    CadSetLayer(1);
    BallCross(B / 2, rm, rw);
    BallCross(B / 2, -rm, rw);
    DrawAngularOuterRingUpper(ra, rw, r2, rm, rs, b.rs2, B, to);
    DrawAngularOuterRingLower(ra, rw, r2, rm, rs, b.rs2, B, to);
    DrawAngularInnerRingUpper(ri, rw, r1, rm, rs, b.rs2, B, ti);
    // The lower inner ring, the mirror image of the upper one.
    Extended q = 0, h = 0;
    const bool cut = BallCut(rw, ti, q, h);
    CadSetLayer(5);
    TOutline o;
    o.Add(B, -r1);
    o.Add(B, -(ri + rs), HalfPi);
    o.Add(B - rs, -ri);
    o.Add(rs, -ri, HalfPi);
    o.Add(0, -(ri + rs));
    o.Add(0, -(rm - rw));
    if (cut) {
        o.Add(B / 2, -(rm - rw), -std::acos(q));
        o.Add(B / 2 + h, -r1);
    } else {
        o.Add(B / 2, -(rm - rw));
        o.Add(B / 2, -r1);
    }
    o.Add(B, -r1);
    o.Hatched(0, -45);
    SetHatchMode(1);
}

void DrawAngularContactBallBearing2(const TBearingDrawingData& b, int BoreLines)
{
    const Extended ri = b.d / 2, ra = b.D / 2, r1 = b.d1 / 2, r2 = b.D1 / 2, B = b.B, rs = b.rs;
    const Extended rm = (ra + ri) / 2;
    const Extended rw = RoundedBallRadius(MinExt(0.65L * (ra - ri), 0.4L * B));
    const Extended a = B / 4, bb = B - B / 4;
    // Grooves: a land farther from the ball centre than the ball radius
    // gets none.
    Extended qi = 0, hi = 0, qo = 0, ho = 0;
    const bool cutI = BallCut(rw, rw - (rm - r1), qi, hi);
    const bool cutO = BallCut(rw, rw - (r2 - rm), qo, ho);
    const Extended phiI = 2 * std::acos(qi), phiO = 2 * std::acos(qo);
    CadSetLayer(5);
    if (BoreLines == 1) BoreLinesAt(B, ri + rs);
    for (Extended s : {Extended(1), Extended(-1)}) {
        Circle(a, s * rm, rw);
        Circle(bb, s * rm, rw);
    }
    for (Extended s : {Extended(1), Extended(-1)}) {
        Line(0, s * ri, 0, s * r2);
        Line(B, s * ri, B, s * (rm + rw));
    }
    CadSetLayer(1);
    for (Extended s : {Extended(1), Extended(-1)}) {
        BallCross(a, s * rm, rw);
        BallCross(bb, s * rm, rw);
    }
    CadSetLayer(5);
    SetHatchMode(1);
    for (Extended s : {Extended(1), Extended(-1)}) {
        TOutline o;
        o.Add(0, s * r2);
        o.Add(0, s * (ra - rs), -s * HalfPi);
        o.Add(rs, s * ra);
        o.Add(B - rs, s * ra, -s * HalfPi);
        o.Add(B, s * (ra - rs));
        o.Add(B, s * r2);
        if (cutO) {
            o.Add(bb + ho, s * r2, s * phiO);
            o.Add(bb - ho, s * r2);
            o.Add(a + ho, s * r2, s * phiO);
            o.Add(a - ho, s * r2);
        }
        o.Add(0, s * r2);
        o.Hatched(0, -45);
    }
    for (Extended s : {Extended(1), Extended(-1)}) {
        TOutline o;
        o.Add(B, s * r1);
        o.Add(B, s * (ri + rs), -s * HalfPi);
        o.Add(B - rs, s * ri);
        o.Add(rs, s * ri, -s * HalfPi);
        o.Add(0, s * (ri + rs));
        o.Add(0, s * r1);
        if (cutI) {
            o.Add(a - hi, s * r1, s * phiI);
            o.Add(a + hi, s * r1);
            o.Add(bb - hi, s * r1, s * phiI);
            o.Add(bb + hi, s * r1);
        }
        o.Add(B, s * r1);
        o.Hatched(0, -45);
    }
    SetHatchMode(1);
}
