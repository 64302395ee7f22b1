#include "gearpair/strength/limitload.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/strength/calcstrength.h"
#include "gearpair/strength/loadfreememo.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

namespace
{

// The smaller safeties of one trial torque. A trial of the pitting search
// forms no root safety: SF is NaN then. (No initial values: the lists of
// trials are not cleared before use.)
struct TLimitTrial {
    Extended T;
    Extended SF;
    Extended SH;
};

// A search takes at most this many steps, and calculates at most one trial
// in each.
constexpr int MaxSteps = 100;

// A list with room for every trial of the two searches of a pair and one
// known besides, kept on the stack: a pair's searches would otherwise
// allocate for a handful of entries. (An entry beyond the room is left
// out: a trial is then calculated again, or a side is not taken as
// certain; neither changes a result.)
template <class T> class TTrialList
{
  public:
    void Add(const T& Item)
    {
        if (count_ < Room) items_[count_++] = Item;
    }
    std::size_t Size() const { return count_; }
    const T& operator[](std::size_t k) const { return items_[k]; }
    const T* begin() const { return items_; }
    const T* end() const { return items_ + count_; }

  private:
    static constexpr std::size_t Room = 2 * MaxSteps + 1;
    T items_[Room];
    std::size_t count_ = 0;
};

Extended SafetyOf(int Mode, Extended SF, Extended SH)
{
    if (Mode == 1) return SF;
    if (Mode == 2) return SH;
    return 0;
}

// A trial whose safety clears a limit by the margin below: Low when 1.5 S
// is under 0.99, else high (S over 1.5 times 1.01). Only such trials can
// make the side of another torque certain.
struct TSideBound {
    Extended T;
    Extended S;
    bool Low;
};

constexpr Extended Margin = 1.5L;

// Adds the trial to Bounds where its safety of Mode clears a limit.
void AddSideBound(int Mode, const TLimitTrial& Trial, TTrialList<TSideBound>& Bounds)
{
    if (Mode != 1 && Mode != 2) return;
    const Extended S = SafetyOf(Mode, Trial.SF, Trial.SH);
    if (Margin * S < 0.99L)
        Bounds.Add({Trial.T, S, true});
    else if (S > 1.01L * Margin)
        Bounds.Add({Trial.T, S, false});
}

// The side of 1 on which the safety at torque T certainly lies, from the
// trials that clear a limit: +1 above 1.01, -1 below 0.99, 0 not certain
// (then the trial is calculated). The stresses grow with the torque while
// the load factors do not (Kv, KHbeta and KHalpha fall as the line load
// rises, the others do not depend on it), so the safety falls as the torque
// rises, the root safety at most as 1/T, the pitting safety at most as
// 1/sqrt(T). From a trial at T1 with safety S1 the safety at a smaller T is
// at least S1 and at most S1 (T1/T)^e, at a larger one at most S1 and at
// least that. The bound must clear the limits by a margin of 1.5 besides,
// for factors that rise with the load against the rule: so only trials far
// from the limit are left out, near it every trial is calculated and the
// search ends on a calculated one. (A midpoint lies between the torques
// the bisection has found on either side, so the bound by S1 alone decides
// only for a trial that is no midpoint of this search.)
int CertainSide(int Mode, Extended T, const TTrialList<TSideBound>& Bounds)
{
    for (const TSideBound& d : Bounds) {
        if (T == d.T) continue;
        if (d.Low ? T > d.T : T < d.T) return d.Low ? -1 : 1;
        const Extended ratio = Mode == 1 ? d.T / T : std::sqrt(d.T / T);
        const Extended bound = d.S * ratio;
        if (d.Low && Margin * bound < 0.99L) return -1;
        if (!d.Low && bound > 1.01L * Margin) return 1;
    }
    return 0;
}

// The trials of an earlier search, and of this one from Own on. A midpoint
// lies in the bracket, beyond which all earlier midpoints of the search lie:
// it can meet one of them only at an end of the bracket, once the bracket is
// as narrow as the numbers allow.
struct TTrials {
    TTrialList<TLimitTrial>& Done;
    std::size_t Own;
};

// The safeties of the pair at torque T, from an earlier trial of the same
// torque that formed the safety of Mode when Trials holds one (the strength
// of one pair at one torque is the same whatever was calculated before it),
// else calculated and added. AtEnd: T is an end of the bracket. False when
// the calculation ended in a fatal error.
bool TrySafeties(int Mode, Extended T, bool AtEnd, TTrials Trials, TLimitTrial& Trial)
{
    const std::size_t looked = AtEnd ? Trials.Done.Size() : Trials.Own;
    for (std::size_t k = 0; k < looked; ++k) {
        const TLimitTrial& d = Trials.Done[k];
        if (d.T == T && !std::isnan(SafetyOf(Mode, d.SF, d.SH))) {
            Trial = d;
            return true;
        }
    }
    TGearPairData& g = GearPair;
    g.T[1] = T;
    g.P = T * 2 * Pi * g.n[1] / 60 / 1000;
    CalcStrength();
    if (telmvar.FatalCalcError) return false;
    const Extended SF = Mode != 2 ? MinExt(g.SF[2], g.SF[1]) : std::numeric_limits<Extended>::quiet_NaN();
    Trial = {T, SF, MinExt(g.SH[2], g.SH[1])};
    Trials.Done.Add(Trial);
    return true;
}

// How a bisection ended.
enum class TBisection {
    Found,
    AllBelow, // every trial unsafe: the limit lies below the bracket
    AllAbove, // every trial safe: the limit lies above it
    Failed,   // a fatal trial, or no convergence inside the bracket
};

// Bisection between Lower and Upper; the safeties fall as the torque rises.
// Bounds starts with the trials known before; the calculated ones that clear
// a limit join them. Leaves the torque and power of the last calculated trial
// in the pair.
TBisection BisectLimitTorque(int Mode, Extended Lower, Extended Upper, TTrials Trials,
                             TTrialList<TSideBound>& Bounds, Extended& Limit)
{
    Extended upper = Upper;
    Extended lower = Lower;
    bool below = false;
    bool above = false;
    for (int k = 1; k <= MaxSteps; ++k) {
        const Extended T = (upper + lower) / 2;
        if (const int side = CertainSide(Mode, T, Bounds); side != 0) {
            if (side > 0)
                lower = T;
            else
                upper = T;
            (side > 0 ? above : below) = true;
            continue;
        }
        TLimitTrial trial;
        // A trial that ends in a fatal error has no safety to compare.
        const std::size_t calculated = Trials.Done.Size();
        if (!TrySafeties(Mode, T, T == lower || T == upper, Trials, trial)) return TBisection::Failed;
        if (Trials.Done.Size() > calculated) AddSideBound(Mode, trial, Bounds);
        const Extended S = SafetyOf(Mode, trial.SF, trial.SH);
        if (S >= 1)
            lower = T;
        else
            upper = T;
        (S >= 1 ? above : below) = true;
        if (std::fabs(S - 1) < 0.01L) {
            if (k == MaxSteps) return TBisection::Failed;
            Limit = T;
            return T > 0 ? TBisection::Found : TBisection::Failed;
        }
        // The midpoints have closed in on an end of the bracket with every
        // trial on one side: the limit is beyond that end.
        if (!(above && below) && upper - lower <= Lower * 1e-6L) break;
    }
    if (above != below) return above ? TBisection::AllAbove : TBisection::AllBelow;
    return TBisection::Failed;
}

// How far a search is carried on below its bracket. A load spectrum's
// application factors in force for the trials (10^5 and more where the
// torques of its levels lie far above the nominal one) move the limit far
// below a hundredth of the nominal torque; the spectrum's limit torques are
// that limit times the factor, and a search that gave up at the bracket made
// them 0. Each step below takes the next bracket of the same width ratio
// under the one before.
constexpr Extended BracketBelow = 100;
constexpr Extended BracketAbove = 20;
constexpr int BracketsBelow = 12;

// The bisection in the bracket around the nominal torque and, with the
// spectrum's factors in force while every trial was unsafe, in the brackets
// below it.
bool BisectLimitTorque(int Mode, Extended NominalT, TTrials Trials, TTrialList<TSideBound>& Bounds,
                       Extended& Limit)
{
    Extended lower = NominalT / BracketBelow;
    Extended upper = BracketAbove * NominalT;
    const int brackets = GearPair.SpectrumFactorsInForce ? BracketsBelow : 0;
    for (int bracket = 0; bracket <= brackets; ++bracket) {
        const TBisection end = BisectLimitTorque(Mode, lower, upper, Trials, Bounds, Limit);
        if (end == TBisection::Found) return true;
        if (end != TBisection::AllBelow) return false;
        upper = lower;
        lower /= BracketAbove * BracketBelow;
        if (!(lower > 0)) return false;
    }
    return false;
}

// A load-free memo where none is active; where one is, that one is used
// without making another (one that joins clears its own large parts for
// nothing).
class TJoinedLoadFreeMemo
{
  public:
    TJoinedLoadFreeMemo()
    {
        if (TLoadFreeMemo::Active() == nullptr) own_.emplace();
    }

