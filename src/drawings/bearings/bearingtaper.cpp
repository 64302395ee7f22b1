// Taper roller bearing (type 6) and self-aligning (spherical) roller
// bearing (type 7): the rolling element is built from the bearing's angle
// and placed by construction points.
#include "drawings/bearings/bearingdraw.h"

#include "drawings/bearings/bearingdrawparts.h"
#include "foundation/guardedmath.h"
#include "foundation/planegeo.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <algorithm>
#include <cmath>

using namespace bearingdrawing;

namespace
{

struct P2 {
    Extended x = 0, y = 0;
};

P2 operator+(P2 a, P2 b)
{
    return {a.x + b.x, a.y + b.y};
}
P2 operator-(P2 a, P2 b)
{
    return {a.x - b.x, a.y - b.y};
}
P2 operator*(Extended k, P2 a)
{
    return {k * a.x, k * a.y};
}
P2 Dir(Extended a)
{
    return {std::cos(a), std::sin(a)};
}

// A cosine that is 0 in the drawing's sense: the tangent would be infinite.
bool Vertical(Extended a)
{
    return std::fabs(std::cos(a)) < 1e-15L;
}

} // namespace

void DrawTaperRollerBearing(const TBearingDrawingData& b, int BoreLines)
{
    const Extended ri = b.d / 2, ra = b.D / 2, r1 = b.d1 / 2;
    const Extended B = b.B, T = b.T, C = b.OuterRingWidth, rs = b.rs, rs2 = b.rs2;
    const Extended al = Rad(b.alpha), a2 = Rad(b.alpha - 2), a4 = Rad(b.alpha - 4);
    if (Vertical(al) || Vertical(a2) || Vertical(a4) || Vertical((al + a4) / 2)) return;
    const Extended a = 0.05L * C / std::cos(al);
    const Extended L = C / std::cos(al) - 2 * a;
    const Extended yi = ri + 0.15L * (ra - ri), yo = ra - 0.15L * (ra - ri);
    const Extended rr = 0.02L * (ra - ri) + 0.4L;
    const Extended c3 = b.rs3 != 0 ? b.rs3 : 0.07L * MinExt((b.D - b.d) / 2, T);
    const Extended c4 = 0.07L * MinExt(T, (b.D - b.d) / 2);
    // Sharp corners of the roller: outer side on the cup raceway through
    // (C, yo) at alpha, small end face square to the axis at alpha - 2, inner
    // side at alpha - 4.
    const P2 p12{C - a * std::cos(al), yo - a * std::sin(al)};
    const P2 p13{C - (a + L) * std::cos(al), yo - (a + L) * std::sin(al)};
    const P2 p14{p13.x + std::tan(a2) * (p13.y - yi), yi};
    const P2 face = p12 + P2{-std::sin(a2), std::cos(a2)};
    const P2 side = p14 + Dir(a4);
    P2 p15;
    if (!LineIntersection(p15.x, p15.y, p12.x, p12.y, face.x, face.y, p14.x, p14.y, side.x, side.y)) return;
    const P2 p16 = 0.5L * (p13 + p14);
    // Centres of the corner roundings, on the corner bisectors.
    const Extended k46 = rr / std::cos(Rad(46)), k44 = rr / std::cos(Rad(44));
    const P2 p8 = p12 - k46 * Dir(al + Rad(44));
    const P2 p9 = p13 + k44 * P2{std::sin(al + Rad(44)), -std::cos(al + Rad(44))};
    const P2 p10 = p14 + k44 * Dir(a2 + Rad(44));
    const P2 p11 = p15 + k46 * P2{-std::sin(a2 + Rad(46)), std::cos(a2 + Rad(46))};
    const P2 p0 = p8 + rr * Dir(a2);
    const P2 p1 = p8 + rr * P2{-std::sin(al), std::cos(al)};
    const P2 p2 = p9 + rr * P2{-std::sin(al), std::cos(al)};
    const P2 p3 = p9 - rr * Dir(a2);
    const P2 p4 = p10 - rr * Dir(a2);
    const P2 p5 = p10 + rr * P2{std::sin(a4), -std::cos(a4)};
    const P2 p6 = p11 + rr * P2{std::sin(a4), -std::cos(a4)};
    const P2 p7 = p11 + rr * Dir(a2);
    const Extended A = b.alpha, A2 = b.alpha - 2, A4 = b.alpha - 4;

    CadSetLayer(5);
    if (BoreLines == 1) {
        Line(0, -ri, 0, ri);
        Line(T - B, -(ri + c3), T - B, ri + c3);
        Line(T, -(ri + rs), T, ri + rs);
    }
    Arc(p8.x, p8.y, A2, A + 90, rr);
    Arc(p9.x, p9.y, A + 90, A2 + 180, rr);
    Arc(p10.x, p10.y, A2 + 180, A4 + 270, rr);
    Arc(p11.x, p11.y, A4 + 270, A2, rr);
    Arc(p8.x, -p8.y, 270 - A, -A2, rr);
    Arc(p9.x, -p9.y, 180 - A2, 270 - A, rr);
    Arc(p10.x, -p10.y, 90 - A4, 180 - A2, rr);
    Arc(p11.x, -p11.y, -A2, 90 - A4, rr);

    const Extended mid = std::tan((al + a4) / 2);
    const Extended hc = p2.y - std::tan(a4) * p2.x + (std::sin(a4) * rs2 + rs2) * std::tan(a4);
    const Extended xL = p15.x - std::sin(a2) * (r1 - p15.y);
    const Extended hb = 0.11L * (ra - ri);
    const Extended hf = p5.y - std::tan(a4) * p5.x + std::tan(a4) * (T - B) + hb / 2;
    for (int half = 1; half <= 2; ++half) {
        const Extended s = PositiveIntPower(-1, half - 1);
        CadSetLayer(1);
        Line(p13.x, s * (p16.y + mid * (p13.x - p16.x)), p15.x, s * (p16.y + mid * (p15.x - p16.x)));
        CadSetLayer(5);
        Line(0, s * ri, 0, s * (ra - c4));
        Line(T, s * ri, T, s * (ri + c4));
        Line(p1.x, s * p1.y, p2.x, s * p2.y);
        Line(p3.x, s * p3.y, p4.x, s * p4.y);
        Line(p5.x, s * p5.y, p6.x, s * p6.y);
        Line(p7.x, s * p7.y, p0.x, s * p0.y);
        TOutline cup;
        cup.Add(0, s * (std::cos(a4) * rs2 + hc));
        cup.Add(0, s * (ra - c4), -s * HalfPi);
        cup.Add(c4, s * ra);
        cup.Add(C - c3, s * ra, -s * HalfPi);
        cup.Add(C, s * (ra - c3));
        cup.Add(C, s * yo);
        cup.Add(rs2 * (1 + std::sin(a4)), s * hc, -s * (a4 + HalfPi));
        cup.Add(0, s * (std::cos(a4) * rs2 + hc));
        cup.Hatched(C / 10, 45);
        TOutline cone;
        cone.Add(xL, s * r1);
        cone.Add(T - rs, s * r1, -s * HalfPi);
        cone.Add(T, s * (r1 - rs));
        cone.Add(T, s * (ri + rs), -s * HalfPi);
        cone.Add(T - rs, s * ri);
        cone.Add(T - B + c3, s * ri, -s * HalfPi);
        cone.Add(T - B, s * (ri + c3));
        cone.Add(T - B, s * hf);
        cone.Add(p14.x - std::sin(a2) * hb / 2, s * (p14.y + std::cos(a2) * hb / 2));
        cone.Add(p4.x, s * p4.y, s * HalfPi);
        cone.Add(p5.x, s * p5.y);
        cone.Add(p6.x, s * p6.y, s * HalfPi);
        cone.Add(p7.x, s * p7.y);
        cone.Add(xL, s * r1);
        cone.Hatched(C / 10, 45);
    }
}

