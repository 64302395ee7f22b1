#include "drawings/tooth/meshpicture.h"

#include "drawings/tooth/diametercircles.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <algorithm>
#include <cmath>
#include <string>

Extended MeshPictureHalfWidth()
{
    const auto& g = GearPair;
    const int k = std::max(std::abs(g.z[2]), 7);
    Extended w = std::fabs(g.da_pic[2]) / 2 * std::sin(DegToRad(720.0L / k)) + g.mn;
    if (g.z[2] < 0) w *= 1.1L;
    return w;
}

Extended MeshPictureBottom()
{
    const auto& g = GearPair;
    const int z1 = std::abs(g.z[1]);
    if (z1 == 0) return 0;
    const Extended t = z1 < 12 ? std::log(Extended(z1)) * 0.6L * 360 / z1 : 540.0L / z1;
    const Extended y1 = std::fabs(g.da_pic[1]) / 2 * (1 - std::cos(DegToRad(t))) + 2 * g.mn;
    return g.da_pic[1] / 2 - 1.2L * y1;
}

Extended MeshPictureTop()
{
    const auto& g = GearPair;
    const int z2 = g.z[2];
    const int a2 = std::abs(z2);
    if (a2 == 0) return 0;
    const Extended r = std::fabs(g.da_pic[2]) / 2;
    Extended y2 = 0;
    if (a2 < 18) {
        const Extended t = std::log(Extended(a2)) * 0.7L * 360 / a2;
        y2 = r * (1 - std::cos(DegToRad(t)));
        if (z2 > 0) y2 += g.mn;
    } else {
        y2 = r * (1 - std::cos(DegToRad(720.0L / a2))) + g.mn;
    }
    // Gear 2 stands at (0, a_pic): its tip circle's near side is at
    // a_pic - da/2 (for a ring, da < 0, the side above gear 1).
    return g.a_pic - g.da_pic[2] / 2 + 1.2L * y2;
}