  private:
    std::optional<TLoadFreeMemo> own_;
};

// The bisection with the trials' texts muted (they are dropped with the
// reset after the search; not forming them saves most of a trial) and the
// parts that do not move with the load formed once. A memo the search joins
// reads the root safety again as before once the search is over. Known
// (may be null) and the trials in Done bound the side of a midpoint.
bool SearchLimitTorque(int Mode, Extended NominalT, const TLimitTrial* Known, TTrialList<TLimitTrial>& Done,
                       Extended& Limit)
{
    const TMutedMessages muted;
    const TJoinedLoadFreeMemo loadFree;
    TLoadFreeMemo& memo = *TLoadFreeMemo::Active();
    const bool rootWanted = memo.RootSafetyWanted();
    memo.SetRootSafetyWanted(Mode != 2);
    TTrialList<TSideBound> bounds;
    if (Known != nullptr) AddSideBound(Mode, *Known, bounds);
    for (const TLimitTrial& d : Done)
        AddSideBound(Mode, d, bounds);
    const bool found = BisectLimitTorque(Mode, NominalT, {Done, Done.Size()}, bounds, Limit);
    memo.SetRootSafetyWanted(rootWanted);
    return found;
}

// One search, with the pair's nominal torque and power put back after it and
// the trials' state of the message list (a trial's fatal error among it)
// reset. The pair is left as the last trial left it.
Extended SearchFromNominal(int Mode, const TLimitTrial* Known, TTrialList<TLimitTrial>& Done)
{
    TGearPairData& g = GearPair;
    const Extended keptP = g.P;
    const Extended keptT = g.T[1];

    Extended result = 0;
    const bool found = SearchLimitTorque(Mode, keptT, Known, Done, result);

    g.P = keptP;
    g.T[1] = keptT;
    ResetErrorState();
    if (Mode == 1 || Mode == 2) g.LimitLoadFound[Mode] = found;
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
    TTrialList<TLimitTrial> done;
    const Extended limit = SearchFromNominal(Mode, nullptr, done);
    CalcStrength();
    AddLimitLoadNotFoundMessage(Mode);
    return limit;
}

void FindLimitLoads(Extended& Root, Extended& Pitting, const TNominalSafeties* Nominal)
{
    // Both searches start from the same bracket, so the pitting search
    // first tries the torques the root search tried, until the two limits
    // part. Between them only the load changes: the parts that do not move
    // with it are formed once for both.
    const TJoinedLoadFreeMemo loadFree;
    TTrialList<TLimitTrial> done;
    // The nominal torque is no midpoint: its safeties only bound the
    // trials' sides, they never stand for a trial.
    TLimitTrial nominal;
    if (Nominal != nullptr) nominal = {GearPair.T[1], Nominal->SF, Nominal->SH};
    const TLimitTrial* known = Nominal != nullptr ? &nominal : nullptr;
    Root = SearchFromNominal(1, known, done);
    Pitting = SearchFromNominal(2, known, done);
}
