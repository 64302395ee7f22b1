#include "drawings/tooth/toothcontour.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/planegeo.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <algorithm>
#include <cmath>

namespace
{

// Below this a machining allowance counts as none (as in confgraf).
constexpr Extended NoAllowance = 0.00001L;

// The flank direction at the root of an internal gear is taken from a
// second point just above the root circle.
constexpr Extended FinishedRootStep = 0.9999999L;
constexpr Extended PreMachiningRootStep = 0.99999L;

const char* const NoDiameterMessage = "Fatal  : d = 0 !";
const char* const LeftOutMessage = "Error  : CAD: element with invalid coordinates left out";

bool ValidGear(int Gear)
{
    return Gear == 1 || Gear == 2;
}

// A gear without teeth or reference diameter has no pitch angle and no
// flank: every formula would divide by zero.
bool GearHasGeometry(int i)
{
    const auto& g = GearPair;
    return g.z[i] != 0 && g.d[i] != 0 && std::isfinite(g.d[i]);
}

// Half the tooth-thickness angle at D for the normal tooth thickness Sn.
Extended HalfThicknessAngle(int i, Extended Sn, Extended D)
{
    const auto& g = GearPair;
    const Extended alphaY = NamedArcCos("", g.db[i] / D);
    return Sn / (std::cos(g.beta_rad) * g.d[i]) + Involute(g.alpha_t) - Involute(alphaY);
}

Extended PreMachiningThickness(int i)
{
    const auto& g = GearPair;
    return (Pi / 2 + std::tan(g.alpha_rad) * (g.xevmax[i] + g.xevmin[i])) * g.mn;
}

using TFlankPoint = void (*)(int, Extended&, Extended&, Extended, Extended&);

TContourVertex Mirrored(Extended X, Extended Y, Extended Angle)
{
    return {-X, Y, Angle};
}

// Right flank upwards from the diameter D0 + (KFirst - 1) dD, the tip land,
// the left flank downwards to D0 + dD; (Qx, Qy) receives the flank point at
// D0. The first right flank vertex is replaced by *First when given (the end
// of the right root trochoid).
void AppendFlanksAndTip(TContourPath& Path, int i, TFlankPoint F, Extended D0, Extended dD, int N, int KFirst,
                        const TContourVertex* First, Extended& Qx, Extended& Qy)
{
    Extended x = 0, y = 0, psi = 0;
    for (int k = KFirst; k <= N - 1; ++k) {
        F(i, x, y, D0 + (k - 1) * dD, psi);
        if (k == KFirst && First != nullptr)
            Path.Vertices.push_back(*First);
        else
            Path.Vertices.push_back({x, y, 0});
    }
    // The tip land is an arc about the gear centre over twice the half
    // thickness angle at the tip.
    F(i, x, y, D0 + (N - 1) * dD, psi);
    Path.Vertices.push_back({x, y, 2 * psi});
    Path.Vertices.push_back(Mirrored(x, y, 0));
    for (int k = N - 2; k >= 1; --k) {
        F(i, x, y, D0 + k * dD, psi);
        Path.Vertices.push_back(Mirrored(x, y, 0));
    }
    F(i, Qx, Qy, D0, psi);
}

void AppendInternalRootRight(TContourPath& Path, const TInternalRoot& R)
{
    // With the reduced radius T2 is G itself: one vertex stands for both.
    if (!R.EndsAtGap) Path.Vertices.push_back({R.Gx, R.Gy, 0});
    Path.Vertices.push_back({R.T2x, R.T2y, -R.W});
    Path.Vertices.push_back({R.T1x, R.T1y, 0});
}

void AppendInternalRootLeft(TContourPath& Path, const TInternalRoot& R)
{
    Path.Vertices.push_back(Mirrored(R.T1x, R.T1y, -R.W));
    Path.Vertices.push_back(Mirrored(R.T2x, R.T2y, 0));
    if (!R.EndsAtGap) Path.Vertices.push_back(Mirrored(R.Gx, R.Gy, 0));
}

// Point of the root trochoid at the rolling angle T, in the frame whose y
// axis passes through the root point: the envelope of the tool tip circle
// (radius Rho, centre Hc below the rolling line) whose normal passes through
// the pitch point.
void TrochoidPoint(Extended& X, Extended& Y, Extended T, Extended R, Extended Hc, Extended Rho, Extended Beta)
{
    if (T == 0) {
        // Both forms reduce to the root point here; with the tip centre on
        // the rolling line (Hc = 0) they would divide 0 by 0.
        X = 0;
        Y = R - Hc - Rho;
        return;
    }
    if (Hc >= 0) {
        const Extended cb = std::cos(Beta);
        const Extended rt = R * T;
        const Extended fx = 1 + Rho / std::sqrt((Hc / cb) * (Hc / cb) + rt * rt);
        const Extended fy = 1 + Rho / std::sqrt(Hc * Hc + rt * rt);
        X = fx * (rt * std::cos(T) + cb * Hc * std::sin(T)) - R * std::sin(T);
        Y = fy * (rt * std::sin(T) - Hc * std::cos(T)) + R * std::cos(T);
        return;
    }
    // Tip centre above the rolling line: the rack rolls the other way, and
    // the point lies on the near side of the tip circle. The rolled length
    // must follow the turned angle u, else the point falls inside the tool.
    const Extended u = -T;
    const Extended ru = R * u;
    const Extended f = 1 - Rho / std::sqrt(Hc * Hc + ru * ru);
    X = f * (ru * std::cos(u) + Hc * std::sin(u)) - R * std::sin(u);
    Y = f * (ru * std::sin(u) - Hc * std::cos(u)) + R * std::cos(u);
}

bool VertexFinite(const TContourVertex& V)
{
    return std::isfinite(V.X) && std::isfinite(V.Y) && std::isfinite(V.Angle);
}

// Degenerate tool data can still produce coordinates that are no numbers;
// such an element is left out whole rather than drawn with wrong arcs.
void DropNonFinite(TToothContour& C)
{
    const auto bad = [](const TContourPath& P) {
        return !std::all_of(P.Vertices.begin(), P.Vertices.end(), VertexFinite);
    };
    const auto it = std::remove_if(C.Paths.begin(), C.Paths.end(), bad);
    if (it != C.Paths.end()) {
        AddErrorMessage(LeftOutMessage);
        C.Paths.erase(it, C.Paths.end());
    }
}

// The fillet rounding the corner at P between the direction A1 (along the
// flank) and the chord from P to G.
TInternalRoot CornerFillet(Extended Px, Extended Py, Extended A1, Extended Gx, Extended Gy, Extended Rho)
{
    TInternalRoot r;
    r.P1x = Px;
    r.P1y = Py;
    r.Gx = Gx;
    r.Gy = Gy;
    r.T1x = r.T2x = r.Cx = Px;
    r.T1y = r.T2y = r.Cy = Py;
    const Extended u1x = std::cos(A1), u1y = std::sin(A1);
    const Extended dist = Hypotenuse(Gx - Px, Gy - Py);
    if (!(dist > 0) || !(Rho > 0)) return r;
    const Extended u2x = (Gx - Px) / dist, u2y = (Gy - Py) / dist;
    const Extended gamma = std::acos(std::clamp(u1x * u2x + u1y * u2y, Extended(-1), Extended(1)));
    const Extended half = std::tan(gamma / 2);
    // A flank running straight on into the chord has no corner, one folded
    // back onto it no room for a fillet.
    if (!(half > 1e-12L) || !std::isfinite(half)) return r;
    Extended radius = Rho;
    Extended along = radius / half;
    if (along > dist) {
        // The full radius would end the fillet beyond the middle of the gap,
        // in the neighbouring tooth space: the fillet ends at G instead.
        along = dist;
        radius = dist * half;
        r.EndsAtGap = true;
    }
    r.Radius = radius;
    r.T1x = Px + along * u1x;
    r.T1y = Py + along * u1y;
    if (r.EndsAtGap) {
        r.T2x = Gx;
        r.T2y = Gy;
    } else {
        r.T2x = Px + along * u2x;
        r.T2y = Py + along * u2y;
    }
    const Extended bx = u1x + u2x, by = u1y + u2y;
    const Extended blen = Hypotenuse(bx, by);
    const Extended toCentre = radius / std::sin(gamma / 2);
    r.Cx = Px + toCentre * bx / blen;
    r.Cy = Py + toCentre * by / blen;
    r.W = Pi - gamma;
    return r;
}

} // namespace

