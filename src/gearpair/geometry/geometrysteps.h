#pragma once
// The numbered steps of the gear pair geometry. Each works on `GearPair`,
// looks at FatalCalcError first and then only logs its own fatal line.

#include "foundation/types.h"

struct TProfileAngles;

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

// Pinion profile shift for equal specific sliding at both roots, the
// profile-shift sum kept; 0 on failure. Leaves the gear pair as it was.
Extended GetXSpezGleit();

// The steps as the geometry chain runs them one after the other: Angles are
// the functions of the pair's helix and normal pressure angles as Unit0
// left them (ProfileAnglesOf(beta_rad, alpha_rad)), formed once for the
// chain instead of once in every step. Each step without them forms them.
void CalcProfileShiftSum(const TProfileAngles& Angles);
void Unit1(const TProfileAngles& Angles);
void Unit2(const TProfileAngles& Angles);
void CalcSpecificSliding(const TProfileAngles& Angles);
