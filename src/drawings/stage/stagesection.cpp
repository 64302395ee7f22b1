#include "drawings/stage/stagesection.h"

#include "drawings/bearings/bearingdraw.h"
#include "drawings/production/gearbody.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stage.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace
{

struct TPoint {
    Extended x, y;
};

void Body(int n, Extended Centre)
{
    const auto& g = PlanetaryGears;
    DrawGearBody(g.z[n], -g.b[n] / 2, Centre, g.d[n], g.da[n], g.df[n], 0, g.dBInUse[n], g.b[n], g.bcha[n],
                 45);
}

// The bearing block of planet n on the planet's middle plane (face width b,
// centre Centre): one bearing centred, a pair of taper roller, angular
// contact or NJ bearings each flush with a side face in X or O
// arrangement, any other pair flush with the faces side by side.
void Bearings(int n, Extended Centre, Extended b)
{
    if (!PlanetBearingDefined(n)) return;
    const auto& r = PlanetBearings[n];
    const TBearingDrawingData d = BearingDrawingData(r);
    const std::string block = "LAGER" + std::to_string(n);
    // A taper roller bearing reaches from 0 to its total width T: centring
    // it with the ring width B would put it off the middle plane.
    const Extended w = d.TypeCode == 6 ? d.T : d.B;
    if (r.BearingCount != 2) {
        CadInsertBlock(block, -w / 2, Centre, 0, 1, 1);
        return;
    }
    if (d.TypeCode == 6 || d.TypeCode == 8 || BearingIsNJ(n)) {
        if (r.Arrangement == 2) {
            CadInsertBlock(block, -b / 2 + w, Centre, 180, 1, 1);
            CadInsertBlock(block, b / 2 - w, Centre, 0, 1, 1);
        } else {
            CadInsertBlock(block, -b / 2, Centre, 0, 1, 1);
            CadInsertBlock(block, b / 2, Centre, 180, 1, 1);
        }
        return;
    }
    CadInsertBlock(block, -b / 2, Centre, 0, 1, 1);
    CadInsertBlock(block, b / 2 - d.B, Centre, 0, 1, 1);
}

} // namespace

void HatchedSectionRect(int16_t Side, Extended X1, Extended Y1, Extended X2, Extended Y2, Extended HatchA,
                        Extended HatchB, Extended Amplitude)
{
    if (Amplitude == 0) Amplitude = std::min(std::fabs(X2 - X1), std::fabs(Y2 - Y1)) / 5;
    ResetHatch();
    const TPoint corners[5] = {{X1, Y1}, {X2, Y1}, {X2, Y2}, {X1, Y2}, {X1, Y1}};
    for (int side = 1; side <= 4; ++side) {
        const TPoint& from = corners[side - 1];
        const TPoint& to = corners[side];
        if (side == Side) {
            HatchStrip(true, from.x, from.y, to.x, to.y, Amplitude);
            continue;
        }
        if (side == 1) AddHatchPoint(from.x, from.y);
        AddHatchPoint(to.x, to.y);
    }
    SetHatchMode(2);
    CadSetLayer(3);
    HatchCollected(0, HatchA, HatchB);
}

void DrawStageSection()
{
    const auto& g = PlanetaryGears;
    const Extended R = -g.df[gH];
    const Extended W = 0.6L * std::max(g.b[gS], g.b[gH]);
    const Extended Y = 0.56L * R;
    const Extended bS = g.b[gS], bH = g.b[gH], bPe = g.b[gPe];

    CadSetLayer(1);
    CadLine(-W, 0, W, 0);
    CadLine(-0.55L * bS, -g.d[gS] / 2, 0.55L * bS, -g.d[gS] / 2);
    CadLine(-0.55L * bS, g.d[gS] / 2, 0.55L * bS, g.d[gS] / 2);
    CadLine(-0.55L * bH, std::fabs(g.d[gH]) / 2, 0.55L * bH, std::fabs(g.d[gH]) / 2);
    CadLine(-0.55L * bH, -std::fabs(g.d[gH]) / 2, 0.55L * bH, -std::fabs(g.d[gH]) / 2);

    CadSetLayer(0);
    HatchedSectionRect(3, -bH / 2, R / 2, bH / 2, Y, 0, 45, 0);
    HatchedSectionRect(3, -bH / 2, -R / 2, bH / 2, -Y, 0, 45, 0);
    SetDefaultHatchMode();

    CadSetLayer(5);
    CadLine(-bH / 2, -R / 2, bH / 2, -R / 2);
    CadLine(-bH / 2, R / 2, bH / 2, R / 2);
    const Extended tip = std::fabs(g.da[gH]) / 2;
    CadLine(-bH / 2, tip, bH / 2, tip);
    if (bH > bPe) {
        CadLine(-bH / 2, -tip, -bPe / 2, -tip);
        CadLine(bH / 2, -tip, bPe / 2, -tip);
    }
    for (const Extended x : {-bH / 2, bH / 2}) {
        if (bH < bS) {
            CadLine(x, Y, x, g.da[gS] / 2);
            CadLine(x, -Y, x, -g.da[gS] / 2);
        } else {
            CadLine(x, -Y, x, Y);
        }
    }

    Body(gS, 0);
    Body(gPi, g.aInUse[mSPi]);
    Body(gPe, g.aInUse[mPeH]);
    Bearings(1, g.aInUse[mSPi], g.b[gPi]);
    Bearings(2, g.aInUse[mPeH], g.b[gPe]);
}
