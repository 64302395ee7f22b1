#include "foundation/planegeo.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"

#include <cmath>
#include <numbers>

namespace
{

constexpr Extended kPi = std::numbers::pi_v<Extended>;

void Warn(const std::string& text)
{
    if (!wtelmvar.HideWarnings) AddErrorMessage(text);
}

bool ArcCenter(Extended& Xc, Extended& Yc, Extended& PhiStart, Extended X1, Extended Y1, Extended X2,
               Extended Y2, Extended Dphi, Extended& PhiEnd, Extended& R, bool swapForNegative)
{
    if (std::sin(Dphi / 2) == 0) {
        Warn("Fehler in GetArcCenter (dphi = " + FloatToSignificant(Dphi) + " ! ");
        return false;
    }
    const Extended dx = X2 - X1;
    const Extended dy = Y2 - Y1;
    const Extended l = Hypotenuse(dy, dx);
    const Extended mx = (X1 + X2) / 2;
    const Extended my = (Y1 + Y2) / 2;
    // A half circle has its centre on the chord.
    const Extended h = std::sin(Dphi) != 0 ? (l / 2) / std::tan(Dphi / 2) : 0;
    R = std::fabs((l / 2) / std::sin(Dphi / 2));
    if (l == 0) {
        if (!swapForNegative) Warn("GetArcCenter l12=0");
        Xc = mx;
        Yc = my;
    } else {
        Xc = mx - dy * h / l;
        Yc = my + dx * h / l;
    }
    const Extended a1 = PolarAngle(X1 - Xc, Y1 - Yc);
    const Extended a2 = PolarAngle(X2 - Xc, Y2 - Yc);
    if (swapForNegative && Dphi < 0) {
        PhiStart = a2;
        PhiEnd = a1;
    } else {
        PhiStart = a1;
        PhiEnd = a2;
    }
    return true;
}

} // namespace

Extended Det2(Extended A, Extended B, Extended C, Extended D)
{
    return A * D - B * C;
}

bool SolveLinear2(Extended& X, Extended& Y, Extended A1, Extended B1, Extended C1, Extended A2, Extended B2,
                  Extended C2)
{
    const Extended d = Det2(A1, B1, A2, B2);
    if (d == 0) {
        X = 0;
        Y = 0;
        return false;
    }
    X = Det2(C1, B1, C2, B2) / d;
    Y = Det2(A1, C1, A2, C2) / d;
    return true;
}

bool LineIntersection(Extended& X, Extended& Y, Extended X1, Extended Y1, Extended X2, Extended Y2,
                      Extended X3, Extended Y3, Extended X4, Extended Y4)
{
    // P1 + t·(P2 - P1) = P3 + s·(P4 - P3)
    Extended t = 0;
    Extended s = 0;
    const bool found = SolveLinear2(t, s, X2 - X1, X3 - X4, X3 - X1, Y2 - Y1, Y3 - Y4, Y3 - Y1);
    X = X1 + t * (X2 - X1);
    Y = Y1 + t * (Y2 - Y1);
    return found;
}

bool IsBetween(Extended X, Extended A, Extended B)
{
    if ((A <= X && X <= B) || (B <= X && X <= A)) return true;
    return std::fabs(A - B) < 1e-12L && std::fabs(X - B) < 1e-12L;
}

bool SegmentIntersection(Extended& X, Extended& Y, Extended X1, Extended Y1, Extended X2, Extended Y2,
                         Extended X3, Extended Y3, Extended X4, Extended Y4)
{
    if (!LineIntersection(X, Y, X1, Y1, X2, Y2, X3, Y3, X4, Y4)) return false;
    return IsBetween(X, X1, X2) && IsBetween(Y, Y1, Y2) && IsBetween(X, X3, X4) && IsBetween(Y, Y3, Y4);
}

void RotateAboutPoint(Extended& X2, Extended& Y2, Extended X, Extended Y, Extended Xc, Extended Yc,
                      Extended Phi)
{
    Extended rx = 0;
    Extended ry = 0;
    RotatePoint(rx, ry, X - Xc, Y - Yc, Phi);
    X2 = Xc + rx;
    Y2 = Yc + ry;
}

Extended AngleFromSides(Extended B, Extended C, Extended A)
{
    if (B == 0 || C == 0) return 0;
    return SafeArcCos((B * B + C * C - A * A) / (2 * B * C));
}

