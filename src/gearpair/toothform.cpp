#include "gearpair/toothform.h"

#include <cmath>
#include <string>

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"

Extended RootFormDiameterFromSines(Extended d, Extended sinT, Extended haP0, Extended x, Extended mn,
                                   Extended rhoaP0, Extended sinN, Extended db)
{
    // Radius of curvature of the involute where the tool's tip rounding
    // leaves the flank: d/2 sin alpha_t minus the generating depth.
    const Extended rhoF2 = d * sinT - 2 * (haP0 - x * mn - (1 - sinN) * rhoaP0) / sinT;
    return std::sqrt(db * db + rhoF2 * rhoF2);
}

Extended RootFormDiameter(Extended d, Extended alphat, Extended haP0, Extended x, Extended mn,
                          Extended rhoaP0, Extended alphan, Extended db)
{
    return RootFormDiameterFromSines(d, std::sin(alphat), haP0, x, mn, rhoaP0, std::sin(alphan), db);
}

Extended RootFormDiameterProtuberance(Extended q, Extended d, Extended alphat, Extended haP0, Extended x,
                                      Extended mn, Extended rhoaP0, Extended alphan, Extended db)
{
    const Extended reduced = haP0 - q * (1 / std::sin(alphan) - q * std::tan(alphan));
    return RootFormDiameter(d, alphat, reduced, x, mn, rhoaP0, alphan, db);
}

Extended TipFormDiameterChamfer(int z, int gear, Extended& sak, Extended alphan, Extended beta, Extended mn,
                                Extended x1, Extended x2, Extended alphakP0, Extended hFfP0, Extended da)
{
    const Extended mt = mn / std::cos(beta);
    const Extended d = z * mt;
    const Extended alphat = std::atan(std::tan(alphan) / std::cos(beta));
    const Extended db = d * std::cos(alphat);
    // Transverse thicknesses at the reference circle of the involute flank and
    // of the flank the chamfer generates.
    const Extended st = 2 * x1 * mn * std::tan(alphat) + Pi * mt / 2;
    const Extended alphakt = std::atan(std::tan(alphakP0) / std::cos(beta));
    const Extended dbk = d * std::cos(alphakt);
    const Extended stk =
        2 * x2 * mn * std::tan(alphakt) + 2 * hFfP0 * (std::tan(alphakt) - std::tan(alphat)) + Pi * mt / 2;

    // Above the tip form circle the chamfer flank is the thinner one; below it
    // the involute is.
    Extended lo = db;
    Extended hi = da;
    for (int step = 0; step < 100; ++step) {
        const Extended dm = (lo + hi) / 2;
        if (dm < db) {
            if (z >= 1) AddErrorMessage("Error  : db > dFa" + std::to_string(gear));
            return db;
        }
        const Extended s1 = (Involute(alphat) + st / d - Involute(SafeArcCos(db / dm))) * dm;
        if (dm < dbk) {
            if (z >= 1) AddErrorMessage("Error  : dbk > dFa" + std::to_string(gear) + " !");
            return da;
        }
        const Extended s2 = (Involute(alphakt) + stk / d - Involute(SafeArcCos(dbk / dm))) * dm;
        sak = s2;
        if (s2 > s1)
            lo = dm;
        else
            hi = dm;
        if (std::fabs(s2 - s1) < 0.0005L) return dm;
    }
    return da;
}

Extended SpecificSlidingAt(int z2, int which, Extended gap, Extended dbA, Extended dbB, Extended daA,
                           Extended daB, Extended u)
{
    return SpecificSlidingFromRadii(z2, which, gap, Cathetus(daA / 2, dbA / 2), Cathetus(daB / 2, dbB / 2),
                                    u);
}

Extended SpecificSlidingFromRadii(int z2, int which, Extended gap, Extended RadiusA, Extended RadiusB,
                                  Extended u)
{
    const bool internal = z2 < 0;
    // Radii of curvature of both flanks at the point.
    const Extended A = RadiusA + gap;
    const Extended B = RadiusB + (internal ? gap : -gap);
    if (A == 0) return 0;
    // Gear 2's sliding divides by its own radius of curvature: at its
    // interference point (B = 0) there is no finite value; report none
    // rather than divide by zero. Likewise for a pair without a ratio.
    if ((which != 1 && B == 0) || (which == 1 && u == 0)) return 0;
    Extended r = which == 1 ? B / A : A / B;
    r = which == 1 ? r / u : r * u;
    return internal ? r + 1 : 1 - r;
}
