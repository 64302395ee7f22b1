#include "gearpair/strength/loadfreememo.h"

namespace
{

thread_local TLoadFreeMemo* ActiveLoadFreeMemo = nullptr;

} // namespace

TLoadFreeMemo::TLoadFreeMemo()
{
    if (ActiveLoadFreeMemo == nullptr) {
        ActiveLoadFreeMemo = this;
        owner_ = true;
    }
}

TLoadFreeMemo::~TLoadFreeMemo()
{
    if (owner_) ActiveLoadFreeMemo = nullptr;
}

TLoadFreeMemo* TLoadFreeMemo::Active()
{
    return ActiveLoadFreeMemo;
}

void TLoadFreeMemo::Enter(const TGearPairData& Pair)
{
    // Only a run that formed parts may have adjusted its inputs: the run
    // after it compares them, the runs after a run that formed nothing find
    // them as they were.
    if (entered_ && (confirmed_ || TAdjustedFields::Same(Pair, adjusted_))) {
        confirmed_ = true;
        return;
    }
    TAdjustedFields::Take(Pair, adjusted_);
    entered_ = true;
    confirmed_ = false;
    isoKept_ = false;
    isoLimitsKept_ = false;
    strengthKept_ = false;
    isoPartsKept_ = false;
}

void TLoadFreeMemo::KeepStrengthParts(const TStrengthLoadFree& Parts)
{
    confirmed_ = false;
    strength_ = Parts;
    strengthKept_ = true;
}

void TLoadFreeMemo::KeepIsoParts(const TIsoLoadFree& Parts)
{
    confirmed_ = false;
    iso_ = Parts;
    isoPartsKept_ = true;
}

void TLoadFreeMemo::KeepIsoStressLimits(const TIsoStressLimits& Limits)
{
    isoLimits_ = Limits;
    isoLimitsKept_ = true;
}