bool GetArcCenter(Extended& Xc, Extended& Yc, Extended& PhiStart, Extended X1, Extended Y1, Extended X2,
                  Extended Y2, Extended Dphi, Extended& PhiEnd, Extended& R)
{
    return ArcCenter(Xc, Yc, PhiStart, X1, Y1, X2, Y2, Dphi, PhiEnd, R, true);
}

bool GetArcCenterNoSwap(Extended& Xc, Extended& Yc, Extended& PhiStart, Extended X1, Extended Y1, Extended X2,
                        Extended Y2, Extended Dphi, Extended& PhiEnd, Extended& R)
{
    return ArcCenter(Xc, Yc, PhiStart, X1, Y1, X2, Y2, Dphi, PhiEnd, R, false);
}

void SolveQuadratic(Extended& X1, Extended& X2, bool& Failed, Extended A, Extended B, Extended C)
{
    Failed = false;
    if (A == 0) {
        // Dividing by 2A would give infinities: what is left is linear.
        if (B == 0) {
            X1 = X2 = 0;
            Failed = true;
        } else {
            X1 = X2 = -C / B;
        }
        return;
    }
    const Extended d = B * B - 4 * A * C;
    if (d < 0) {
        X1 = X2 = 0;
        Failed = true;
        return;
    }
    const Extended root = std::sqrt(d);
    X1 = (-B + root) / (2 * A);
    X2 = (-B - root) / (2 * A);
}

void LineCircleIntersection(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Xm, Extended Ym,
                            Extended R, Extended& XA, Extended& YA, Extended& XB, Extended& YB, bool& Failed)
{
    Failed = false;
    if (X1 == X2) {
        XA = XB = X1;
        const Extended u = X1 - Xm;
        const Extended w = R * R - u * u;
        if (w < 0) {
            YA = YB = 0;
            Failed = true;
            return;
        }
        YA = Ym + std::sqrt(w);
        YB = Ym - std::sqrt(w);
        return;
    }
    const Extended m = (Y1 - Y2) / (X1 - X2);
    const Extended q = Y1 - m * X1;
    const Extended qm = q - Ym;
    SolveQuadratic(XA, XB, Failed, m * m + 1, 2 * (qm * m - Xm), qm * qm + Xm * Xm - R * R);
    if (Failed) {
        YA = YB = 0;
        return;
    }
    YA = m * XA + q;
    YB = m * XB + q;
}

bool RayIntersection(Extended& X, Extended& Y, Extended X1, Extended Y1, Extended Angle1, Extended X2,
                     Extended Y2, Extended Angle2)
{
    X = 0;
    Y = 0;
    return LineIntersection(X, Y, X1, Y1, X1 + 100 * std::cos(Angle1), Y1 + 100 * std::sin(Angle1), X2, Y2,
                            X2 + 100 * std::cos(Angle2), Y2 + 100 * std::sin(Angle2));
}

bool PointInRect(Extended X, Extended Y, Extended Xmin, Extended Ymin, Extended Xmax, Extended Ymax)
{
    return Xmin <= X && X <= Xmax && Ymin <= Y && Y <= Ymax;
}

bool SegmentRectIntersection(Extended& X, Extended& Y, Extended X1, Extended Y1, Extended X2, Extended Y2,
                             Extended Xmin, Extended Ymin, Extended Xmax, Extended Ymax)
{
    return SegmentIntersection(X, Y, X1, Y1, X2, Y2, Xmin, Ymin, Xmax, Ymin) ||
           SegmentIntersection(X, Y, X1, Y1, X2, Y2, Xmax, Ymin, Xmax, Ymax) ||
           SegmentIntersection(X, Y, X1, Y1, X2, Y2, Xmin, Ymax, Xmax, Ymax) ||
           SegmentIntersection(X, Y, X1, Y1, X2, Y2, Xmin, Ymin, Xmin, Ymax);
}

