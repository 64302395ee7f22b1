#include "drawings/stage/frontviews.h"

#include "drawings/stage/stagewheels.h"
#include "drawings/stage/wolf.h"
#include "drawings/tooth/toothcontour.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "gearpair/assembly.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "graphics/cad/caddimensions.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/meshtransfer.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"

#include <cmath>
#include <string>

namespace
{

Extended RingRootRadius()
{
    return std::fabs(PlanetaryGears.df[gH]);
}

// The mark of a wheel: a small circle on its working pitch circle, straight
// below the centre for an odd tooth number, at Angle for an even one.
void WheelMark(int z, Extended Angle, Extended PitchDiameter)
{
    CadSetLayer(5);
    const Extended r = PitchDiameter / 2;
    if (z % 2 == 0)
        CadCircle(r * std::cos(Angle), r * std::sin(Angle), 0.15L * GearPair.mn);
    else
        CadCircle(0, -r, 0.15L * GearPair.mn);
}

// Bearing n of the planet at (X, Y): bore, outside and rolling-element pitch
// circles, or the bore of the wheel when no bearing is chosen.
void PlanetBearingCircles(int n, Extended X, Extended Y, Extended Bore)
{
    if (PlanetBearingDefined(n)) {
        const auto& b = PlanetBearings[n];
        CadSetLayer(5);
        CadCircle(X, Y, b.d / 2);
        CadCircle(X, Y, b.D / 2);
        CadSetLayer(1);
        CadCircle(X, Y, (b.d + b.D) / 4);
    } else if (Bore > 0) {
        CadSetLayer(5);
        CadCircle(X, Y, Bore / 2);
    }
}

void InsertAt(const char* Name, Extended X, Extended Y, Extended AngleDeg)
{
    CadInsertBlock(Name, X, Y, AngleDeg, 1, 1);
}

} // namespace

void DrawToothRing(int16_t n)
{
    if (telmvar.Aborted || n < 1 || n > 4) return;
    const int z = PlanetaryGears.z[n];
    if (z == 0) return;
    const Extended s = Extended(360) / z;
    const std::string block = "EVOLV" + std::to_string(n);
    Extended a = 0;
    for (int k = 0; k < std::abs(z); ++k) {
        CadSetLayer(0);
        CadInsertBlock(block, 0, 0, (360 - a) + s / 2, 1, 1);
        a += s;
    }
}

void DefineWheelBlocks(const TWheelBlockOptions& Options)
{
    const bool Marks = Options.Marks;
    auto& g = PlanetaryGears;
    auto& p = GearPair;
    // The mark of the outer planet reads the pair-gear indicator before the
    // mesh S-Pi sets it below: set it from this stage first, so the mark
    // does not depend on what was drawn before.
    SetPairGearOrderFromStage();

    CalcMesh(mPeH);
    SetAnimationAngles();
    CadBeginBlock("EVOLV4");
    GenerateToothContour(2, false);
    CadEndBlock();
    CadBeginBlock("RADH");
    DrawToothRing(gH);
    if (Marks && g.z[gH] != 0) {
        CadSetLayer(5);
        const Extended alpha = -Pi / 2 - Pi / g.z[gH];
        const Extended r = std::fabs(g.dw[2][mPeH]) / 2;
        CadCircle(r * std::cos(alpha), r * std::sin(alpha), 0.15L * p.mn);
    }
    CadEndBlock();
    CadBeginBlock("EVOLV3");
    GenerateToothContour(1, false);
    CadEndBlock();
    CadBeginBlock("RADPE");
    DrawToothRing(gPe);
    if (Marks && p.z[1] != 0) {
        const int z = p.z[1];
        const Extended alpha = p.PairGearOrder == 1 ? -Pi / 2 + Pi / z : -Pi / 2 - Pi / z;
        WheelMark(z, alpha, p.dw[1]);
    }
    if (Options.PlanetBores) PlanetBearingCircles(2, 0, 0, g.dBInUse[gPe]);
    CadEndBlock();

    CalcMesh(mSPi);
    SetAnimationAngles();
    SetPairGearOrderFromStage();
    const bool sunIsGear2 = g.z[gS] > g.z[gPi];
    CadBeginBlock("EVOLV1");
    GenerateToothContour(sunIsGear2 ? 2 : 1, false);
    CadEndBlock();
    CadBeginBlock("EVOLV2");
    GenerateToothContour(sunIsGear2 ? 1 : 2, false);
    CadEndBlock();
    CadBeginBlock("RADPI");
    DrawToothRing(gPi);
    if (Marks && g.z[gPi] != 0) WheelMark(g.z[gPi], -Pi / 2 - Pi / g.z[gPi], g.dw[2][mSPi]);
    if (Options.PlanetBores) PlanetBearingCircles(1, 0, 0, g.dBInUse[gPi]);
    CadEndBlock();
    CadBeginBlock(Options.SunBlock);
    DrawToothRing(gS);
    if (Marks && g.z[gS] != 0) WheelMark(g.z[gS], -Pi / 2 - Pi / g.z[gS], g.dw[1][mSPi]);
    CadEndBlock();

    CadBeginBlock("CARRIER");
    CadSetLayer(1);
    CadMoveTo(0, 0);
    CadLinePolar(g.aInUse[mSPi], PlanetaryStage.PhiSun);
    CadLineTo(-g.aInUse[mPeH], 0);
    CadLineTo(0, 0);
    CadEndBlock();
}