int ContourInvolutePoints()
{
    auto& g = GearPair;
    if (g.InvolutePoints == 0) g.InvolutePoints = 20;
    return std::clamp(g.InvolutePoints, InvolutePointsMin, InvolutePointsMax);
}

int ContourFilletResolution()
{
    auto& g = GearPair;
    if (g.FilletResolution == 0) g.FilletResolution = 30;
    return std::clamp(g.FilletResolution, FilletResolutionMin, FilletResolutionMax);
}

Extended ToolFilletEndDiameter(int Gear)
{
    const auto& g = GearPair;
    return g.df_pic[Gear] + 2 * g.rhoaP0[Gear] * (1 - std::sin(g.alpha_rad));
}

bool InvoluteStartsAtBaseCircle(int Gear)
{
    const auto& g = GearPair;
    return g.z[Gear] >= 0 && g.db[Gear] >= ToolFilletEndDiameter(Gear);
}

void InvolutePointAtDiameter(int Gear, Extended& X, Extended& Y, Extended D, Extended& Psi)
{
    if (D == 0 || GearPair.d[Gear] == 0) {
        X = Y = Psi = 0;
        AddErrorMessage(NoDiameterMessage);
        return;
    }
    Psi = HalfThicknessAngle(Gear, GearPair.sn_pic[Gear], D);
    X = D / 2 * std::sin(Psi);
    Y = D / 2 * std::cos(Psi);
}

