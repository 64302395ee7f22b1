#pragma once
// The ISO 286 standard tolerance factor as the carrier drawings use it to
// size a fitted diameter: the sun's bore of the carrier is drawn a little
// larger than its nominal size so that the drawn fit reads as clearance.

#include "foundation/types.h"

// 0.4 times the standard tolerance factor i of ISO 286 (i in micrometres
// for D in millimetres): i = 0.45 D^(1/3) + 0.001 D up to and including
// D = 500, i = 0.004 D + 2.1 above. A negative D takes the cube root of
// |D| and says so in the message list; D = 0 gives 0.
Extended IsoToleranceUnit(Extended D);

// D + IsoToleranceUnit(D). The factor (micrometres) is added to the size
// (millimetres) without conversion: the result only sizes a circle drawn
// in a carrier view and is never a fit or a dimension anyone machines to.
Extended IsoToleratedSize(Extended D);
