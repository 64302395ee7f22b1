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

class TIsoFactors {
public:
    void Take(const TGearPairData& Pair) { TIsoFactorFields::Take(Pair, values_); }
    void Give(TGearPairData& Pair) const { TIsoFactorFields::Give(Pair, values_); }

private:
    TIsoFactorFields::TValues values_{};
};

// The inputs the strength calculation adjusts itself.
using TAdjustedFields = TPairFields<&TGearPairData::di, &TGearPairData::dB, &TGearPairData::b,
                                    &TGearPairData::bcha, &TGearPairData::tg_rhog>;
// What the first steps of the strength calculation leave in the pair from the
// inputs alone: the design flags, the face widths and chamfers as the
// effective face width leaves them, and the rim and bore diameters as the
// checks of the rim leave them.
using TFlagAndWidthFields =
    TPairFields<&TGearPairData::IsCrowning, &TGearPairData::IsLappingIn, &TGearPairData::IsEndRelief,
                &TGearPairData::IsDoubleHelical, &TGearPairData::IsSupportingEffect,
                &TGearPairData::IsToothTraceCorrection, &TGearPairData::HBmin, &TGearPairData::b,
                &TGearPairData::bcha, &TGearPairData::b_effF, &TGearPairData::b_effH>;
using TRimFields = TPairFields<&TGearPairData::di, &TGearPairData::dB>;

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
    Extended NF;        // exponent of KFbeta
    Extended ZepsLimit; // contact ratio factor of the KHalpha limit
};

// While one lives, the first strength calculation forms the ISO contact,
// lubrication, roughness and tooth root factors with the tooth form, and the
// later ones take them from it: a limit torque search changes only the load
// between its trials. Its trials keep no texts, and a factor taken again
// says no message again. The search reads the safeties alone, and the run
// at the nominal load after it forms everything again: while one lives, the
// strength calculation forms neither the lives (they stay cleared) nor what
// follows the safeties (resonance, bores, masses and inertias).
// Made while another lives, it joins that one. The strength calculation
// adjusts some of its own inputs (bores, rim diameters, face widths and
// chamfers, the grinding notch); a trial that finds them changed since the
// parts were kept forms everything again.
class TLoadFreeMemo {
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
    // Keeps the parts with the flags, widths, rims and bores the pair holds.
    void KeepStrengthParts(const TStrengthLoadFree& Parts, const TGearPairData& Pair);
    void GiveFlagsAndWidths(TGearPairData& Pair) const { TFlagAndWidthFields::Give(Pair, flagsAndWidths_); }
    void GiveRims(TGearPairData& Pair) const { TRimFields::Give(Pair, rims_); }
    const TIsoLoadFree* IsoParts() const { return isoPartsKept_ ? &iso_ : nullptr; }
    void KeepIsoParts(const TIsoLoadFree& Parts);

    // Into the pair what was kept; false when nothing is kept yet.
    bool GiveIsoFactors(TGearPairData& Pair) const;
    void KeepIsoFactors(const TGearPairData& Pair);

    // A search for the pitting limit reads the pitting safety alone: its
    // trials leave out what only the tooth root stress needs (KFbeta), and
    // their root safeties stand for nothing.
    void SetRootSafetyWanted(bool Wanted) { rootWanted_ = Wanted; }
    bool RootSafetyWanted() const { return rootWanted_; }

private:
    bool owner_ = false;
    bool entered_ = false;
    bool strengthKept_ = false;
    bool isoPartsKept_ = false;
    bool isoKept_ = false;
    bool rootWanted_ = true;
    TIsoFactors isoFactors_;
    TAdjustedFields::TValues adjusted_{};
    TStrengthLoadFree strength_;
    TFlagAndWidthFields::TValues flagsAndWidths_{};
    TRimFields::TValues rims_{};
    TIsoLoadFree iso_;
};
