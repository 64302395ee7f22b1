#pragma once
// Load capacity of the gear pair that stands in GearPair: input checks,
// speeds, forces, rim and bore diameters, the factors of the chosen method,
// stresses, permissible stresses, safeties, lives, resonance and bore checks,
// and the mass and inertia of both gears.

#include "foundation/types.h"

// Runs after the geometry on every calculation of the pair; keeps no state of
// its own. Fatal inputs set FatalCalcError and end the run.
void CalcStrength();

// Pitting life in hours; NL receives the load cycles. Variant 0 is the life
// line without pitting, 2 the one with limited pitting permitted. ZRvL is the
// product ZR Zv ZL.
Extended CalcPittingLife(int HeatTreatment, int MaterialKind, int Variant, Extended S, Extended n,
                         Extended LoadsPerRevolution, Extended ZRvL, Extended One, Extended& NL);

// Tooth root life in hours; NL receives the load cycles.
Extended CalcRootLife(int HeatTreatment, int MaterialKind, Extended& NL, Extended S, Extended n,
                      Extended LoadsPerRevolution);

// Rim diameter of the internal wheel (i = 2) when none is entered.
Extended DefaultRimDiameter(int i);