void DrawSphericalRollerBearing(const TBearingDrawingData& b, int BoreLines)
{
    const Extended ri = b.d / 2, ra = b.D / 2, r1 = b.d1 / 2, r2 = b.D1 / 2, B = b.B, rs = b.rs;
    const Extended g = B <= 33.33L ? 0.5L : 0.015L * B;
    const Extended rm = (ra + ri) / 2, hr = (ra - ri) / 2;
    const Extended al = Rad(b.alpha);
    if (Vertical(al)) return;
    const Extended Rs = rm / std::cos(al) + hr / 2;
    Extended l = 0.19L * B;
    // The inner raceways: circles of radius Rs about Ci and its mirror image.
    const P2 ci{B / 2 - std::sin(al) * (2 * Rs - hr), std::cos(al) * (2 * Rs - hr)};
    const P2 ci2{B / 2 + std::sin(al) * (2 * Rs - hr), ci.y};
    // Where the first circle meets the face x = 0 (the lower point); when
    // the face misses it, the inner ring keeps a straight land.
    const Extended sinPsi = Rs != 0 ? ci.x / Rs : 2;
    const bool faceMeets = sinPsi >= -1 && sinPsi <= 1;
    const Extended psi = faceMeets ? std::asin(sinPsi) : 0;
    const Extended hF = ci.y - Rs * std::cos(psi);

    CadSetLayer(5);
    if (BoreLines == 1) BoreLinesAt(B, ri + rs);
    if (Rs + g == 0) return;
    const Extended k = (B / 2 - g) / (Rs + g);
    if (!(k >= -1 && k <= 1)) return;
    const Extended xs = k * Rs + B / 2;
    const Extended ys = std::sin(std::acos(k)) * Rs;
    const Extended xs2 = B / 2 - k * Rs;
    const Extended Ye = std::sqrt(std::max(Extended(0), (Rs + g) * (Rs + g) - (B / 2 - g) * (B / 2 - g)));

    // The barrel roller of the first row.
    if (!(Rs * Rs >= l * l)) return;
    const P2 M{B / 2 - std::sin(al) * (Rs - hr / 2), rm};
    const P2 up{-std::sin(al), std::cos(al)};
    // A roller of 0.19 B half-length tilted by a large angle in a narrow
    // bearing would reach past a side face (22214: 0.23 mm); it is
    // shortened until its corners lie within the faces.
    auto fits = [&](Extended len) {
        const Extended wl = hr / 2 - (Rs - std::sqrt(Rs * Rs - len * len));
        for (Extended sl : {len, -len})
            for (Extended sw : {wl, -wl}) {
                const P2 c = M + sl * Dir(al) + sw * up;
                if (!(c.x >= 0 && c.x <= B)) return false;
            }
        return true;
    };
    if (!fits(l)) {
        Extended lo = 0, hi = l;
        for (int i = 0; i < 60; ++i) {
            const Extended mid = (lo + hi) / 2;
            (fits(mid) ? lo : hi) = mid;
        }
        l = lo;
    }
    const P2 E1 = M + l * Dir(al), E2 = M - l * Dir(al);
    const Extended w = hr / 2 - (Rs - std::sqrt(Rs * Rs - l * l));
    const P2 K1 = E1 + w * up, K2 = E2 + w * up, K3 = E2 - w * up, K4 = E1 - w * up;
    const Extended phiRoller = 2 * std::asin(std::clamp(l / Rs, Extended(-1), Extended(1)));
    if (E1.x == E2.x) return;
    const Extended slope = (E1.y - E2.y) / (E1.x - E2.x);
    const Extended h0 = E2.y - slope * E2.x;

    // The inner ring reaches the roller corner nearest to it.
    const P2 Mc = K4;
    const Extended chord = std::hypot(Mc.x, Mc.y - hF) / 2 / Rs;
    const bool raceway = faceMeets && chord >= -1 && chord <= 1;
    const Extended phiI = raceway ? 2 * std::asin(chord) : 0;
    const Extended land = r1 != 0 ? r1 : rm - hr / 2;
    const Extended sinYs = std::clamp(ys / Rs, Extended(-1), Extended(1));
    const Extended theta1 = PolarAngle(xs - (B - g), ys - (r2 + g));
    const Extended theta2 = PolarAngle(xs2 - g, ys - (r2 + g));

    for (int half = 1; half <= 2; ++half) {
        const Extended s = PositiveIntPower(-1, half - 1);
        CadSetLayer(1);
        if (Finite({h0, slope})) {
            CadMoveTo(0, s * h0);
            CadLineTo(B / 2, s * (slope * B / 2 + h0));
            CadLineTo(B, s * h0);
        }
        CadSetLayer(5);
        Line(0, s * (ri + rs), 0, s * (ra - rs));
        Line(B, s * (ri + rs), B, s * (ra - rs));
        for (int row = 1; row <= 2; ++row) {
            // The second row is the mirror image about x = B/2.
            auto X = [&](Extended x) { return row == 1 ? x : B - x; };
            const Extended turn = row == 1 ? -s * phiRoller : s * phiRoller;
            TOutline r;
            r.Add(X(K1.x), s * K1.y, turn);
            r.Add(X(K2.x), s * K2.y);
            r.Add(X(K3.x), s * K3.y, turn);
            r.Add(X(K4.x), s * K4.y);
            r.Add(X(K1.x), s * K1.y);
            r.Polyline();
        }
        TOutline outer;
        outer.Add(0, s * (r2 + g));
        outer.Add(0, s * (ra - rs), -s * HalfPi);
        outer.Add(rs, s * ra);
        outer.Add(B - rs, s * ra, -s * HalfPi);
        outer.Add(B, s * (ra - rs));
        outer.Add(B, s * Ye, -s * (PiL - std::acos(k)));
        outer.Add(xs, s * ys, 2 * s * std::asin(std::clamp((xs - B / 2) / Rs, Extended(-1), Extended(1))));
        outer.Add(xs2, s * ys, -s * (PiL - std::acos(k)));
        outer.Add(0, s * Ye);
        outer.Polyline();
        SetHatchMode(2);
        ResetHatch();
        HatchArc(3, rs, s * (ra - rs), rs, s * PiL, s * HalfPi);
        HatchArc(3, B - rs, s * (ra - rs), rs, s * HalfPi, 0);
        HatchArc(3, B - g, s * (r2 + g), g, 0, -s * (2 * PiL - theta1));
        HatchArc(6, B / 2, 0, Rs, s * std::asin(sinYs), s * (PiL - std::asin(sinYs)));
        HatchArc(3, g, s * (r2 + g), g, s * theta2, -s * PiL);
        HatchCollected(0, B / 10, 45);

        SetHatchMode(2);
        ResetHatch();
        HatchArc(3, rs, s * (ri + rs), rs, -s * HalfPi, -s * PiL);
        if (raceway) {
            HatchArc(5, ci.x, s * ci.y, Rs, s * (3 * HalfPi - psi), s * (3 * HalfPi - psi + phiI));
            HatchArc(5, ci2.x, s * ci2.y, Rs, s * (3 * HalfPi + psi - phiI), s * (3 * HalfPi + psi));
        } else {
            HatchPoint(0, s * land);
            HatchPoint(B, s * land);
        }
        HatchArc(3, B - rs, s * (ri + rs), rs, 0, -s * HalfPi);
        HatchCollected(0, B / 10, -45);
        SetHatchMode(1);
        CadSetLayer(5);
        TOutline inner;
        inner.Add(0, s * (ri + rs));
        if (raceway) {
            inner.Add(0, s * hF, s * phiI);
            inner.Add(Mc.x, s * Mc.y);
            inner.Add(B - Mc.x, s * Mc.y, s * phiI);
            inner.Add(B, s * hF);
        } else {
            inner.Add(0, s * land);
            inner.Add(B, s * land);
        }
        inner.Add(B, s * (ri + rs), -s * HalfPi);
        inner.Add(B - rs, s * ri);
        inner.Add(rs, s * ri, -s * HalfPi);
        inner.Add(0, s * (ri + rs));
        inner.Polyline();
    }
}
