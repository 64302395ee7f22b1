#pragma once
// Load capacity factors of the current gear pair by DIN 3990: parts 1 to 3
// (CalcMethod 1) or part 41 (CalcMethod 2, which differs in the face load
// factor and the roughness factor).

#include "foundation/types.h"

// Reads and writes GearPair only; the load capacity frame forms stresses,
// safeties and lives from the factors written here. A fatal input stops the
// routine with FatalCalcError set.
void CalcDin3990();

struct TGearPairData;
// Tooth form factor YF, stress correction factor YS and notch parameter qs of
// gear i by DIN 3990-3 method B, with its root values sFn, rhoF, hFe and
// alphaFen; a ring gear (z < 0) as the rack of its tool. With FatalCalcError
// already set it only adds "Fatal: bending moment !"; a bending moment arm
// of zero or less adds "Fatal: Biegehebelarm !" and sets FatalCalcError.
void ToothFormFactorDin(TGearPairData& g, int i);

// Running-in allowance y_beta (um) of one gear's misalignment, from the
// current GearPair.Fbetax and GearPair.v.
Extended RunningInAllowance(int MaterialKind, int HeatTreatment, Extended SigmaHlim);

// Work hardening factor of a soft wheel against a hardened pinion.
Extended WorkHardeningFactor(Extended HB);

// Tip relief by running-in Cay (um) of one gear.
Extended RunningInCay(Extended SigmaHlim);
