#pragma once
// Effective face widths of the three meshes of the stage, worked out from
// face widths, end chamfers and centre offsets as the dimensions and face
// width dialogs show them while the user types.
//
// The pair calculation works on the gear-pair variables; this runs it on a
// copy of what it reads and puts the pair variables back, so that a keystroke
// changes neither the stage records nor the pair data. Only OK writes.

#include "planetary/stage.h"

struct TEffectiveFaceWidths {
    MeshArray H{};  // b_effH, the flank
    MeshArray F1{}; // b_effF of the mesh's first gear
    MeshArray F2{}; // b_effF of the mesh's second gear
};

// Mesh i joins gears i and i + 1 (S-Pi, Pi-Pe, Pe-H). A face width of 0
// takes the mesh's previous flank width from PlanetaryGears.b_effH.
TEffectiveFaceWidths CalcStageFaceWidths(const GearArray& b, const GearArray& bcha, const MeshArray& bctr, Extended mn);

// The widths written into PlanetaryGears (b_effH, b_effF slot 1 and 2).
void StoreStageFaceWidths(const TEffectiveFaceWidths& W);
