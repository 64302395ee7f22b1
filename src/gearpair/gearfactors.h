#pragma once
// Closed formulas of the load capacity and tolerance steps that depend only on
// their arguments: size factors, running-in allowance, tolerance rounding.
//
// Heat treatments: 0 none, 1 heat-treated, 2 case-hardened, 3 induction-
// hardened, 4 flame-hardened, 5 gas-nitrided, 6 bath-nitrided,
// 7 nitrocarburized. Material groups 5 and 6 are the ferritic nodular and the
// grey cast irons.

#include "foundation/types.h"

// Size factor for the flank (DIN 3990).
Extended SizeFactorZXDin(int heatTreatment, Extended mn);

// Size factor for the tooth root (DIN 3990).
Extended SizeFactorYXDin(int heatTreatment, int materialKind, Extended mn);

// Running-in allowance y_alpha in µm of a base pitch deviation fpb (µm) at the
// circumferential speed v (m/s).
Extended RunningInAllowanceAlpha(int heatTreatment, int materialKind, Extended fpb, Extended v,
                                 Extended SigmaHlim);

// A tolerance in µm rounded by size: below 5 to 0.1, up to 10 to 0.5, above
// to a whole number (halves to even).
Extended RoundTolerance(Extended t);

// (n mod 2) + 1 with the sign of the remainder: 1 even, 2 odd positive,
// 0 odd negative.
int ParityIndex(int n);