namespace
{

// Points of the line through P with unit direction U at distance R from
// O: the one nearer to Q; false when the line misses the circle.
bool LineCirclePointNear(Extended Px, Extended Py, Extended Ux, Extended Uy, Extended Ox, Extended Oy, Extended R,
                         Extended Qx, Extended Qy, Extended& X, Extended& Y)
{
    const Extended dx = Px - Ox, dy = Py - Oy;
    const Extended b = dx * Ux + dy * Uy;
    const Extended c = dx * dx + dy * dy - R * R;
    const Extended disc = b * b - c;
    if (disc < 0) return false;
    const Extended s1 = -b + std::sqrt(disc), s2 = -b - std::sqrt(disc);
    const Extended x1 = Px + s1 * Ux, y1 = Py + s1 * Uy, x2 = Px + s2 * Ux, y2 = Py + s2 * Uy;
    if (std::hypot(x1 - Qx, y1 - Qy) <= std::hypot(x2 - Qx, y2 - Qy)) {
        X = x1;
        Y = y1;
    } else {
        X = x2;
        Y = y2;
    }
    return true;
}

// The part of the segment inside the rectangle (Liang-Barsky); false when
// none is.
bool ClipSegment(Extended& X1, Extended& Y1, Extended& X2, Extended& Y2, Extended Xmin, Extended Ymin,
                 Extended Xmax, Extended Ymax)
{
    Extended t0 = 0, t1 = 1;
    const Extended dx = X2 - X1, dy = Y2 - Y1;
    const Extended p[4] = {-dx, dx, -dy, dy};
    const Extended q[4] = {X1 - Xmin, Xmax - X1, Y1 - Ymin, Ymax - Y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const Extended r = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    const Extended x1 = X1 + t0 * dx, y1 = Y1 + t0 * dy;
    X2 = X1 + t1 * dx;
    Y2 = Y1 + t1 * dy;
    X1 = x1;
    Y1 = y1;
    return true;
}

std::string Trimmed(const std::string& S)
{
    return TrimBlanks(S);
}

void DrawPointMark(const char* Letter, Extended X, Extended Y, Extended Size)
{
    // A small circle with its letter to the upper left, clear of the line
    // of action, which rises to the right.
    CadCircle(X, Y, Size / 4);
    CadText(X - Size, Y + Size / 2, Letter);
}

} // namespace

TMeshContactPoints MeshContactPoints()
{
    const auto& g = GearPair;
    TMeshContactPoints p;
    const Extended ag = g.a_pic;
    if (ag == 0 || g.z[1] == 0 || g.z[2] == 0) return p;
    // The working pressure angle of the picture's own centre distance, so
    // the line of action touches both base circles as drawn.
    const Extended c = (g.db[1] + g.db[2]) / (2 * ag);
    if (!(std::fabs(c) <= 1)) return p;
    const Extended awt = std::acos(c);
    const Extended s = std::sin(awt), co = std::cos(awt);
    p.T1x = -g.db[1] / 2 * s;
    p.T1y = g.db[1] / 2 * co;
    p.T2x = g.db[2] / 2 * s;
    p.T2y = ag - g.db[2] / 2 * co;
    const Extended len = std::hypot(p.T2x - p.T1x, p.T2y - p.T1y);
    if (len == 0) return p;
    const Extended ux = (p.T2x - p.T1x) / len, uy = (p.T2y - p.T1y) / len;
    // Pitch point: where the line of action crosses the line of centres.
    if (ux == 0) return p;
    const Extended sc = -p.T1x / ux;
    p.Cx = 0;
    p.Cy = p.T1y + sc * uy;
    if (!LineCirclePointNear(p.T1x, p.T1y, ux, uy, 0, 0, g.dNa[1] / 2, p.Cx, p.Cy, p.Ex, p.Ey)) return p;
    if (!LineCirclePointNear(p.T1x, p.T1y, ux, uy, 0, ag, g.dNa[2] / 2, p.Cx, p.Cy, p.Ax, p.Ay)) return p;
    p.Valid = true;
    const Extended ga = std::hypot(p.Ex - p.Ax, p.Ey - p.Ay);
    const Extended pbt = Pi * std::fabs(g.db[1]) / std::abs(g.z[1]);
    if (ga > pbt) {
        const Extended vx = (p.Ex - p.Ax) / ga, vy = (p.Ey - p.Ay) / ga;
        p.HasSingleContact = true;
        p.Bx = p.Ex - pbt * vx;
        p.By = p.Ey - pbt * vy;
        p.Dx = p.Ax + pbt * vx;
        p.Dy = p.Ay + pbt * vy;
    }
    return p;
}

void DrawMeshPicture(bool WithText, Extended W, Extended B, Extended T, Extended Phi1)
{
    const auto& g = GearPair;
    const int z1 = g.z[1], z2 = g.z[2];
    // No tooth number, no pitch angle: nothing to draw.
    if (z1 == 0 || z2 == 0) return;
    const Extended ag = g.a_pic;
    const Extended phi2 = -Phi1 * z1 / z2;
    const Extended p1 = 360.0L / z1, p2 = 360.0L / z2;

    CadSetLayer(0);
    CadInsertBlock("EVOLV1", 0, 0, Phi1, 1, 1);
    CadInsertBlock("EVOLV1", 0, 0, Phi1 + p1, 1, 1);
    CadInsertBlock("EVOLV1", 0, 0, Phi1 - p1, 1, 1);
    for (int j = 0; j <= 1; ++j) {
        CadInsertBlock("EVOLV2", 0, ag, 180 + p2 / 2 + j * p2 + phi2, 1, 1);
        CadInsertBlock("EVOLV2", 0, ag, 180 - p2 / 2 - j * p2 + phi2, 1, 1);
    }
    if (WithText) DrawMeshPictureFrame(W, B, T, Phi1);
}

void DrawMeshPictureFrame(Extended W, Extended B, Extended T, Extended Phi1)
{
    const auto& g = GearPair;
    const int z1 = g.z[1], z2 = g.z[2];
    if (z1 == 0 || z2 == 0) return;
    const Extended ag = g.a_pic;

    CadSetLayer(3);
    CadRectangle(-W, B, W, T);
    const Extended h = W / 22;
    CadSetTextStyle(2, 0, h, 0.8L * h);
    CadRectangle(-W, B, W, B - 9.5L * h);
    const std::string deg = DegreeSign();
    const std::string left[6] = {
        "mn = " + Trimmed(LengthToText(g.mn)),
        "alpha= " + Trimmed(FloatToSignificant(g.alpha)) + deg,
        "beta = " + Trimmed(FloatToSignificant(g.beta)) + deg,
        "a = " + Trimmed(LengthToTextDecimals(3, ag)),
        "eps.al. = " + Trimmed(FloatToFixedDecimals(3, g.eps_alpha)),
        "phi = " + Trimmed(FloatToFixedDecimals(2, Phi1)) + deg,
    };
    for (int r = 0; r < 6; ++r)
        CadText(-W + h, B - 1.5L * h - r * 1.5L * h, left[r]);
    for (int i = 1; i <= 2; ++i) {
        const std::string n = IntToText(i);
        const std::string col[6] = {
            "z" + n + "  = " + IntToText(g.z[i]),
            "dw" + n + " = " + Trimmed(LengthToTextDecimals(2, g.dw_pic[i])),
            "df" + n + " = " + Trimmed(LengthToTextDecimals(2, g.df_pic[i])),
            "da" + n + " = " + Trimmed(LengthToTextDecimals(2, g.da_pic[i])),
            "db" + n + " = " + Trimmed(LengthToTextDecimals(2, g.db[i])),
            "xe" + n + " = " + Trimmed(FormatFloatFixed(1, 3, g.x_pic[i])),
        };
        for (int r = 0; r < 6; ++r)
            CadText(-W + i * 2 * W / 3, B - 1.5L * h - r * 1.5L * h, col[r]);
    }

    CadSetLayer(1);
    CadLine(0, B, 0, T);

    // Labelled arcs about the line of centres, cut at the frame.
    const Extended mn = g.mn;
    for (int i = 1; i <= 2; ++i) {
        const Extended cy = i == 1 ? 0 : ag;
        const Extended limit = i == 1 ? B : T;
        const bool ring = g.z[i] < 0;
        // Gear 1 and an external gear 2 face the mesh from below and from
        // above; a ring's negative diameters put its arcs on the far side
        // of the given angle, which faces up again.
        const Extended mid = i == 1 || ring ? 90 : 270;
        Extended half = std::min(2 * 360.0L / std::abs(g.z[i]), Extended(90)) / 2;
        if (ring) half = -half;
        const std::string n = IntToText(i);
        // Whether the circle's side towards the mesh lies inside the frame.
        auto inside = [&](Extended D) { return i == 1 ? D / 2 > B : ag - D / 2 < T; };
        CadSetLayer(3);
        if (inside(g.db[i])) DrawClippedLabelledArc("db" + n, false, 0, cy, half, g.db[i], mid, limit);
        if (inside(g.df_pic[i])) DrawClippedLabelledArc("df" + n, false, 0, cy, half, g.df_pic[i], mid, limit);
        DrawClippedLabelledArc("d" + n, false, 0, cy, half, g.d[i], mid, limit);
        if (std::fabs(g.dw_pic[i] - g.d[i]) > 0.05L * mn)
            DrawClippedLabelledArc("dw" + n, false, 0, cy, half, g.dw_pic[i], mid, limit);
        if (g.DrawingConfiguration == 2) {
            if (g.dFamax[i] != g.da[i]) {
                CadSetLayer(29);
                DrawClippedLabelledArc("dFa" + n, false, 0, cy, half, g.dFamax[i], mid, limit);
            }
            CadSetLayer(24);
            const bool close =
                std::fabs(g.dNf[i] - g.db[i]) < 0.15L * mn || std::fabs(g.dNf[i] - g.d[i]) < 0.15L * mn;
            DrawClippedLabelledArc("dNf" + n, false, 0, cy, close ? 1.2L * half : half, g.dNf[i], mid, limit);
        }
    }
    // The arc labels set their own text styles; the point letters go back
    // to the data text's.
    CadSetTextStyle(2, 0, h, 0.8L * h);

    if (z1 + z2 != 0) {
        const TMeshContactPoints p = MeshContactPoints();
        Extended x1 = p.T1x, y1 = p.T1y, x2 = p.T2x, y2 = p.T2y;
        // The whole frame cuts the line: beyond its top it would run over
        // the data of the picture above.
        CadSetLayer(0);
        if ((p.T1x != p.T2x || p.T1y != p.T2y) && ClipSegment(x1, y1, x2, y2, -W, B, W, T)) CadLine(x1, y1, x2, y2);
        if (p.Valid) {
            CadSetLayer(3);
            DrawPointMark("C", p.Cx, p.Cy, h);
            DrawPointMark("E", p.Ex, p.Ey, h);
            DrawPointMark("A", p.Ax, p.Ay, h);
            if (p.HasSingleContact) {
                DrawPointMark("B", p.Bx, p.By, h);
                DrawPointMark("D", p.Dx, p.Dy, h);
            }
        }
    }
    CadSetLayer(0);
}
