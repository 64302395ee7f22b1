#pragma once
// Tooth numbers and planet positions of a planetary stage: the assembly
// condition of equally spaced planets, the angle of planet i, stepping a tooth
// number to the next one that assembles, and the clear gap between two circles.
// The ring's tooth number is negative.

#include "foundation/types.h"

// N := |zA| - zB when minus, else |zA| + zB. True when N / q is not a whole
// number. q = 0 planets cannot be placed at all: that is reported as a fatal
// input error ("Fatal  : q = 0 !", FatalCalcError) and counts as failing.
bool AssemblyConditionFails(int zA, int zB, int q, bool minus);

// Angle of planet i of q (radians): Round(i / q * N) * 2π / N. For q dividing
// N it is 2π i / q. q = 0 is reported as in AssemblyConditionFails and gives 0;
// N = 0 (no tooth to index) gives 0.
Extended PlanetPositionAngle(int i, int zA, int zB, bool minus, int q);

// kind 'S', 'P' or 'H'; direction '<' down, '>' up, '0' derive this number
// from the other two. Sun and ring step to the next number for which the
// planets assemble (N = -zH - zS divisible by q).
void StepTeethNumbers(char kind, char direction, int q, int& zS, int& zP, int& zH);

// Clear distance between two circles of diameters dA and dB whose centres sit
// at radii rA, rB and angles phiA, phiB (radians); negative when they overlap.
Extended CircleGap(Extended phiA, Extended phiB, Extended dA, Extended dB, Extended rB, Extended rA);

// v·s/(2 - s) + 1 with the chord s = sqrt(2(1 - cos angle)) of the unit
// circle; 100 when s is 0 or 2.
Extended ChordLimitFactor(Extended angle, Extended v);

// 57.3 tan(arccos(r2 / r1)) when r1 > r2, else 0; a stage drawing uses it.
Extended AngleFromRatio(Extended r1, Extended r2);
