#include "gearpair/strength/limitload.h"

#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "foundation/guardedmath.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/strength/calcstrength.h"

#include <cmath>

namespace {

Extended SafetyOf(int Mode)
{
    const TGearPairData& g = GearPair;
    if (Mode == 1)
        return MinExt(g.SF[2], g.SF[1]);
    if (Mode == 2)
        return MinExt(g.SH[2], g.SH[1]);
    return 0;
}

} // namespace

Extended FindLimitLoad(int Mode)
{
    TGearPairData& g = GearPair;
    const Extended keptP = g.P;
    const Extended keptT = g.T[1];

    // Bisection between a hundredth and twenty times the nominal torque; the
    // safeties fall as the torque rises.
    Extended upper = 20 * keptT;
    Extended lower = keptT / 100;
    Extended result = 0;
    bool found = false;
    for (int k = 1; k <= 100; ++k) {
        g.T[1] = (upper + lower) / 2;
        g.P = g.T[1] * 2 * Pi * g.n[1] / 60 / 1000;
        CalcStrength();
        // A trial that ends in a fatal error has no safety to compare.
        if (telmvar.FatalCalcError)
            break;
        const Extended S = SafetyOf(Mode);
        if (S >= 1)
            lower = g.T[1];
        else
            upper = g.T[1];
        if (std::fabs(S - 1) < 0.01L) {
            if (k < 100) {
                result = g.T[1];
                found = g.T[1] > 0;
            }
            break;
        }
    }

    g.P = keptP;
    g.T[1] = keptT;
    ResetErrorState();
    CalcStrength();

    if (Mode == 1 || Mode == 2) {
        g.LimitLoadFound[Mode] = found;
        // 0 would otherwise read as "no limit"; the caller and the message list
        // must see that the search failed.
        if (!found)
            AddErrorMessage(Mode == 1 ? "Error  : limit torque not found (root) !"
                                      : "Error  : limit torque not found (pitting) !");
    }
    return found ? result : 0;
}
