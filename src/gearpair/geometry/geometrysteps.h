#pragma once
// The numbered steps of the gear pair geometry. Each works on `GearPair`,
// looks at FatalCalcError first and then only logs its own fatal line.

#include "foundation/types.h"
#include "gearpair/measuring.h"

struct TGearPairData;

// Input checks, transverse values, base helix, limit numbers of teeth.
void Unit0();

// Working pressure angle and the profile-shift sum that the entered centre
// distance needs (x_sum); an impossible centre distance is corrected.
void CalcProfileShiftSum();

// Allowances, tool profile, backlash, generating profile shifts, working
// pressure angle from the profile shifts, diameters, pitches, centre distance.
void Unit1();

// The centre distance the entered profile shifts give, as Unit1 forms it;
// Unit0 must have run.
Extended ProfileShiftCentreDistance();

// Tips, tooth thicknesses, top lands, form diameters, usable diameters,
// contact ratios, gear ratio, specific sliding, tip collision.
void Unit2();

// Tip interference measure of an internal pair (mm); negative is a collision.
Extended CheckToothCollision();

// Specific sliding at the ends of the path of contact, nominal and at the
// centre distance limits.
void CalcSpecificSliding();

// The flanks' radii of curvature at the pitch point, Cathetus(dw/2, db/2) of
// each gear, at the lower (dw_amin) and upper (dw_amax) centre distance limit.
struct TPitchPointRadii {
    PairArray<Extended> AtMin, AtMax;
};
TPitchPointRadii PitchPointRadiiOf(const TGearPairData& g);

// Pinion profile shift for equal specific sliding at both roots, the
// profile-shift sum kept; 0 on failure. Leaves the gear pair as it was.
Extended GetXSpezGleit();

// The functions of the pair's angles that the geometry chain's steps share,
// formed once for the chain instead of once in every step: Profile those of
// the helix and normal pressure angles as Unit0 leaves them
// (ProfileAnglesOf(beta_rad, alpha_rad)), Transverse those of alpha_t and
// beta_b as Unit1 leaves them (PairTransverseAnglesOf), Working the
// tangent and cosine of the working pressure angle alpha_wt that Unit1
// forms (Known false until then; Alpha the angle they belong to). The steps
// called without them form them from the pair as it stands.
struct TWorkingAngle {
    bool Known = false;
    Extended Alpha = 0, Tan = 0, Cos = 0;
};

struct TGeometryAngles {
    TProfileAngles Profile;
    TPairTransverseAngles Transverse;
    TWorkingAngle Working;
};

// Profile and Transverse, from the pair as it stands.
TGeometryAngles GeometryAnglesOf(const TGearPairData& g);

// The steps as the chain runs them one after the other. Unit1 sets
// Angles.Transverse (read from Angles.Profile) and Angles.Working.
void CalcProfileShiftSum(const TProfileAngles& Angles);
void Unit1(TGeometryAngles& Angles);
void Unit2(const TGeometryAngles& Angles);
void CalcSpecificSliding(const TProfileAngles& Angles, const TPitchPointRadii& Radii);
