#pragma once
// The parts of the strength calculation that do not move with the load of
// the pair, kept over a search that changes nothing but the load.

#include "foundation/types.h"
#include "gearpair/gearpairdata.h"

// While one lives, the first strength calculation forms the ISO contact,
// lubrication, roughness and tooth root factors with the tooth form, and the
// masses and inertias of the gear bodies, and the later ones take them from
// it: a limit torque search changes only the load between its trials. Its
// trials keep no texts, and a factor taken again says no message again.
// The search reads the safeties alone, and the run at the nominal load after
// it forms everything again: while one lives, the strength calculation
// leaves the lives cleared.
// Made while another lives, it joins that one.
class TLoadFreeMemo {
public:
    TLoadFreeMemo();
    ~TLoadFreeMemo();
    TLoadFreeMemo(const TLoadFreeMemo&) = delete;
    TLoadFreeMemo& operator=(const TLoadFreeMemo&) = delete;

    // The memo the strength calculation uses now, or null.
    static TLoadFreeMemo* Active();

    // Into the pair what was kept; false when nothing is kept yet.
    bool GiveIsoFactors(TGearPairData& Pair) const;
    void KeepIsoFactors(const TGearPairData& Pair);
    bool GiveBodies(TGearPairData& Pair) const;
    void KeepBodies(const TGearPairData& Pair);

private:
    static constexpr int IsoScalarCount = 12;
    static constexpr int IsoPairCount = 16;
    static constexpr int BodyPairCount = 2;
    bool owner_ = false;
    bool isoKept_ = false;
    bool bodiesKept_ = false;
    Extended isoScalars_[IsoScalarCount] = {};
    PairArray<Extended> isoPairs_[IsoPairCount] = {};
    PairArray<Extended> bodies_[BodyPairCount] = {};
};