void PreMachiningInvolutePoint(int Gear, Extended& X, Extended& Y, Extended D, Extended& Psi)
{
    Psi = HalfThicknessAngle(Gear, PreMachiningThickness(Gear), D);
    X = D / 2 * std::sin(Psi);
    Y = D / 2 * std::cos(Psi);
}

Extended ProtuberanceDepth(int Gear)
{
    const auto& g = GearPair;
    if (!(g.prP0_mn[Gear] > 0)) return 0;
    // Tool profile frame: x along the rack from the centre of the tool
    // tooth, y from the rolling line (the reference circle) outwards; the
    // tool tip lies e below it.
    const Extended alpha = g.alpha_rad;
    const Extended alphaPr = DegToRad(g.alphaprP0[Gear]);
    const Extended rho = g.rhoaP0[Gear];
    const Extended e = (g.d[Gear] - g.df_pic[Gear]) / 2;
    const Extended yTip = -e;
    const Extended yDatum = g.haP0[Gear] - e;
    const Extended halfTooth = Pi * g.mn / 4;
    const Extended cx = halfTooth + g.prP0[Gear] / std::cos(alpha) - (g.haP0[Gear] - rho) * std::tan(alpha) -
                        rho / std::cos(alpha);
    const Extended cy = yTip + rho;
    // Where the protuberance flank leaves the tip rounding.
    const Extended ax = cx + rho * std::cos(alphaPr);
    const Extended ay = cy - rho * std::sin(alphaPr);
    Extended px = 0, py = 0;
    if (!RayIntersection(px, py, ax, ay, Pi / 2 - alphaPr, halfTooth, yDatum, Pi / 2 - alpha)) return 0;
    return -py;
}

TExternalFilletRoot ExternalFilletRoot(int Gear)
{
    const auto& g = GearPair;
    TExternalFilletRoot f;
    const int z = g.z[Gear];
    const Extended rho = g.rhoaP0[Gear];
    const Extended rf = g.df_pic[Gear] / 2;
    Extended psi = 0;
    InvolutePointAtDiameter(Gear, f.Px, f.Py, ToolFilletEndDiameter(Gear), psi);
    f.Gx = std::sin(Pi / z) * std::fabs(rf);
    f.Gy = std::cos(Pi / z) * std::fabs(rf);
    const Extended lambda = std::atan(f.Px / f.Py);
    // Angle at the gear centre between P and the centre of the fillet circle
    // that touches the root circle and passes through P.
    const Extended mu = AngleFromSides(rf + rho, Hypotenuse(f.Px, f.Py), rho);
    f.Tx = std::sin(lambda + mu) * rf;
    f.Ty = std::cos(lambda + mu) * rf;
    f.Cx = std::sin(lambda + mu) * (rf + rho);
    f.Cy = std::cos(lambda + mu) * (rf + rho);
    f.W = AngleFromSides(rho, rho, Hypotenuse(f.Px - f.Tx, f.Py - f.Ty));
    f.G = Pi / z - lambda - mu;
    return f;
}

