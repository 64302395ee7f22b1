#pragma once
// The parts of the strength calculation that do not move with the load of
// the pair, kept over a search that changes nothing but the load.

#include "foundation/types.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/strength/pairfields.h"
#include "gearpair/strength/strengthfactors.h"

// The factors steps 17 to 34 of the ISO calculation write into the pair (the
// notch parameter of the slip layer and the clamped grinding notch among
// them).
using TIsoFactorFields =
    TPairFields<&TGearPairData::ZH, &TGearPairData::ZB, &TGearPairData::ZD, &TGearPairData::ZE,
                &TGearPairData::Z_eps, &TGearPairData::Z_beta, &TGearPairData::ZL, &TGearPairData::Zv,
                &TGearPairData::ZR, &TGearPairData::ZW, &TGearPairData::Y_beta, &TGearPairData::YDT,
                &TGearPairData::ZX, &TGearPairData::YF, &TGearPairData::YS, &TGearPairData::sFn,
                &TGearPairData::rhoF, &TGearPairData::hFe, &TGearPairData::alphaFen, &TGearPairData::qs,
                &TGearPairData::tg_rhog, &TGearPairData::YSg, &TGearPairData::YB, &TGearPairData::YdrelT,
                &TGearPairData::rho_slip, &TGearPairData::YRrelT, &TGearPairData::YX, &TGearPairData::YA>;

class TIsoFactors
{
  public:
    void Take(const TGearPairData& Pair) { TIsoFactorFields::Take(Pair, values_); }
    void Give(TGearPairData& Pair) const { TIsoFactorFields::Give(Pair, values_); }

  private:
    TIsoFactorFields::TValues values_{};
};

// The inputs the strength calculation adjusts itself.
using TAdjustedFields = TPairFields<&TGearPairData::di, &TGearPairData::dB, &TGearPairData::b,
                                    &TGearPairData::bcha, &TGearPairData::tg_rhog>;

// What the strength calculation forms from the geometry, the materials and
// the speeds before the factors of its method.
// (Formed in every run: no member is set before the run sets it.)
struct TStrengthLoadFree {
    Extended TanBetaW;
    Extended TanAlphaWt;
    Extended CosAlphaWt;
    Extended ZE;
    // Polar section modulus of the root circle over the bore, where checked.
    PairArray<Extended> RootModulus{};
};

// What the ISO load factors take from the geometry, the materials and the
// speeds. (Formed in every run: no member is set before the run sets it.)
struct TIsoLoadFree {
    Extended m_red;
    Extended cFull; // single stiffness before the correction for a light line load
    Extended y_alpha;
    TDynamicFactorCoefficients Kv;
    Extended fma;
    // Shaft deflection of an entered shaft diameter (none otherwise: the
    // diameter then follows from the load).
    TShaftDeflectionParts Fsh;
    Extended NF; // exponent of KFbeta
    PairArray<TRunningInYbetaRule> Ybeta;
    Extended ZepsLimit; // contact ratio factor of the KHalpha limit
};

// What a run forms from the ISO factors and the materials alone: the product
// of the contact stress factors and the permissible stresses.
struct TIsoStressLimits {
    Extended Zall;
    PairArray<Extended> SigmaHG{};
    PairArray<Extended> SigmaFG{};
};

// While one lives, the first strength calculation forms the ISO contact,
// lubrication, roughness and tooth root factors with the tooth form, and the
// later ones take them from it: a limit torque search changes only the load
// (and the application factors) between its trials. What the forming run
// left in the pair (flags, widths, rims, speeds, ISO factors) a later run
// finds there and does not write again. Its trials keep no texts, and a
// factor taken again says no message again. The search reads the safeties alone, and the run
// at the nominal load after it forms everything again: while one lives, the
// strength calculation forms neither the lives (they stay cleared) nor what
// follows the safeties (resonance, bores, masses and inertias).
// Made while another lives, it joins that one. The strength calculation
// adjusts some of its own inputs (bores, rim diameters, face widths and
// chamfers, the grinding notch); the run after one that formed parts
// compares them, and where they changed since the parts were kept it forms
// everything again.
class TLoadFreeMemo
{
  public:
    TLoadFreeMemo();
    ~TLoadFreeMemo();
    TLoadFreeMemo(const TLoadFreeMemo&) = delete;
    TLoadFreeMemo& operator=(const TLoadFreeMemo&) = delete;

    // The memo the strength calculation uses now, or null.
    static TLoadFreeMemo* Active();

    // First call of every strength calculation while the memo is active.
    void Enter(const TGearPairData& Pair);

    // What was kept, or null.
    const TStrengthLoadFree* StrengthParts() const { return strengthKept_ ? &strength_ : nullptr; }
    void KeepStrengthParts(const TStrengthLoadFree& Parts);
    const TIsoLoadFree* IsoParts() const { return isoPartsKept_ ? &iso_ : nullptr; }
    void KeepIsoParts(const TIsoLoadFree& Parts);

    // Whether the ISO factors were kept: the pair holds them then.
    bool IsoFactorsKept() const { return isoKept_; }
    void KeepIsoFactors()
    {
        isoKept_ = true;
        confirmed_ = false;
    }

    // Formed from the kept ISO factors, or null.
    const TIsoStressLimits* IsoStressLimits() const { return isoLimitsKept_ ? &isoLimits_ : nullptr; }
    void KeepIsoStressLimits(const TIsoStressLimits& Limits);

    // A search for the pitting limit reads the pitting safety alone: its
    // trials leave out what only the tooth root stress needs (KFbeta), and
    // their root safeties stand for nothing.
    void SetRootSafetyWanted(bool Wanted) { rootWanted_ = Wanted; }
    bool RootSafetyWanted() const { return rootWanted_; }

  private:
    bool owner_ = false;
    bool entered_ = false;
    bool confirmed_ = false; // the adjusted inputs are known to be as kept
    bool strengthKept_ = false;
    bool isoPartsKept_ = false;
    bool isoKept_ = false;
    bool isoLimitsKept_ = false;
    bool rootWanted_ = true;
    TAdjustedFields::TValues adjusted_{};
    TStrengthLoadFree strength_;
    TIsoLoadFree iso_;
    TIsoStressLimits isoLimits_;
};
