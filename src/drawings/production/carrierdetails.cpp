#include "drawings/production/carrierdetails.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/assembly.h"
#include "graphics/cad/caddimensions.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

TPlanetSetCentres PlanetSetCentres(Extended Theta, Extended rI, Extended rE, Extended OffsetAngle)
{
    TPlanetSetCentres c;
    const Extended re = std::fabs(rE);
    const Extended ri = std::fabs(rI);
    c.OuterX = re * std::cos(Theta);
    c.OuterY = re * std::sin(Theta);
    c.InnerX = ri * std::cos(Theta + OffsetAngle);
    c.InnerY = ri * std::sin(Theta + OffsetAngle);
    return c;
}

void DrawPlanetSpacingDetail(int zH, int zS, int zPe, Extended mn, Extended beta, Extended rI, Extended rE,
                             Extended OffsetAngle, int zPi, int q)
{
    // The ring is the internal gear: its tooth number and the centre circle
    // of the outer planets (the mesh with the ring) count as negative,
    // whichever sign the caller passed.
    if (zH > 0) zH = -zH;
    if (rE > 0) rE = -rE;
    const Extended mt = mn / std::cos(beta);
    const Extended L = 0.4L * mt * zPe + 1.2L * std::fabs(rE);

    CadSetLayer(1);
    CadLine(L, 0, -L, 0);
    CadLine(0, L, 0, -L);
    CadCircle(0, 0, std::fabs(rI));
    CadCircle(0, 0, std::fabs(rE));
    if (q <= 0) return;

    Extended previous = PlanetPositionAngle(q - 1, zH, zS, true, q) - 2 * Pi;
    for (int i = 0; i < q; ++i) {
        const Extended theta = PlanetPositionAngle(i, zH, zS, true, q);
        const TPlanetSetCentres c = PlanetSetCentres(theta, rI, rE, OffsetAngle);
        CadSetLayer(1);
        CadCircle(c.OuterX, c.OuterY, mt * zPe / 2);
        CadCircle(c.InnerX, c.InnerY, mt * zPi / 2);

        CadSetTextStyle(2, 0, 0.08L * L, 0.06L * L);
        CadSetLayer(4);
        CadText(c.OuterX, c.OuterY, std::to_string(i + 1) + "e");
        CadText(c.InnerX, c.InnerY, std::to_string(i + 1) + "i");

        // Dimensions sized to the ring, so a large stage gets readable
        // arrows and texts at the same paper scale as a small one.
        SetDimensionScale(0.007L * mt * std::abs(zH));
        CadArcToleranceDimension(TrimBlanks(AngleToText(RadToDeg(theta - previous))), "", "", 0, 0,
                                 RadToDeg(previous), RadToDeg(theta), L, 0);
        CadArcToleranceDimension(TrimBlanks(AngleToText(RadToDeg(OffsetAngle))), "", "", 0, 0,
                                 RadToDeg(theta), RadToDeg(theta + OffsetAngle), 0.94L * L, 1);
        previous = theta;
    }
    CadVerticalDimension(TrimBlanks(LengthToText(2 * std::fabs(rI))), "", "", 0, -std::fabs(rI), 0,
                         std::fabs(rI), 1.1L * L);
    CadVerticalDimension(TrimBlanks(LengthToText(2 * std::fabs(rE))), "", "", 0, -std::fabs(rE), 0,
                         std::fabs(rE), 1.2L * L);
    SetDimensionScale(1.0L);
}

Extended PlanetSpacingDetailDepth(int zH, int zPe, Extended mn, Extended beta, Extended rI, Extended rE,
                                  int zPi)
{
    const Extended mt = mn / std::cos(beta);
    const Extended L = 0.4L * mt * zPe + 1.2L * std::fabs(rE);
    const Extended planets =
        std::max(std::fabs(rE) + std::fabs(mt * zPe) / 2, std::fabs(rI) + std::fabs(mt * zPi) / 2);
    const Extended base = cadsettings.CadDimScale == 0 ? 1.0L : cadsettings.CadDimScale;
    return std::max(L, planets) + std::fabs(0.007L * mt * zH * base);
}

void DrawBoreRingDetail(Extended t, Extended r, Extended R, Extended s)
{
    CadCircle(0, 0, r + std::fabs(s));
    CadFilledCircle(0, 0, R - t);
}

void DrawHubRingDetail(Extended rFill, Extended r, Extended s)
{
    CadSetLayer(5);
    CadCircle(0, 0, r + std::fabs(s));
    CadFilledCircle(0, 0, rFill);
}

void DrawSlottedRingDetail(int n, Extended rCentre, Extended R, Extended /*e3*/, Extended /*e4*/, Extended w,
                           Extended /*e6*/, Extended runBack, Extended rOut, Extended angle1, Extended angle2,
                           Extended /*e11*/)
{
    // No sector angle without a slot count, and no slot half-angle on a
    // ring of radius 0: nothing sensible to draw.
    if (n <= 0 || R == 0) return;
    rOut = std::fabs(rOut);
    const Extended step = 2 * Pi / n;
    const Extended phi = SafeArcSin(w / R);
    CadBeginPolyline(0);
    for (int i = 0; i < n; ++i) {
        const Extended theta = i * step;
        CadPolylineVertexPolar(R, theta - phi, 0);
        CadPolylineArcVertex(rOut - R * std::cos(phi), theta, w, Pi - angle2);
        CadPolylineArcVertex(runBack, theta + Pi - angle2, w, angle1 + angle2);
        CadPolylineVertexPolar(R, theta + phi + angle1, 0);
        CadPolylineVertexPolar(R, theta + step - phi, 0);
    }
    CadEndPolyline();
    CadFilledCircle(0, 0, rCentre);
}

void DrawCarrierLink(Extended rBore1, Extended rBore2, Extended R, Extended a)
{
    CadSetLayer(5);
    CadBeginPolyline(0);
    CadPolylineVertex(0, R, Pi);
    CadPolylineVertex(0, -R, 0);
    CadPolylineVertex(a, -R, Pi);
    CadPolylineVertex(a, R, 0);
    CadPolylineVertex(0, R, 0);
    CadEndPolyline();
    CadFilledCircle(0, 0, rBore1);
    CadFilledCircle(a, 0, rBore2);
}