TInternalRoot InternalRoot(int Gear, bool PreMachining)
{
    const auto& g = GearPair;
    const Extended df = g.df_pic[Gear];
    Extended p1x = 0, p1y = 0, p2x = 0, p2y = 0, psi = 0;
    if (PreMachining) {
        PreMachiningInvolutePoint(Gear, p1x, p1y, df, psi);
        PreMachiningInvolutePoint(Gear, p2x, p2y, PreMachiningRootStep * df, psi);
    } else {
        InvolutePointAtDiameter(Gear, p1x, p1y, df, psi);
        InvolutePointAtDiameter(Gear, p2x, p2y, FinishedRootStep * df, psi);
    }
    const Extended a1 = PolarAngle(p2x - p1x, p2y - p1y);
    // The pre-machining tool's protuberance cuts the root that much wider.
    if (PreMachining) p1x -= g.prP0[Gear];
    const int z = g.z[Gear];
    const Extended gx = std::sin(Pi / z) * df / 2;
    const Extended gy = std::cos(Pi / z) * df / 2;
    return CornerFillet(p1x, p1y, a1, gx, gy, g.rhoaP0[Gear]);
}

TContourPath RootTrochoid(int Gear, int Side, Extended& EndX, Extended& EndY)
{
    const auto& g = GearPair;
    TContourPath path;
    path.Layer = ContourLayerOutline;
    EndX = EndY = 0;
    if (!ValidGear(Gear) || !GearHasGeometry(Gear)) return path;
    const int i = Gear;
    const int z = g.z[i];
    const Extended xs = g.q[i] > NoAllowance ? g.xv_pic[i] : g.x_pic[i];
    const int nf = ContourFilletResolution();
    const Extended r = g.d[i] / 2;
    const Extended rho = g.rhoaP0[i];
    const Extended hc = g.haP0[i] - xs * g.mn - rho;
    const Extended tanA = std::tan(g.alpha_rad);
    // Angle of the tool tip centre from the tooth centre line.
    const Extended phi0 = (Pi / 2 + 2 * xs * tanA) / z + hc * tanA / r + rho / (r * std::cos(g.alpha_rad));
    Extended rEnd = 0;
    if (z > 0) {
        rEnd =
            InvoluteStartsAtBaseCircle(i) ? g.db[i] / 2 : g.df_pic[i] / 2 + rho * (1 - std::sin(g.alpha_rad));
    }
    const Extended pitch = 2 * Pi / z;
    const Extended dt = std::fabs(pitch / nf);
    // The trochoid starts at the root point; that is its end when no point
    // lies inside the usable root circle.
    RotatePoint(EndX, EndY, 0, r - hc - rho, phi0);
    for (int k = 0; k <= nf; ++k) {
        const Extended t = k * dt;
        Extended x = 0, y = 0, xr = 0, yr = 0;
        TrochoidPoint(x, y, t, r, hc, rho, g.beta_rad);
        RotatePoint(xr, yr, x, y, phi0);
        if (y < g.dNf[i] / 2) {
            if (Side == 1 && k == 0) {
                // The other fillet of the gap: side 1 also draws the root
                // land across the middle of the gap.
                Extended nx = 0, ny = 0;
                RotatePoint(nx, ny, -xr, yr, pitch);
                path.Vertices.push_back({nx, ny, 0});
            }
            path.Vertices.push_back(Side == 1 ? TContourVertex{xr, yr, 0} : Mirrored(xr, yr, 0));
            EndX = xr;
            EndY = yr;
        }
        if (!(Hypotenuse(x, y) < rEnd)) break;
    }
    return path;
}

TContourPath BuildPreMachiningContour(int Gear)
{
    TContourPath path;
    path.Layer = ContourLayerPreMachining;
    if (telmvar.Aborted || !ValidGear(Gear) || !GearHasGeometry(Gear) || GearPair.z[Gear] >= 0) return path;
    const auto& g = GearPair;
    const int n = ContourInvolutePoints();
    const TInternalRoot root = InternalRoot(Gear, true);
    AppendInternalRootRight(path, root);
    const Extended depth = ProtuberanceDepth(Gear);
    const Extended d0 =
        g.prP0_mn[Gear] > 0 && depth > 0 ? g.d[Gear] - 2 * depth : -2 * Hypotenuse(root.T1x, root.T1y);
    const Extended dD = (g.da_pic[Gear] - d0) / (n - 1);
    Extended qx = 0, qy = 0;
    AppendFlanksAndTip(path, Gear, PreMachiningInvolutePoint, d0, dD, n, 2, nullptr, qx, qy);
    AppendInternalRootLeft(path, root);
    return path;
}

