#pragma once
// The stage run with each of its six drive configurations: one shaft in,
// one out, the third locked.
#include "foundation/types.h"

struct TDriveConfiguration {
    int InputShaft, OutputShaft;
};
// 1 S-C, 2 S-H, 3 C-H, 4 H-C, 5 H-S, 6 C-S (input-output).
extern const TArray<TDriveConfiguration, 1, 6> DriveConfigurations;

// One configuration's results; the values are 0 when the stage could not be
// calculated with it.
struct TDriveConfigResult {
    bool Calculated = false;
    Extended nOut = 0, TOut = 0;
    // nIn / nOut, 0 for a standing output.
    Extended Ratio = 0;
    // The smallest pitting and bending safeties over all three meshes.
    Extended SHmin = 0, SFmin = 0;
};
using TDriveConfigResults = TArray<TDriveConfigResult, 1, 6>;

// Calculates the stage with each configuration and the third shaft locked.
// The drive data are put back and the stage calculated again on every path
// (also when a calculation throws), so the records afterwards are those
// before.
TDriveConfigResults CalcDriveConfigurations();
