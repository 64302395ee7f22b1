#include "drawings/tooth/toolprofile.h"

#include "drawings/production/annotation.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/planegeo.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <cmath>

TToolProfilePoints ToolProfilePoints(int Gear)
{
    const auto& g = GearPair;
    TToolProfilePoints p;
    const int i = Gear;
    const Extended alpha = g.alpha_rad;
    const Extended alphaPr = DegToRad(g.alphaprP0[i]);
    const Extended alphaK = DegToRad(g.alphakP0[i]);
    const Extended e = (g.d[i] - g.df_pic[i]) / 2;
    const Extended halfTooth = Pi * g.mn / 4;
    const Extended rho = g.rhoaP0[i];
    p.Protuberance = g.prP0_mn[i] != 0;
    p.Chamfer = g.HasChamfer[i] != 0;
    p.RootRadius = g.rhofP0_mn[i] > 0;
    p.yTip = -e;
    p.yDatum = g.haP0[i] - e;
    p.yRoot = g.hfP0[i] + g.haP0[i] - e;
    p.CaY = p.yTip + rho;
    if (!p.Protuberance) {
        p.CaX = halfTooth - (g.haP0[i] - rho) * std::tan(alpha) - rho / std::cos(alpha);
        p.Ax = p.CaX + rho * std::cos(alpha);
        p.Ay = p.CaY - rho * std::sin(alpha);
        p.Px = p.Ax;
        p.Py = p.Ay;
    } else {
        p.CaX = halfTooth + g.prP0[i] / std::cos(alpha) - (g.haP0[i] - rho) * std::tan(alpha) -
                rho / std::cos(alpha);
        // The point of the tip circle below the centre, turned by
        // 90 deg - alpha_pr: where the protuberance flank leaves the
        // rounding.
        p.Ax = p.CaX + rho * std::sin(Pi / 2 - alphaPr);
        p.Ay = p.CaY - rho * std::cos(Pi / 2 - alphaPr);
        RayIntersection(p.Px, p.Py, p.Ax, p.Ay, Pi / 2 - alphaPr, halfTooth, p.yDatum, Pi / 2 - alpha);
    }
    p.Bx = halfTooth + g.hFfP0[i] * std::tan(alpha);
    p.By = p.yDatum + g.hFfP0[i];
    p.Qx = p.Bx + (g.hfP0[i] - g.hFfP0[i]) * std::tan(alphaK);
    p.Qy = p.yRoot;
    const Extended rf = g.rhofP0[i];
    // The root fillet is tangent to the root line and to the flank it
    // meets: the chamfer when there is one, else the main flank.
    const Extended af = p.Chamfer ? alphaK : alpha;
    p.CfX = p.Qx + rf * (1 - std::sin(af)) / std::cos(af);
    p.CfY = p.yRoot - rf;
    p.Ex = p.CfX - rf * std::cos(af);
    p.Ey = p.CfY + rf * std::sin(af);
    return p;
}

namespace
{

struct TProfilePen {
    Extended k = 1;
    bool Elliptic = false;
    // S = +1 right half, -1 the mirror image.
    void Line(Extended S, Extended X1, Extended Y1, Extended X2, Extended Y2) const
    {
        // Without a chamfer Q and B coincide: no zero-length line.
        if (X1 == X2 && Y1 == Y2) return;
        CadLine(S * X1 / k, Y1, S * X2 / k, Y2);
    }
    void Arc(Extended Xc, Extended Yc, Extended Start, Extended End, Extended R) const
    {
        if (Elliptic)
            CadEllipticArc(Xc / k, Yc, Start, End, R, 1 / k, 1, 5);
        else
            CadArc(Xc, Yc, Start, End, R);
    }
};

std::string Coefficient(Extended V)
{
    return TrimBlanks(FloatToSignificant(V));
}

std::string Length(Extended V)
{
    return TrimBlanks(LengthToText(V));
}

} // namespace

std::vector<std::string> ToolDataLines(int Gear)
{
    const auto& g = GearPair;
    const int i = Gear;
    const std::string u = " " + LengthUnitLabel();
    std::vector<std::string> l;
    l.push_back(g.GearCaption[i == 2 ? 2 : 1]);
    l.push_back("mn = " + Length(g.mn) + u);
    auto coef = [&](const char* Name, Extended C, Extended V) {
        return std::string(Name) + " = " + Coefficient(C) + " * mn = " + Length(V);
    };
    l.push_back(coef("hfP0", g.hfP0_mn[i], g.hfP0[i]) + u);
    l.push_back(coef("haP0", g.haP0_mn[i], g.haP0[i]) + u);
    l.push_back(coef("hP0", g.haP0_mn[i] + g.hfP0_mn[i], g.haP0[i] + g.hfP0[i]) + u);
    l.push_back(coef("raP0", g.rhoaP0_mn[i], g.rhoaP0[i]) + u);
    if (g.rhofP0_mn[i] > 0) l.push_back(coef("rfP0", g.rhofP0_mn[i], g.rhofP0[i]) + u);
    if (g.prP0_mn[i] > 0) {
        l.push_back(coef("prP0", g.prP0_mn[i], g.prP0[i]) + u);
        l.push_back("alpha prP0 = " + Coefficient(g.alphaprP0[i]) + DegreeSign());
    }
    if (g.HasChamfer[i] != 0) {
        l.push_back(coef("hFfP0", g.hFfP0_mn[i], g.hFfP0[i]));
        l.push_back("alpha kP0 = " + Coefficient(g.alphakP0[i]) + DegreeSign());
    }
    return l;
}

