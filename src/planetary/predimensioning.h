#pragma once
// Predimensioning: a complete first design of the stage from the drive data
// alone (shafts, speeds, power, safety factor, face width ratio), then
// calculated. Every run replaces module, tooth numbers, face widths,
// profile shifts and measuring data.

#include "foundation/types.h"

// The planets' tooth number follows the sun's: the pair ratio of S-Pi is
// (i0 - 1) / PredimPlanetFactor.
inline constexpr Extended PredimPlanetFactor = 3.25L;

// Speeds of the stage from the entered input and output speeds: the third
// shaft stands still; i0, i and the planet speeds relative to the carrier
// (k times the Willis value) follow. Drive data that no stage of this kind
// can run (input = output shaft, a speed of 0, i0 of 1 or below, the whole
// stage turning as a block) are refused with a fatal message and change
// nothing; the result is then false.
bool SetPredimDriveData(Extended k);

// The first design. False (with FatalCalcError and a message) when the
// drive data are refused; the stage is then left as it was.
bool Predimension();

// Normal module from a root-stress estimate: torque T' (Nm) of the pinion,
// pair ratio u, centre distance a (mm), face width ratio PredimBToMn.
Extended PredimModule(Extended Tp, Extended u, Extended a);

// Measuring ball and teeth spanned of S and Pi (from mesh S-Pi) and of Pe
// and H (from mesh Pe-H).
void PredimMeasuringData();

// Tip clearances of the three meshes, tip reductions and the fixed settings
// that go with them.
void SetPredimDefaults();
