#include "gearpair/strength/loadfreememo.h"

namespace {

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
    if (owner_)
        ActiveLoadFreeMemo = nullptr;
}

TLoadFreeMemo* TLoadFreeMemo::Active() { return ActiveLoadFreeMemo; }

void TLoadFreeMemo::Enter(const TGearPairData& Pair)
{
    if (entered_ && TAdjustedFields::Same(Pair, adjusted_))
        return;
    TAdjustedFields::Take(Pair, adjusted_);
    entered_ = true;
    isoKept_ = false;
    isoLimitsKept_ = false;
    strengthKept_ = false;
    isoPartsKept_ = false;
}

void TLoadFreeMemo::KeepStrengthParts(const TStrengthLoadFree& Parts)
{
    strength_ = Parts;
    strengthKept_ = true;
}

void TLoadFreeMemo::KeepIsoParts(const TIsoLoadFree& Parts)
{
    iso_ = Parts;
    isoPartsKept_ = true;
}

void TLoadFreeMemo::KeepIsoStressLimits(const TIsoStressLimits& Limits)
{
    isoLimits_ = Limits;
    isoLimitsKept_ = true;
}
