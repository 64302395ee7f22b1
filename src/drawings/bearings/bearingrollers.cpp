// Cylindrical roller bearing (type 5) and the needle roller types: needle
// bush (3), needle bearing without inner ring (4), needle cage (10).
#include "drawings/bearings/bearingdraw.h"

#include "drawings/bearings/bearingdrawparts.h"
#include "foundation/guardedmath.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <cmath>

using namespace bearingdrawing;

namespace
{

const Extended Tan12 = std::tan(Rad(12));

} // namespace

void HatchRibbedRing(Extended x0, Extended y0, Extended h, Extended w, Extended p, Extended L, Extended c,
                     Extended k, Extended s, Extended angle)
{
    const Extended m = (w - L) / 2;
    CadSetLayer(5);
    TOutline o;
    o.Add(x0, s * y0);
    o.Add(x0, s * (y0 + h - c), -s * HalfPi);
    o.Add(x0 + c, s * (y0 + h));
    o.Add(x0 + w - c, s * (y0 + h), -s * HalfPi);
    o.Add(x0 + w, s * (y0 + h - c));
    o.Add(x0 + w, s * y0);
    o.Add(x0 + w - m, s * y0);
    o.Add(x0 + w - m, s * (y0 + p - k), s * HalfPi);
    o.Add(x0 + w - m - k, s * (y0 + p));
    o.Add(x0 + m + k, s * (y0 + p), s * HalfPi);
    o.Add(x0 + m, s * (y0 + p - k));
    o.Add(x0 + m, s * y0);
    o.Add(x0, s * y0);
    o.Hatched(w / 10, angle);
}

// The track runs out at 12 degrees at both ends. (No width is left out:
// a ring 45 or 135 mm wide is drawn like any other.)
void HatchPlainRing(Extended x0, Extended y0, Extended h, Extended w, Extended L, Extended c, Extended s)
{
    const Extended m = (w - L) / 2, v = Tan12 * m;
    CadSetLayer(5);
    TOutline o;
    o.Add(x0, s * (y0 - v));
    o.Add(x0, s * (y0 - h + c), s * HalfPi);
    o.Add(x0 + c, s * (y0 - h));
    o.Add(x0 + w - c, s * (y0 - h), s * HalfPi);
    o.Add(x0 + w, s * (y0 - h + c));
    o.Add(x0 + w, s * (y0 - v));
    o.Add(x0 + w - m, s * y0);
    o.Add(x0 + m, s * y0);
    o.Add(x0, s * (y0 - v));
    o.Hatched(w / 10, -45);
}

void HatchSingleRibRing(Extended x0, Extended y0, Extended h, Extended w, Extended p, Extended L, Extended c,
                        Extended k, Extended s)
{
    const Extended m = (w - L) / 2, v = Tan12 * m;
    CadSetLayer(5);
    TOutline o;
    o.Add(x0, s * y0);
    o.Add(x0, s * (y0 - h + c), s * HalfPi);
    o.Add(x0 + c, s * (y0 - h));
    o.Add(x0 + w - c, s * (y0 - h), s * HalfPi);
    o.Add(x0 + w, s * (y0 - h + c));
    o.Add(x0 + w, s * (y0 - p - v));
    o.Add(x0 + w - m, s * (y0 - p));
    o.Add(x0 + m + k, s * (y0 - p), -s * HalfPi);
    o.Add(x0 + m, s * (y0 - p + k));
    o.Add(x0 + m, s * y0);
    o.Add(x0, s * y0);
    o.Hatched(w / 10, -45);
}