bool ClipSegmentToRect(Extended& X1, Extended& Y1, Extended& X2, Extended& Y2, Extended Xmin, Extended Ymin,
                       Extended Xmax, Extended Ymax)
{
    if (PointInRect(X1, Y1, Xmin, Ymin, Xmax, Ymax) && PointInRect(X2, Y2, Xmin, Ymin, Xmax, Ymax))
        return true;
    // Parametric clipping: P1 + t·(P2 - P1), t narrowed edge by edge. Unlike
    // an edge-by-edge intersection search it also keeps a segment that
    // enters and leaves the rectangle, and an inside end stays exact.
    const Extended dx = X2 - X1;
    const Extended dy = Y2 - Y1;
    const Extended p[4] = {-dx, dx, -dy, dy};
    const Extended q[4] = {X1 - Xmin, Xmax - X1, Y1 - Ymin, Ymax - Y1};
    Extended t0 = 0;
    Extended t1 = 1;
    bool inside = true;
    for (int k = 0; k < 4 && inside; ++k) {
        if (p[k] == 0) {
            inside = q[k] >= 0;
        } else {
            const Extended r = q[k] / p[k];
            if (p[k] < 0)
                t0 = std::max(t0, r);
            else
                t1 = std::min(t1, r);
            inside = t0 <= t1;
        }
    }
    if (!inside) {
        X1 = Y1 = X2 = Y2 = 0;
        return false;
    }
    const Extended x0 = X1;
    const Extended y0 = Y1;
    if (t0 > 0) {
        X1 = x0 + t0 * dx;
        Y1 = y0 + t0 * dy;
    }
    if (t1 < 1) {
        X2 = x0 + t1 * dx;
        Y2 = y0 + t1 * dy;
    }
    return true;
}

bool FilletArc(Extended X1, Extended Y1, Extended Angle1, Extended X2, Extended Y2, Extended Angle2,
               Extended R, Extended& Xc, Extended& Yc, Extended& Xt1, Extended& Yt1, Extended& Xt2,
               Extended& Yt2, Extended& Angle)
{
    Extended sx = 0;
    Extended sy = 0;
    RayIntersection(sx, sy, X1, Y1, Angle1, X2, Y2, Angle2);
    // Each line is shifted to the side chosen by comparing the direction to
    // the corner with the direction to the other line's point.
    const Extended side1 =
        NormalizeAngle(PolarAngle(sx - X1, sy - Y1)) <= NormalizeAngle(PolarAngle(X2 - X1, Y2 - Y1))
            ? Angle1 + kPi / 2
            : Angle1 - kPi / 2;
    const Extended side2 =
        NormalizeAngle(PolarAngle(sx - X2, sy - Y2)) <= NormalizeAngle(PolarAngle(X1 - X2, Y1 - Y2))
            ? Angle2 + kPi / 2
            : Angle2 - kPi / 2;
    const Extended n1x = R * std::cos(side1);
    const Extended n1y = R * std::sin(side1);
    const Extended n2x = R * std::cos(side2);
    const Extended n2y = R * std::sin(side2);
    // P1 + t·(S - P1) + n1 = P2 + u·(S - P2) + n2
    Extended t = 0;
    Extended u = 0;
    if (!SolveLinear2(t, u, sx - X1, -(sx - X2), X2 + n2x - X1 - n1x, sy - Y1, -(sy - Y2),
                      Y2 + n2y - Y1 - n1y)) {
        Xc = Yc = Xt1 = Yt1 = Xt2 = Yt2 = Angle = 0;
        return false;
    }
    Xt1 = X1 + t * (sx - X1);
    Yt1 = Y1 + t * (sy - Y1);
    Xt2 = X2 + u * (sx - X2);
    Yt2 = Y2 + u * (sy - Y2);
    Xc = Xt1 + n1x;
    Yc = Yt1 + n1y;
    Angle = PolarAngle(Xt2 - Xc, Yt2 - Yc) - PolarAngle(Xt1 - Xc, Yt1 - Yc);
    return true;
}

Extended OppositeAngle(Extended A)
{
    Extended r = A + kPi;
    if (r > 2 * kPi) r -= 2 * kPi;
    return r;
}

bool FilletArcReversed(Extended X0, Extended Y0, Extended Angle1, Extended Angle2, Extended R, Extended& Xc,
                       Extended& Yc, Extended& Xt1, Extended& Yt1, Extended& Xt2, Extended& Yt2,
                       Extended& Angle)
{
    const Extended back = OppositeAngle(Angle2);
    const bool ok = FilletArc(X0 + std::cos(Angle1), Y0 + std::sin(Angle1), Angle1, X0 + std::cos(back),
                              Y0 + std::sin(back), Angle2, R, Xc, Yc, Xt1, Yt1, Xt2, Yt2, Angle);
    if (Angle < 0) Angle += 2 * kPi;
    return ok;
}
