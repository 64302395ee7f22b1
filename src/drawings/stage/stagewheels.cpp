#include "drawings/stage/stagewheels.h"

#include "drawings/production/carrierdetails.h"
#include "foundation/guardedmath.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"

#include <cmath>
#include <cstdlib>

namespace
{

Extended Degrees(Extended Rad)
{
    return Rad * 180 / Pi;
}

// Half a pitch in degrees for an even tooth number, else 0: an even wheel
// has a gap opposite each tooth, an odd one a tooth.
Extended EvenHalfPitch(int z)
{
    return z != 0 && z % 2 == 0 ? Extended(180) / z : 0;
}

} // namespace

TStageWheelPlaces StageWheelPlaces()
{
    const auto& g = PlanetaryGears;
    const int zS = g.z[gS], zPi = g.z[gPi], zPe = g.z[gPe], zH = g.z[gH];
    const Extended offset = PlanetaryStage.PhiSun;
    const Extended phase = PlanetaryStage.PhiPe;
    TStageWheelPlaces w;
    const int q = GearPair.qp;
    Extended firstInner = 0;
    for (int k = 0; k < q; ++k) {
        TPlanetSetPlace s;
        s.Angle = PlanetAngle(k);
        const TPlanetSetCentres c =
            PlanetSetCentres(s.Angle - Pi / 2, g.aInUse[mSPi], g.aInUse[mPeH], offset);
        s.OuterX = c.OuterX;
        s.OuterY = c.OuterY;
        s.InnerX = c.InnerX;
        s.InnerY = c.InnerY;
        const Extended deg = Degrees(s.Angle);
        // The outer planet rolls on the ring as the set turns about the
        // axis; the sets after the first keep its meshing that way.
        if (zPe != 0) s.OuterPhase = (Extended(zH) / zPe + 1) * deg + 180 - Extended(180) / zPe;
        if (zPi != 0)
            s.InnerPhase = (Extended(zPe) / zPi + 1) * Degrees(s.Angle - phase) - s.OuterPhase * zPe / zPi +
                           EvenHalfPitch(zPi);
        if (k == 0) firstInner = s.InnerPhase;
        w.Sets.push_back(s);
    }
    if (zS != 0)
        w.SunPhase = (Extended(zPi) / zS + 1) * Degrees(offset) - firstInner * zPi / zS + EvenHalfPitch(zS);
    return w;
}

void SetPairGearOrderFromStage()
{
    GearPair.PairGearOrder = PlanetaryGears.z[gS] > PlanetaryGears.z[gPi] ? 1 : 2;
}
