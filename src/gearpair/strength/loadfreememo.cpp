#include "gearpair/strength/loadfreememo.h"

#include <cmath>

namespace {

using TScalarField = Extended TGearPairData::*;
using TPairField = PairArray<Extended> TGearPairData::*;

// What steps 17 to 34 of the ISO calculation write into the pair (the
// notch parameter of the slip layer and the clamped grinding notch among
// them).
constexpr TScalarField IsoScalars[] = {&TGearPairData::ZH,     &TGearPairData::ZB, &TGearPairData::ZD,
                                       &TGearPairData::ZE,     &TGearPairData::Z_eps, &TGearPairData::Z_beta,
                                       &TGearPairData::ZL,     &TGearPairData::Zv, &TGearPairData::ZR,
                                       &TGearPairData::ZW,     &TGearPairData::Y_beta, &TGearPairData::YDT};
constexpr TPairField IsoPairs[] = {&TGearPairData::ZX,       &TGearPairData::YF,       &TGearPairData::YS,
                                   &TGearPairData::sFn,      &TGearPairData::rhoF,     &TGearPairData::hFe,
                                   &TGearPairData::alphaFen, &TGearPairData::qs,       &TGearPairData::tg_rhog,
                                   &TGearPairData::YSg,      &TGearPairData::YB,       &TGearPairData::YdrelT,
                                   &TGearPairData::rho_slip, &TGearPairData::YRrelT,   &TGearPairData::YX,
                                   &TGearPairData::YA};
constexpr TPairField Bodies[] = {&TGearPairData::m, &TGearPairData::J};
// The inputs the strength calculation adjusts itself.
constexpr TPairField Adjusted[] = {&TGearPairData::di, &TGearPairData::dB, &TGearPairData::b, &TGearPairData::bcha,
                                   &TGearPairData::tg_rhog};

thread_local TLoadFreeMemo* ActiveLoadFreeMemo = nullptr;

template <class TField, class TValue, std::size_t N>
void CopyOut(const TGearPairData& Pair, const TField (&Fields)[N], TValue* Values)
{
    for (std::size_t k = 0; k < N; ++k)
        Values[k] = Pair.*Fields[k];
}

template <class TField, class TValue, std::size_t N>
void CopyIn(TGearPairData& Pair, const TField (&Fields)[N], const TValue* Values)
{
    for (std::size_t k = 0; k < N; ++k)
        Pair.*Fields[k] = Values[k];
}

template <class TField, class TValue, std::size_t N>
bool SameIn(const TGearPairData& Pair, const TField (&Fields)[N], const TValue* Values)
{
    for (std::size_t k = 0; k < N; ++k)
        for (int i = 1; i <= 2; ++i) {
            const Extended now = (Pair.*Fields[k])[i], then = Values[k][i];
            if (!(now == then) || std::signbit(now) != std::signbit(then))
                return false;
        }
    return true;
}

} // namespace

TLoadFreeMemo::TLoadFreeMemo()
{
    static_assert(std::size(IsoScalars) == IsoScalarCount && std::size(IsoPairs) == IsoPairCount &&
                  std::size(Bodies) == BodyPairCount && std::size(Adjusted) == AdjustedPairCount);
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
    if (entered_ && SameIn(Pair, Adjusted, adjusted_))
        return;
    CopyOut(Pair, Adjusted, adjusted_);
    entered_ = true;
    isoKept_ = false;
    bodiesKept_ = false;
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

bool TLoadFreeMemo::GiveIsoFactors(TGearPairData& Pair) const
{
    if (!isoKept_)
        return false;
    CopyIn(Pair, IsoScalars, isoScalars_);
    CopyIn(Pair, IsoPairs, isoPairs_);
    return true;
}

void TLoadFreeMemo::KeepIsoFactors(const TGearPairData& Pair)
{
    CopyOut(Pair, IsoScalars, isoScalars_);
    CopyOut(Pair, IsoPairs, isoPairs_);
    isoKept_ = true;
}

bool TLoadFreeMemo::GiveBodies(TGearPairData& Pair) const
{
    if (!bodiesKept_)
        return false;
    CopyIn(Pair, Bodies, bodies_);
    return true;
}

void TLoadFreeMemo::KeepBodies(const TGearPairData& Pair)
{
    CopyOut(Pair, Bodies, bodies_);
    bodiesKept_ = true;
}

