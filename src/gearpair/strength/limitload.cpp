#include "gearpair/strength/limitload.h"

#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "foundation/guardedmath.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/strength/calcstrength.h"
#include "gearpair/strength/loadfreememo.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

// The smaller safeties of one trial torque. A trial of the pitting search
// forms no root safety: SF is NaN then.
struct TLimitTrial {
    Extended T = 0;
    Extended SF = 0;
    Extended SH = 0;
};

Extended SafetyOf(int Mode, Extended SF, Extended SH)
{
    if (Mode == 1)
        return SF;
    if (Mode == 2)
        return SH;
    return 0;
}

// The side of 1 on which the safety at torque T certainly lies, from the
// trials calculated so far: +1 above 1.01, -1 below 0.99, 0 not certain
// (then the trial is calculated). The stresses grow with the torque while
// the load factors do not (Kv, KHbeta and KHalpha fall as the line load
// rises, the others do not depend on it), so the root safety falls with T
// at most as 1/T, the pitting safety at most as 1/sqrt(T). From a trial at
// T1 with safety S1 the safety at a smaller T is at most S1 (T1/T)^e, at a
// larger one at least that. The bound must clear the limits by a margin of
// 1.5 besides, for factors that rise with the load against the rule: so only
// trials far from the limit are left out, near it every trial is calculated
// and the search ends on a calculated one.
int CertainSide(int Mode, Extended T, const std::vector<TLimitTrial>& Done)
{
    constexpr Extended Margin = 1.5L;
    if (Mode != 1 && Mode != 2)
        return 0;
    // The ratio is at least 1 below a trial and at most 1 above it, so the
    // bound cannot clear a limit that the trial's own safety does not: only
    // then are the quotient and the root formed.
    for (const TLimitTrial& d : Done) {
        const Extended S = SafetyOf(Mode, d.SF, d.SH);
        if (T < d.T ? !(Margin * S < 0.99L) : !(T > d.T && S > 1.01L * Margin))
            continue;
        const Extended ratio = Mode == 1 ? d.T / T : std::sqrt(d.T / T);
        const Extended bound = S * ratio;
        if (T < d.T && Margin * bound < 0.99L)
            return -1;
        if (T > d.T && bound > 1.01L * Margin)
            return 1;
    }
    return 0;
}

// The safeties of the pair at torque T, from an earlier trial of the same
// torque that formed the safety of Mode when Done holds one (the strength
// of one pair at one torque is the same whatever was calculated before it),
// else calculated and added to Done. False when the calculation ended in a
// fatal error.
bool TrySafeties(int Mode, Extended T, std::vector<TLimitTrial>& Done, TLimitTrial& Trial)
{
    for (const TLimitTrial& d : Done)
        if (d.T == T && !std::isnan(SafetyOf(Mode, d.SF, d.SH))) {
            Trial = d;
            return true;
        }
    const TGearPairData& g = GearPair;
    CalcStrength();
    if (telmvar.FatalCalcError)
        return false;
    const Extended SF = Mode != 2 ? MinExt(g.SF[2], g.SF[1]) : std::numeric_limits<Extended>::quiet_NaN();
    Trial = {T, SF, MinExt(g.SH[2], g.SH[1])};
    Done.push_back(Trial);
    return true;
}

// Bisection between a hundredth and twenty times the nominal torque; the
// safeties fall as the torque rises. Leaves the torque and power of the last
// trial in the pair.
bool BisectLimitTorque(int Mode, Extended NominalT, std::vector<TLimitTrial>& Done, Extended& Limit)
{
    TGearPairData& g = GearPair;
    Extended upper = 20 * NominalT;
    Extended lower = NominalT / 100;
    for (int k = 1; k <= 100; ++k) {
        g.T[1] = (upper + lower) / 2;
        g.P = g.T[1] * 2 * Pi * g.n[1] / 60 / 1000;
        if (const int side = CertainSide(Mode, g.T[1], Done); side != 0) {
            if (side > 0)
                lower = g.T[1];
            else
                upper = g.T[1];
            continue;
        }
        TLimitTrial trial;
        // A trial that ends in a fatal error has no safety to compare.
        if (!TrySafeties(Mode, g.T[1], Done, trial))
            return false;
        const Extended S = SafetyOf(Mode, trial.SF, trial.SH);
        if (S >= 1)
            lower = g.T[1];
        else
            upper = g.T[1];
        if (std::fabs(S - 1) < 0.01L) {
            if (k == 100)
                return false;
            Limit = g.T[1];
            return g.T[1] > 0;
        }
    }
    return false;
}

// The bisection with the trials' texts muted (they are dropped with the
// reset after the search; not forming them saves most of a trial) and the
// parts that do not move with the load formed once. A memo the search joins
// reads the root safety again as before once the search is over.
bool SearchLimitTorque(int Mode, Extended NominalT, std::vector<TLimitTrial>& Done, Extended& Limit)
{
    const TMutedMessages muted;
    const TLoadFreeMemo loadFree;
    TLoadFreeMemo& memo = *TLoadFreeMemo::Active();
    const bool rootWanted = memo.RootSafetyWanted();
    memo.SetRootSafetyWanted(Mode != 2);
    const bool found = BisectLimitTorque(Mode, NominalT, Done, Limit);
    memo.SetRootSafetyWanted(rootWanted);
    return found;
}

// One search, with the pair's nominal torque and power put back after it and
// the trials' state of the message list (a trial's fatal error among it)
// reset. The pair is left as the last trial left it.
Extended SearchFromNominal(int Mode, std::vector<TLimitTrial>& Done)
{
    TGearPairData& g = GearPair;
    const Extended keptP = g.P;
    const Extended keptT = g.T[1];

    Extended result = 0;
    const bool found = SearchLimitTorque(Mode, keptT, Done, result);

    g.P = keptP;
    g.T[1] = keptT;
    ResetErrorState();
    if (Mode == 1 || Mode == 2)
        g.LimitLoadFound[Mode] = found;
    return found ? result : 0;
}

} // namespace

void AddLimitLoadNotFoundMessage(int Mode)
{
    if ((Mode == 1 || Mode == 2) && !GearPair.LimitLoadFound[Mode])
        // 0 would otherwise read as "no limit"; the caller and the message
        // list must see that the search failed.
        AddErrorMessage(Mode == 1 ? "Error  : limit torque not found (root) !"
                                  : "Error  : limit torque not found (pitting) !");
}

Extended FindLimitLoad(int Mode)
{
    std::vector<TLimitTrial> done;
    const Extended limit = SearchFromNominal(Mode, done);
    CalcStrength();
    AddLimitLoadNotFoundMessage(Mode);
    return limit;
}

void FindLimitLoads(Extended& Root, Extended& Pitting)
{
    // Both searches start from the same bracket, so the pitting search
    // first tries the torques the root search tried, until the two limits
    // part. Between them only the load changes: the parts that do not move
    // with it are formed once for both.
    const TLoadFreeMemo loadFree;
    std::vector<TLimitTrial> done;
    done.reserve(64);
    Root = SearchFromNominal(1, done);
    Pitting = SearchFromNominal(2, done);
}