TToothContour BuildToothContour(int Gear, bool SingleGear)
{
    TToothContour c;
    if (telmvar.Aborted || !ValidGear(Gear)) return c;
    if (!GearHasGeometry(Gear)) {
        AddErrorMessage(NoDiameterMessage);
        return c;
    }
    const auto& g = GearPair;
    const int i = Gear;
    const int z = g.z[i];
    const bool baseStart = InvoluteStartsAtBaseCircle(i);
    const bool trochoid = g.DrawRootCurve && z > 0 && baseStart;

    Extended ex = 0, ey = 0;
    if (trochoid) {
        if (g.DrawingConfiguration == 2) {
            // The tooth centre line, 20 % of the tooth depth beyond tip and
            // root.
            const Extended h = (g.da_pic[i] - g.df_pic[i]) / 2;
            TContourPath axis;
            axis.Layer = ContourLayerAxis;
            axis.IsLine = true;
            axis.Vertices = {{0, g.da_pic[i] / 2 + 0.2L * h, 0}, {0, g.df_pic[i] / 2 - 0.2L * h, 0}};
            c.Paths.push_back(std::move(axis));
        }
        Extended ex2 = 0, ey2 = 0;
        c.Paths.push_back(RootTrochoid(i, 1, ex, ey));
        c.Paths.push_back(RootTrochoid(i, 2, ex2, ey2));
    }

    const int n = ContourInvolutePoints();
    TContourPath outline;
    outline.Layer = ContourLayerOutline;
    Extended d0 = baseStart ? g.db[i] : ToolFilletEndDiameter(i);
    Extended dD = (g.da_pic[i] - d0) / (n - 1);
    int kFirst = 1;
    TInternalRoot inner;
    TExternalFilletRoot fillet;
    if (z < 0) {
        inner = InternalRoot(i, false);
        AppendInternalRootRight(outline, inner);
        // The flank continues from the fillet's tangent point.
        d0 = -2 * Hypotenuse(inner.T1x, inner.T1y);
        dD = (g.da_pic[i] - d0) / (n - 1);
        kFirst = 2;
    } else if (!baseStart) {
        fillet = ExternalFilletRoot(i);
        outline.Vertices.push_back({fillet.Gx, fillet.Gy, fillet.G});
        outline.Vertices.push_back({fillet.Tx, fillet.Ty, -fillet.W});
        outline.Vertices.push_back({fillet.Px, fillet.Py, 0});
    }

    const TContourVertex rightEnd{-ex, ey, 0};
    Extended qx = 0, qy = 0;
    AppendFlanksAndTip(outline, i, InvolutePointAtDiameter, d0, dD, n, kFirst, trochoid ? &rightEnd : nullptr,
                       qx, qy);

    if (z < 0) {
        AppendInternalRootLeft(outline, inner);
    } else if (!baseStart) {
        outline.Vertices.push_back(Mirrored(qx, qy, -fillet.W));
        outline.Vertices.push_back(Mirrored(fillet.Tx, fillet.Ty, fillet.G));
        outline.Vertices.push_back(Mirrored(fillet.Gx, fillet.Gy, 0));
    } else if (trochoid) {
        outline.Vertices.push_back({ex, ey, 0});
    } else {
        outline.Vertices.push_back(Mirrored(qx, qy, 0));
    }
    c.Paths.push_back(std::move(outline));

    if (SingleGear && z < 0 && g.q[i] > 0) c.Paths.push_back(BuildPreMachiningContour(i));
    DropNonFinite(c);
    return c;
}

void SendContourToCad(const TToothContour& Contour)
{
    int layer = -1;
    for (const TContourPath& p : Contour.Paths) {
        if (p.Vertices.size() < 2) continue;
        if (p.Layer != layer) {
            CadSetLayer(p.Layer);
            layer = p.Layer;
        }
        if (p.IsLine) {
            CadLine(p.Vertices[0].X, p.Vertices[0].Y, p.Vertices[1].X, p.Vertices[1].Y);
            continue;
        }
        CadBeginPolyline();
        for (const TContourVertex& v : p.Vertices)
            CadPolylineVertex(v.X, v.Y, v.Angle);
        CadEndPolyline();
    }
}

void GenerateToothContour(int Gear, bool SingleGear)
{
    SendContourToCad(BuildToothContour(Gear, SingleGear));
}

void DrawRootTrochoid(int Gear, int Side, Extended& EndX, Extended& EndY)
{
    TToothContour c;
    c.Paths.push_back(RootTrochoid(Gear, Side, EndX, EndY));
    DropNonFinite(c);
    SendContourToCad(c);
}

void DrawPreMachiningContour(int Gear)
{
    TToothContour c;
    c.Paths.push_back(BuildPreMachiningContour(Gear));
    DropNonFinite(c);
    SendContourToCad(c);
}
