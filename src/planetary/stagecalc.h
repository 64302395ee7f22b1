#pragma once
// The whole stage from its records: kinematics, the three meshes through the
// gear-pair calculation, planet triangle and spacing, clearances, angular
// backlash, planet masses and forces, bearing loads, and the stage checks.
// Afterwards the gear-pair variables hold mesh Pe-H; FatalCalcError tells
// whether the stage could be calculated.
void CalcPlanetaryStage();

// What the stage calculation keeps between its runs.
struct TStageCalcState {
    // Calculations run since the reset.
    long Runs = 0;
};

extern TStageCalcState stagecalc;

void ResetStageCalc();

// Refuses drive data the kinematics cannot work with (same input and output
// shaft, stationary ratio 1, input speed 0, no planets): adds the fatal
// message, sets FatalCalcError and returns false.
bool CheckDriveData();
