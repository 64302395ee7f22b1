#include "gearpair/gearfactors.h"

#include "foundation/guardedmath.h"

#include <algorithm>
#include <cmath>

namespace
{

// Lower bound tested first, as the factor tables of the standard read.
Extended Clamp(Extended x, Extended lo, Extended hi)
{
    if (x < lo) x = lo;
    if (x > hi) x = hi;
    return x;
}

bool IsCastIron(int materialKind)
{
    return materialKind == 5 || materialKind == 6;
}

} // namespace

Extended SizeFactorZXDin(int heatTreatment, Extended mn)
{
    switch (heatTreatment) {
    case 2:
    case 3:
    case 4:
        return Clamp(1.05L - 0.005L * mn, 0.9L, 1.0L);
    case 5:
    case 6:
        return Clamp(1.08L - 0.011L * mn, 0.75L, 1.0L);
    default:
        return 1.0L;
    }
}

Extended SizeFactorYXDin(int heatTreatment, int materialKind, Extended mn)
{
    if (IsCastIron(materialKind)) return Clamp(1.075L - 0.015L * mn, 0.7L, 1.0L);
    if (heatTreatment == 0 || heatTreatment == 1) return Clamp(1.03L - 0.006L * mn, 0.7L, 1.0L);
    return Clamp(1.05L - 0.01L * mn, 0.8L, 1.0L);
}

Extended RunningInAllowanceAlpha(int heatTreatment, int materialKind, Extended fpb, Extended v,
                                 Extended SigmaHlim)
{
    // Surface-hardened flanks (case, induction or flame hardened, nitrided,
    // nitrocarburized) run in little; cast iron keeps its own rule.
    const bool surfaceHardened = heatTreatment == 3 || heatTreatment == 4;
    const bool hardened = heatTreatment == 2 || heatTreatment == 5 || heatTreatment == 6 ||
                          heatTreatment == 7 || (surfaceHardened && !IsCastIron(materialKind));
    if (hardened) return std::min(0.075L * fpb, Extended{3});
    // Above 5 m/s and 10 m/s the deviation that runs in is limited.
    Extended f = fpb;
    if (v > 10)
        f = std::min(fpb, Extended{40});
    else if (v > 5)
        f = std::min(fpb, Extended{80});
    if (IsCastIron(materialKind)) return 0.275L * f;
    return 160 / SigmaHlim * f;
}

Extended RoundTolerance(Extended t)
{
    // Halves go to even, and no floating point state is saved and restored;
    // every tolerance goes through here.
    if (t < 5) {
        const Extended x = t * 10;
        return (x > 0 ? RoundBelowShift(x) : std::rint(x)) / 10;
    }
    // 10 <= 2t <= 20 here.
    if (t <= 10) return RoundBelowShift(t * 2) / 2;
    // t > 10 or NaN.
    if (t < WholeShift) return RoundBelowShift(t);
    return std::rint(t);
}

int ParityIndex(int n)
{
    return n % 2 + 1;
}
