#include "drawings/stage/carrier.h"

#include "drawings/production/carrierdetails.h"
#include "drawings/production/isotolerance.h"
#include "gearpair/assembly.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "planetary/stage.h"

#include <algorithm>
#include <cmath>

namespace
{

// A filled circle only where there is something to fill: a radius of 0
// would give the STL output a solid without volume.
void Pin(Extended X, Extended Y, Extended R)
{
    if (R > 0) CadFilledCircle(X, Y, R);
}

} // namespace

void DrawCarrier()
{
    const auto& st = PlanetaryStage;
    const auto& g = PlanetaryGears;
    const Extended mn = GearPair.mn;
    const int q = GearPair.qp;
    CadSetLayer(5);
    switch (st.CarrierForm) {
    case 1:
        DrawSlottedRingDetail(q, IsoToleratedSize(g.dshS) / 2, 2 * mn + 2 * g.dshS, st.dshPi / 2,
                              st.dshPe / 2, std::max(st.dshPi, st.dshPe), g.aInUse[mSPi], g.aInUse[mPiPe],
                              g.aInUse[mPeH], st.PhiSun, st.PhiPe, st.PhiPi);
        break;
    case 2:
        DrawHubRingDetail(IsoToleratedSize(g.dshS) / 2, 2 * mn + st.dshPe / 2, g.aInUse[mPeH]);
        break;
    case 3:
        DrawBoreRingDetail(2 * mn + st.dshPi / 2, 2 * mn + st.dshPe / 2, g.aInUse[mSPi], g.aInUse[mPeH]);
        break;
    default:
        CadCircle(0, 0, std::fabs(g.aInUse[mPeH]) + 0.4L * g.d[gPe]);
        break;
    }
    const Extended a1 = g.aInUse[mSPi];
    const Extended a3 = std::fabs(g.aInUse[mPeH]);
    for (int k = 1; k <= q; ++k) {
        const Extended psi = PlanetPositionAngle(k, g.z[gH], g.z[gS], true, q);
        CadSetLayer(5);
        Pin(a3 * std::cos(psi), a3 * std::sin(psi), st.dshPe / 2);
        Pin(a1 * std::cos(psi + st.PhiSun), a1 * std::sin(psi + st.PhiSun), st.dshPi / 2);
    }
    if (st.CarrierShaft && (st.CarrierForm == 1 || st.CarrierForm == 2) && st.dcarrier > g.dshS)
        DrawCarrierHub();
}

void DrawCarrierHub()
{
    const auto& st = PlanetaryStage;
    Extended low = 0, high = 0;
    GetCadZRange(low, high);
    SetCadZRange(low, high + st.lcarrier);
    if (st.dcarrier > 0) CadCircle(0, 0, 0.5L * st.dcarrier);
    Pin(0, 0, 0.5L * IsoToleratedSize(PlanetaryGears.dshS));
}

void CarrierSchematicBlock()
{
    const auto& g = PlanetaryGears;
    DrawPlanetSpacingDetail(g.z[gH], g.z[gS], g.z[gPe], GearPair.mn, GearPair.beta_rad, g.aInUse[mSPi],
                            g.aInUse[mPeH], PlanetaryStage.PhiSun, g.z[gPi], GearPair.qp);
}