void DrawCylindricalRollerBearing(const TBearingDrawingData& b, int BoreLines)
{
    const Extended ri = b.d / 2, ra = b.D / 2, B = b.B, rs = b.rs, rs2 = b.rs2;
    const Extended e = B / 6;
    const Extended yi = ri + 1.2L * e, yo = ra - 1.2L * e;
    const Extended k = 0.02L * (ra - ri) + 0.4L;
    const Extended yr = yo - 0.11L * (ra - ri);
    const Extended L = B - 2 * e;
    const int design = CylindricalRollerDesign(b.Designation);
    CadSetLayer(5);
    if (BoreLines == 1) {
        BoreLinesAt(B, ri + rs);
    } else {
        Line(0, ri + rs, 0, ri);
        Line(B, ri + rs, B, ri);
        Line(0, -(ri + rs), 0, -ri);
        Line(B, -(ri + rs), B, -ri);
    }
    const TRoller roller{e, B - e, yi, yo, k, 0.1L * L};
    roller.Arcs();
    for (int half = 1; half <= 2; ++half) {
        const Extended s = PositiveIntPower(-1, half - 1);
        roller.CentreLine(s);
        CadSetLayer(5);
        Line(0, s * ri, 0, s * (ra - rs));
        Line(B, s * ri, B, s * (ra - rs));
        roller.Edges(s);
        const Extended p = yo - yr;
        switch (design) {
        case 1:
            HatchRibbedRing(0, yr, ra - yr, B, p, L, rs, k, s, 45);
            if (telmvar.Aborted) return;
            HatchPlainRing(0, yi, yi - ri, B, L, rs2, s);
            break;
        case 2:
            HatchPlainRing(0, -yo, yi - ri, B, L, rs2, s);
            if (telmvar.Aborted) return;
            HatchRibbedRing(0, -(yi + yo - yr), yi - ri + p, B, p, L, rs2, k, s, 45);
            break;
        case 3:
            HatchRibbedRing(0, yr, ra - yr, B, p, L, rs, k, s, 45);
            if (telmvar.Aborted) return;
            HatchSingleRibRing(0, p + yi, ra - yr, B, p, L, rs, k, s);
            break;
        default:
            HatchRibbedRing(0, yr, ra - yr, B, p, L, rs2, k, s, 45);
            if (telmvar.Aborted) return;
            HatchRibbedRing(0, -(yi + yo - yr), yi - ri + p, B, p, L, rs2, k, s, -45);
            break;
        }
        if (telmvar.Aborted) return;
    }
}

void DrawNeedleBearingNoInnerRing(const TBearingDrawingData& b, int BoreLines)
{
    const Extended ri = b.d / 2, ra = b.D / 2, B = b.B, rs = b.rs;
    const Extended L = 0.8L * B, Dw = 0.17L * L, q = 0.25L * Dw;
    // Radius the lips of the outer ring reach down to, over the roller ends.
    const Extended yl = ri + Dw - q;
    const Extended m = (B - L) / 2, k = b.rs2;
    CadSetLayer(5);
    if (BoreLines == 1) BoreLinesAt(B, yl);
    const TRoller roller{m, B - m, ri, ri + Dw, k, 0.05L * L};
    roller.Arcs();
    for (int half = 1; half <= 2; ++half) {
        const Extended s = PositiveIntPower(-1, half - 1);
        roller.CentreLine(s);
        CadSetLayer(5);
        Line(0, s * ri, 0, s * yl);
        Line(B, s * ri, B, s * yl);
        roller.Edges(s);
        TOutline o;
        o.Add(0, s * yl);
        o.Add(0, s * (ra - rs), -s * HalfPi);
        o.Add(rs, s * ra);
        o.Add(B - rs, s * ra, -s * HalfPi);
        o.Add(B, s * (ra - rs));
        o.Add(B, s * yl);
        o.Add(B - m, s * yl);
        o.Add(B - m, s * (yl + q - k), s * HalfPi);
        o.Add(B - m - k, s * (yl + q));
        o.Add(m + k, s * (yl + q), s * HalfPi);
        o.Add(m, s * (yl + q - k));
        o.Add(m, s * yl);
        o.Add(0, s * yl);
        o.Hatched(B / 10, 45);
    }
    SetHatchMode(1);
}

