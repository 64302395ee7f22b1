#pragma once
// Common face width of the pair for the flank and effective face width of
// each gear for the tooth root, from face widths, end chamfers and the axial
// offset of the wheel.

#include "foundation/types.h"

// What the face widths are worked out from, and what comes of them.
struct TFaceWidthPair {
    // Face widths and end chamfers. A face width of 0 takes the previous
    // b_effH, a chamfer above 40 % of its face width is dropped; both are
    // written back as the calculation took them.
    PairArray<Extended> b{}, bcha{};
    Extended bctr = 0;            // axial offset of the wheel
    Extended mn = 0;              // normal module
    Extended b_effH = 0;          // in: the previous flank width; out: the new one
    PairArray<Extended> b_effF{}; // out: effective face width, tooth root
};

void EffectiveFaceWidths(TFaceWidthPair& P);

// The same on GearPair: writes b_effH and b_effF[1..2] (and b, bcha as
// above).
void CalcEffectiveFaceWidth();

// The effective face widths of the three meshes of a stage: mesh i joins
// gears i and i + 1 (S-Pi, Pi-Pe, Pe-H). A face width of 0 takes the mesh's
// previous flank width b_effH[i]. Reads and writes nothing else, so that the
// dialogs can show the widths while the user types.
struct TEffectiveFaceWidths {
    TArray<Extended, 1, 3> H{};  // b_effH, the flank
    TArray<Extended, 1, 3> F1{}; // b_effF of the mesh's first gear
    TArray<Extended, 1, 3> F2{}; // b_effF of the mesh's second gear
};
TEffectiveFaceWidths CalcStageFaceWidths(const TArray<Extended, 1, 4>& b, const TArray<Extended, 1, 4>& bcha,
                                         const TArray<Extended, 1, 3>& bctr,
                                         const TArray<Extended, 1, 3>& b_effH, Extended mn);
