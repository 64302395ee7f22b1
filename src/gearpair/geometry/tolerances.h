#pragma once
// Accuracy tolerances and measuring values of both gears.
//
// Test dimensions (span W over k teeth, dimension over balls MdK and over
// pins MdR) are given for five profile-shift coefficients: the pre-machined
// limits xevmin/xevmax, the nominal x and the finished limits xemin/xemax.
// Diameters and test dimensions of an internal gear are negative, like every
// other diameter of it. Tolerances are in µm, lengths in mm.

#include "foundation/types.h"

// Measuring values of both gears, then the tolerances of the chosen flank
// tolerance class by DIN 3961/3962 or ISO 1328-1 (ToleranceStandard 1).
void CalcTolerances();
// The same with the functions of the pair's angles at hand.
struct TGeometryAngles;
void CalcTolerances(const TGeometryAngles& Angles);

// Span W of gear i over SpanTeeth[i] teeth for the profile-shift coefficient
// xE; a SpanTeeth[i] of 0 is first set to the number of teeth whose
// contact lies on the circle of the nominal profile shift.
Extended SpanMeasure(int i, Extended xE);

// Dimension over (between, for an internal gear) two balls of diameter DM[i]
// for the profile-shift coefficient xE; an odd tooth count sees the balls
// in spaces that are not opposite each other.
Extended BallDimension(int i, Extended xE);

// Dimension over pins from the dimension over balls MdK: a helical gear with
// an odd tooth count is measured across the pin length, so its pins read as
// if they stood opposite each other.
Extended PinDimension(int i, Extended MdK);

// Accuracy tolerances of gear i by DIN 3961/3962 (class values of the base
// values of class 5) and by ISO 1328-1:2013 with its rounding.
void CalcDinTolerances(int i);
void CalcIsoTolerances(int i);
