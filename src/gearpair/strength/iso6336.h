#pragma once
// Load capacity factors of the current gear pair by ISO 6336 (CalcMethod 4).

// Reads and writes GearPair only; the load capacity frame forms stresses,
// safeties and lives from the factors written here. A zero flank face width
// is the one fatal case (FatalCalcError set, later factors not written).
void CalcIso6336();

// Forgets the factors kept for the later runs of a calculation.
void ResetIsoFactorCache();
