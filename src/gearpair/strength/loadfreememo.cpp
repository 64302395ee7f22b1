#include "gearpair/strength/loadfreememo.h"


namespace {

using TScalarField = Extended TGearPairData::*;
using TPairField = PairArray<Extended> TGearPairData::*;

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

template <std::size_t N>
bool SameIn(const TGearPairData& Pair, const TPairField (&Fields)[N], const PairArray<Extended>* Values)
{
    for (std::size_t k = 0; k < N; ++k)
        if (!SameBits((Pair.*Fields[k])[1], Values[k][1]) || !SameBits((Pair.*Fields[k])[2], Values[k][2]))
            return false;
    return true;
}

} // namespace

void TIsoFactors::Take(const TGearPairData& Pair)
{
    static_assert(std::size(IsoScalars) == ScalarCount && std::size(IsoPairs) == PairCount);
    CopyOut(Pair, IsoScalars, scalars_);
    CopyOut(Pair, IsoPairs, pairs_);
}

void TIsoFactors::Give(TGearPairData& Pair) const
{
    CopyIn(Pair, IsoScalars, scalars_);
    CopyIn(Pair, IsoPairs, pairs_);
}

TLoadFreeMemo::TLoadFreeMemo()
{
    static_assert(std::size(Bodies) == BodyPairCount && std::size(Adjusted) == AdjustedPairCount);
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
    isoFactors_.Give(Pair);
    return true;
}

void TLoadFreeMemo::KeepIsoFactors(const TGearPairData& Pair)
{
    isoFactors_.Take(Pair);
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

