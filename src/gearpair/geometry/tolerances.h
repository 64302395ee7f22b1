#pragma once
// Accuracy tolerances and measuring values of both gears.
void CalcTolerances();
