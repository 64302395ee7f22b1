#pragma once
// Load capacity of the gear pair in `GearPair`.
void CalcStrength();