void DefineFrontViewBlocks(int16_t Marks)
{
    TWheelBlockOptions o;
    o.Marks = Marks != 0;
    DefineWheelBlocks(o);
    if (Marks == 0) {
        CadBeginBlock("pgear");
        DrawFrontView();
        CadEndBlock();
        CadBeginBlock("wolf");
        CadSetLayer(21);
        WolfView();
        CadEndBlock();
    }
}

void DrawFrontView()
{
    const auto& g = PlanetaryGears;
    const TStageWheelPlaces w = StageWheelPlaces();
    CadSetLayer(0);
    InsertAt("RADH", 0, 0, 0);
    for (const TPlanetSetPlace& s : w.Sets) {
        InsertAt("CARRIER", 0, 0, s.Angle * 180 / Pi - 90);
        InsertAt("RADPE", s.OuterX, s.OuterY, s.OuterPhase);
        InsertAt("RADPI", s.InnerX, s.InnerY, s.InnerPhase);
    }
    InsertAt("RADS", 0, 0, w.SunPhase);
    if (g.dBInUse[gS] > 0) {
        CadSetLayer(5);
        CadCircle(0, 0, g.dBInUse[gS] / 2);
    } else {
        CadSetLayer(0);
        CadCircle(0, 0, 0.01L * g.d[gS]);
    }
}

void DrawDimensionedFrontView()
{
    const auto& g = PlanetaryGears;
    const Extended R = RingRootRadius();
    const Extended L = 0.56L * R;
    const Extended a1 = g.aInUse[mSPi];
    const Extended a3 = std::fabs(g.aInUse[mPeH]);
    const Extended offset = PlanetaryStage.PhiSun;
    const int q = GearPair.qp;

    CadSetLayer(1);
    CadLine(0, -L, 0, L);
    CadLine(-L, 0, L, 0);
    CadCircle(0, 0, std::fabs(g.d[gH]) / 2);
    CadCircle(0, 0, g.d[gS] / 2);
    if (g.dBInUse[gS] > 0) CadCircle(0, 0, g.dBInUse[gS] / 2);
    for (int k = 0; k < q; ++k) {
        const Extended phi = PlanetAngle(k);
        const Extended px = a1 * std::cos(phi), py = a1 * std::sin(phi);
        const Extended qx = a3 * std::cos(phi + offset), qy = a3 * std::sin(phi + offset);
        CadSetLayer(1);
        CadCircle(px, py, g.d[gPi] / 2);
        PlanetBearingCircles(1, px, py, 0);
        CadSetLayer(1);
        CadCircle(qx, qy, g.d[gPe] / 2);
        PlanetBearingCircles(2, qx, qy, 0);
    }
    CadSetLayer(1);
    CadCircle(0, 0, a1);

    CadSetLayer(5);
    CadCircle(0, 0, std::fabs(g.da[gH]) / 2);
    CadCircle(0, 0, g.da[gS] / 2);
    Extended psi = 0;
    for (int k = 0; k < q; ++k) {
        psi = PlanetAngle(k);
        CadCircle(a1 * std::cos(psi), a1 * std::sin(psi), g.da[gPi] / 2);
        CadCircle(a3 * std::cos(psi + offset), a3 * std::sin(psi + offset), g.da[gPe] / 2);
    }

    // Planet numbers and the angles between the sets only where the sets
    // stand evenly: without planets the assembly question has no answer
    // and must not end the calculation.
    if (q < 1 || AssemblyConditionFails(g.z[gH], g.z[gS], q, true)) return;
    SetDimensionScale(R / 100);
    CadSetLayer(4);
    Extended previous = 0;
    for (int k = 0; k <= q; ++k) {
        CadSetTextStyle(2, 0, 0.04L * L, 0.03L * L);
        // Each number on the text layer: the angle dimension before it
        // leaves its own layer set.
        CadSetLayer(4);
        if (k < q) CadText(std::to_string(k + 1), a1 * std::cos(psi), a1 * std::sin(psi));
        psi = PlanetAngle(k);
        if (k > 0) {
            CadArcToleranceDimension(AngleToText((psi - previous) * 180 / Pi), "", "", 0, 0,
                                     previous * 180 / Pi, psi * 180 / Pi, -0.6L * g.d[gPe], 0);
        }
        previous = psi;
    }
}