void DrawToolProfile(int Gear, bool TransverseSection, int WithText)
{
    if (telmvar.Aborted) return;
    const auto& g = GearPair;
    const int i = Gear;
    const TToolProfilePoints p = ToolProfilePoints(i);
    TProfilePen pen;
    pen.k = TransverseSection ? std::cos(g.beta_rad) : 1;
    pen.Elliptic = pen.k != 1 && g.beta_rad != 0;
    const Extended halfPitch = Pi * g.mn / 2;
    const Extended alphaDeg = g.alpha;
    const Extended tipEndDeg = p.Protuberance ? g.alphaprP0[i] : alphaDeg;
    const Extended rootDeg = p.Chamfer ? g.alphakP0[i] : alphaDeg;
    // The flank end the root reaches: the protuberance flank's end P, else A.
    const Extended fx = p.Protuberance ? p.Px : p.Ax;
    const Extended fy = p.Protuberance ? p.Py : p.Ay;

    CadSetLayer(3);
    for (const Extended s : {Extended(1), Extended(-1)}) {
        if (s < 0) {
            // The tip line joins the two halves.
            pen.Line(1, p.CaX, p.yTip, -p.CaX, p.yTip);
        }
        if (p.RootRadius) {
            pen.Line(s, halfPitch, p.yRoot, p.CfX, p.yRoot);
            if (s > 0)
                pen.Arc(p.CfX, p.CfY, 90, 180 - rootDeg, g.rhofP0[i]);
            else
                pen.Arc(-p.CfX, p.CfY, rootDeg, 90, g.rhofP0[i]);
            if (p.Chamfer) {
                pen.Line(s, p.Ex, p.Ey, p.Bx, p.By);
                pen.Line(s, p.Bx, p.By, fx, fy);
            } else {
                pen.Line(s, p.Ex, p.Ey, fx, fy);
            }
        } else {
            pen.Line(s, halfPitch, p.yRoot, p.Qx, p.Qy);
            pen.Line(s, p.Qx, p.Qy, p.Bx, p.By);
            pen.Line(s, p.Bx, p.By, fx, fy);
        }
        if (p.Protuberance) pen.Line(s, p.Px, p.Py, p.Ax, p.Ay);
        if (s > 0)
            pen.Arc(p.CaX, p.CaY, 270, 360 - tipEndDeg, g.rhoaP0[i]);
        else
            pen.Arc(-p.CaX, p.CaY, 180 + tipEndDeg, 270, g.rhoaP0[i]);
    }

    if (WithText != 1) return;
    const Extended mn = g.mn;
    CadSetLayer(1);
    CadLine(0, p.yTip - 0.1L * mn, 0, p.yRoot + 0.1L * mn);
    CadLine(-mn, p.yDatum, mn, p.yDatum);
    CadSetLayer(4);
    CadSetTextStyle(2, 0, 0.08L * mn, 0.06L * mn);
    CadMoveTo(0.05L * mn, p.yDatum + 0.03L * mn);
    CadTextLine(g.PartNumber[i]);
    CadTextLine(g.GearName[i]);
    CadTextLine("(Tool)");
    CadMoveTo(1.5L * mn, p.yRoot - 0.15L * mn);
    for (const auto& line : ToolDataLines(i))
        CadTextLine(line);
}

Extended ToolEnvelopeRange(int Gear)
{
    const int z = GearPair.z[Gear];
    return z > 1 ? 0.69L / std::log(Extended(z)) + 4.5L / z : 0.3L;
}

void DrawToolEnvelope(int Gear)
{
    if (telmvar.Aborted) return;
    auto& g = GearPair;
    if (g.GearToothShapes == 0) g.GearToothShapes = 30;
    // A negative count from a project file draws nothing rather than
    // looping.
    const int n = g.GearToothShapes;
    if (n <= 0) return;
    const Extended thetaMax = ToolEnvelopeRange(Gear);
    const Extended step = thetaMax / n;
    const Extended r = g.d[Gear] / 2;
    const Extended e = (g.d[Gear] - g.df_pic[Gear]) / 2;
    const std::string block = "WERKZS" + IntToText(Gear);
    // An integer index: a summed angle can end a hair below the range and
    // add a position at the far end.
    for (int k = 0; k < 2 * n; ++k) {
        const Extended theta = -thetaMax + k * step;
        // The rack point that touched the reference circle at theta = 0,
        // in the frame of the gear turned by theta.
        const Extended u = r * (theta - std::sin(theta));
        const Extended v = r * (1 - std::cos(theta));
        const Extended x = RotatedFrameX(u, v, -theta);
        const Extended y = RotatedFrameY(u, v, -theta);
        CadSetLayer(0);
        CadInsertBlock(block, x, y + e + g.df_pic[Gear] / 2, RadToDeg(theta), 1, 1);
    }
}
