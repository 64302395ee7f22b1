#pragma once
// The Wolf symbol of the stage: a circle with the three shafts S, C and H,
// each with its torque (Nm), speed (1/min) and power (kW), the ratios
// between each pair of shafts, the stationary ratio and the rolling power.
// The shaft with the largest torque is drawn double. Values are always
// written in Nm, 1/min and kW, whatever the unit system.

#include "foundation/types.h"

using TWolfValues = TArray<Extended, 1, 3>; // S, C, H

// What one shaft of the symbol needs of the whole: centre, radius, the
// values of the three shafts and which shaft is drawn double.
struct TWolfSymbol {
    TWolfValues T{}, n{}, P{};
    Extended x0 = 0, y0 = 0, r = 0;
    int Largest = 0;
};

// 1..3: the shaft with the largest |T|, the first of equal ones; 0 when all
// are 0.
int WolfLargestTorque(const TWolfValues& T);

// The symbol of the calculated stage at (50, 60) with radius 10, then the
// kinematics text block from (114, 114).
void WolfView();

void WolfSymbolDraw(const TWolfValues& T, const TWolfValues& n, const TWolfValues& P, Extended x0,
                    Extended y0, Extended r, Extended PW, Extended i0);

// Shaft Shaft (1 S, 2 C, 3 H) leaving the circle in direction Phi
// (radians), its letter and its three values.
void WolfShaftArrows(const TWolfSymbol& W, char Letter, int Shaft, Extended Phi);
