#pragma once
// Tooth thickness allowances and tolerances (DIN 3967), the centre distance
// allowance and the standard module series. Pure functions of their arguments.

#include "foundation/types.h"

// Centre distance allowance in µm for tolerance field 1..8 ("js 4".."js11");
// 0 for any other field. The row is chosen by the magnitude of a, so an
// internal pair (negative a) gets the same allowance as an external one.
int GetCentreDistanceAllowance(int field, Extended a);

// Tooth thickness tolerance Tsn in µm for series 1..10 (DIN 3967 series
// 21..30) at reference diameter d; 0 for any other series.
int GetToothThicknessTolerance(int series, Extended d);

// Magnitude of the upper tooth thickness allowance in µm for series 1..11
// ("a".."h") at reference diameter d; 0 for any other series.
int GetUpperToothThicknessAllowance(int series, Extended d);

// Standard module at or next to m: direction 1 steps up, -1 steps down,
// 0 rounds up to the next standard module.
Extended GetStandardModule(int direction, Extended m);

// The 34 standard modules, 1..34.
extern const TArray<double, 1, 34> StandardModules;
