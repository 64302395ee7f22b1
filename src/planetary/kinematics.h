#pragma once
// Speeds, torques and powers of the three shafts (S, C, H) and of the two
// planet kinds, from the drive inputs of the stage.

// Stationary ratio, fixed shaft, shaft and planet speeds, stage ratio.
// Refuses (fatal message, nothing written) a sun with 0 teeth.
void CalcDriveData();
// Shaft torques from the nominal torque TN; their sum is always 0.
void CalcShaftTorques();
// Shaft powers (kW) and the rolling power PW.
void CalcShaftPowers();
