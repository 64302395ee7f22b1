#include "drawings/tooth/diametercircles.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/caddimensions.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <cmath>

TArcLabel ArcLabel(bool Inside, Extended X, Extended Y, Extended HalfAngle, Extended D, Extended MidAngle,
                   Extended LabelAt)
{
    const Extended mn = GearPair.mn;
    TArcLabel l;
    l.Height = 0.1L * mn;
    l.CharWidth = 0.08L * mn;
    // Along the arc as at its end: the angle of the label turns with its
    // place.
    l.Angle = LabelAt == 0.8L ? -HalfAngle : -HalfAngle * LabelAt / 0.8L;
    // Measured from +y towards +x.
    const Extended lambda = DegToRad(MidAngle - 90) + LabelAt * DegToRad(HalfAngle);
    if (Inside) {
        l.X = X + std::sin(lambda) * (D / 2 - 0.12L * mn);
        l.Y = Y + std::cos(lambda) * (D / 2 - 0.12L * mn);
    } else {
        l.X = X + std::sin(lambda) * (D / 2 + 0.08L * mn);
        l.Y = Y + std::cos(lambda) * (D / 2 + 0.05L * mn);
    }
    return l;
}

void DrawLabelledArc(const std::string& Name, bool Inside, Extended X, Extended Y, Extended HalfAngle,
                     Extended D, Extended MidAngle, Extended LabelAt)
{
    const TArcLabel l = ArcLabel(Inside, X, Y, HalfAngle, D, MidAngle, LabelAt);
    CadSetTextStyle(2, l.Angle, l.Height, l.CharWidth);
    if (D >= 0)
        CadArc(X, Y, MidAngle - HalfAngle, MidAngle + HalfAngle, D / 2);
    else
        // An internal gear's half angle is negative too (180 / z, z < 0):
        // the arc about the opposite side is again the short one.
        CadArc(X, Y, MidAngle + 180 + HalfAngle, MidAngle + 180 - HalfAngle, -D / 2);
    CadText(l.X, l.Y, Name);
}

bool ClippedHalfAngle(Extended Y, Extended D, Extended YLimit, Extended& HalfAngle)
{
    // No diameter (missing data): no arc, and no division by it.
    if (D == 0) return false;
    const Extended ratio = std::fabs((YLimit - Y) / (D / 2));
    if (ratio > 1) return false;
    const Extended a = RadToDeg(NamedArcCos("Warning: ArcLimit", ratio));
    // The sign stays: an internal gear's negative half angle is what makes
    // the arc about its negative diameter the short one.
    if (a < std::fabs(HalfAngle) && a != 0) HalfAngle = std::copysign(a, HalfAngle);
    return true;
}

void DrawClippedLabelledArc(const std::string& Name, bool Inside, Extended X, Extended Y, Extended HalfAngle,
                            Extended D, Extended MidAngle, Extended YLimit, Extended LabelAt)
{
    if (ClippedHalfAngle(Y, D, YLimit, HalfAngle))
        DrawLabelledArc(Name, Inside, X, Y, HalfAngle, D, MidAngle, LabelAt);
}

void DrawLabelledCircle(const std::string& Name, Extended X, Extended Y, Extended /*HalfAngle*/, Extended D,
                        Extended Size)
{
    CadCircle(X, Y, std::fabs(D) / 2);
    CadSetTextStyle(2, 0, Size / 25, Size / 35);
    CadTextLine(Name);
}

void DrawDiameterArcs(int Gear, Extended MidAngle, Extended X, Extended Y)
{
    const auto& g = GearPair;
    const int i = Gear;
    if (g.z[i] == 0) return;
    const Extended half = 1.5L * 180 / g.z[i];
    const Extended mn = g.mn;
    const std::string n = IntToText(i);
    auto arc = [&](int Layer, const std::string& Name, Extended D, Extended Half) {
        CadSetLayer(Layer);
        DrawLabelledArc(Name, false, X, Y, Half, D, MidAngle);
    };
    CadSetLayer(0);
    arc(18, "dw" + n, g.dw_pic[i], half);
    // Nearly equal circles: the wider arc keeps the two labels apart.
    arc(17, "d" + n, g.d[i], std::fabs(g.d[i] - g.dw_pic[i]) < 0.1L * mn ? 1.2L * half : half);
    arc(25, "db" + n, g.db[i], half);
    arc(19, "df" + n, g.df_pic[i], half);
    arc(21, "da" + n, g.da_pic[i], half);
    arc(20, "dFf", g.dFfmax[i], std::fabs(g.dFfmax[i] - g.db[i]) < 0.1L * mn ? 1.2L * half : half);
    if (g.da[i] != g.dFamax[i]) arc(29, "dFa" + n, g.dFamax[i], half);
    const bool close =
        std::fabs(g.db[i] - g.dNf[i]) < 0.15L * mn || std::fabs(g.d[i] - g.dNf[i]) < 0.15L * mn;
    arc(24, "dNf" + n, g.dNf[i], close ? 1.2L * half : half);
    CadSetLayer(0);
}

void DrawDiameterCircles(int Gear, Extended X, Extended Y)
{
    const auto& g = GearPair;
    const int i = Gear;
    if (g.z[i] == 0) return;
    const Extended size = std::fabs(g.df_pic[i]);
    const Extended half = 1.5L * 180 / g.z[i];
    CadMoveTo(X - size / 4, Y + size / 4);
    auto circle = [&](int Layer, const char* Name, Extended D) {
        CadSetLayer(Layer);
        DrawLabelledCircle(std::string(Name) + " = " + TrimBlanks(LengthToTextDecimals(3, D)), X, Y, half, D,
                           size);
    };
    circle(18, "dw", g.dw_pic[i]);
    circle(17, "d", g.d[i]);
    circle(29, "db", g.db[i]);
    circle(19, "df", g.df_pic[i]);
    circle(21, "da", g.da_pic[i]);
    if (g.db[i] != g.dFfmax[i]) circle(20, "dFf", g.dFfmax[i]);
    if (g.da[i] != g.dFamax[i]) circle(29, "dFa", g.dFamax[i]);
    circle(24, "dNf", g.dNf[i]);
    CadSetLayer(0);
}

Extended MeasuringBallCentreRadius(int Gear)
{
    const auto& g = GearPair;
    const int i = Gear;
    const Extended r = (g.MdK_xemin[i] + g.MdK_xemax[i]) / 4 - g.DM[i] / 2;
    if (IsEven(g.z[i]) || g.z[i] == 0) return r;
    // Odd teeth: the balls sit in gaps half a pitch from opposite, so the
    // dimension is their chord, pi / 2z off the diameter (not pi / z,
    // which would put the ball into the flanks).
    return r / std::cos(Pi / (2 * Extended(g.z[i])));
}

void DrawMeasuringBall(int Gear)
{
    const auto& g = GearPair;
    const int i = Gear;
    CadSetLayer(4);
    const Extended rb = MeasuringBallCentreRadius(i);
    if (g.beta == 0)
        CadCircle(0, rb, g.DM[i] / 2);
    else
        // The pin cut by the transverse plane: an ellipse, x radius first.
        CadCircleChords(0, rb, g.DM[i] / (2 * std::cos(g.beta_rad)), g.DM[i] / 2);
}

bool StopToothLoop(int /*N*/)
{
    return false;
}