void DrawNeedleBush(const TBearingDrawingData& b, int BoreLines)
{
    const Extended ri = b.d / 2, ra = b.D / 2, B = b.B, rs = b.rs;
    // Cup wall t, needle diameter hN.
    const Extended t = rs - 0.1L;
    const Extended hN = ra - t - ri;
    const Extended L = 0.72L * B, m = (B - L) / 2;
    const Extended u = 0.75L * hN;
    const Extended yl = ri + hN - u;
    const Extended k = 0.05L * hN;
    CadSetLayer(5);
    if (BoreLines == 1) {
        BoreLinesAt(B, yl);
        Line(t, -yl, t, yl);
        Line(B - t, -yl, B - t, yl);
    }
    const TRoller roller{m, B - m, ri, ri + hN, k, 0.05L * L};
    roller.Arcs();
    const Extended g = B - 2 * t - L;
    for (int half = 1; half <= 2; ++half) {
        const Extended s = PositiveIntPower(-1, half - 1);
        roller.CentreLine(s);
        CadSetLayer(5);
        for (Extended x : {Extended(0), B, t, B - t})
            Line(x, s * ri, x, s * yl);
        roller.Edges(s);
        TOutline cup;
        cup.Add(0, s * yl);
        cup.Add(0, s * (ra - rs), -s * HalfPi);
        cup.Add(rs, s * ra);
        cup.Add(B - rs, s * ra, -s * HalfPi);
        cup.Add(B, s * (ra - rs));
        cup.Add(B, s * yl);
        cup.Add(B - t, s * yl);
        cup.Add(B - t, s * (yl + u - 0.1L), s * HalfPi);
        cup.Add(B - t - 0.1L, s * (yl + u));
        cup.Add(t + 0.1L, s * (yl + u), s * HalfPi);
        cup.Add(t, s * (yl + u - 0.1L));
        cup.Add(t, s * yl);
        cup.Add(0, s * yl);
        cup.Polyline();
        // The cage between the needle ends and the lips.
        const Extended x1 = B / 2 + L / 2 + 0.1L * g / 2, x2 = B / 2 + L / 2 + 0.9L * g / 2;
        const Extended x3 = B / 2 - L / 2 - 0.1L * g / 2, x4 = B / 2 - L / 2 - 0.9L * g / 2;
        const Extended y1 = s * yl, y2 = s * (yl + 0.5L * hN);
        const Extended spacing = Round(hN / 10);
        if (Finite({x1, x2, x3, x4, y1, y2, spacing})) {
            CadRectangle(x1, y1, x2, y2);
            CadRectangle(x3, y1, x4, y2);
            SetHatchMode(2);
            HatchRectangle(x1, y1, x2, y2, spacing, -45);
            HatchRectangle(x3, y1, x4, y2, spacing, -45);
        }
        SetHatchMode(2);
        ResetHatch();
        HatchPoint(0, s * yl);
        HatchArc(3, rs, s * (ra - rs), rs, s * PiL, s * HalfPi);
        HatchArc(3, B - rs, s * (ra - rs), rs, s * HalfPi, 0);
        HatchPoint(B, s * yl);
        HatchPoint(B - t, s * yl);
        HatchArc(1, B - t - 0.1L, s * (yl + u - 0.1L), k, 0, s * HalfPi);
        HatchArc(1, t + k, s * (yl + u - k), k, s * HalfPi, s * PiL);
        HatchPoint(t, s * yl);
        HatchCollected(0, B / 25, -45);
    }
    SetHatchMode(1);
}

void DrawNeedleCage(const TBearingDrawingData& b, int BoreLines)
{
    const Extended ri = b.d / 2, ra = b.D / 2, B = b.B;
    const Extended rm = (ra + ri) / 2;
    const Extended L = 0.86L * B, Dw = ra - ri, m = (B - L) / 2;
    const Extended hc = 0.8L * Dw, k = 0.05L * Dw;
    CadSetLayer(5);
    if (BoreLines == 1) BoreLinesAt(B, rm - hc / 2);
    const TRoller roller{m, B - m, ri, ra, k, 0.05L * L};
    roller.Arcs();
    // Below 5 mm needles the spacing rounds to 0: the hatcher's own.
    const Extended spacing = Round(Dw / 10);
    for (int half = 1; half <= 2; ++half) {
        const Extended s = PositiveIntPower(-1, half - 1);
        roller.CentreLine(s);
        roller.Edges(s);
        const Extended x1 = B / 2 + L / 2 + 0.1L * (B - L) / 2, x2 = B / 2 - L / 2 - 0.1L * (B - L) / 2;
        const Extended y1 = s * (rm - hc / 2), y2 = s * (rm + hc / 2);
        if (Finite({x1, x2, y1, y2, spacing})) {
            // The cage bars are hatched without an outline.
            THatchLinesOnly linesOnly;
            HatchRectangle(x1, y1, B, y2, spacing, -45);
            HatchRectangle(x2, y1, 0, y2, spacing, -45);
        }
    }
    SetHatchMode(1);
}
