#pragma once
// The effective face widths of the three meshes as the dimensions and face
// width dialogs show them while the user types (CalcStageFaceWidths of the
// gear-pair library), and putting them into the stage on OK.

#include "gearpair/strength/facewidth.h"
#include "planetary/stage.h"

// The widths written into PlanetaryGears (b_effH, b_effF slot 1 and 2).
void StoreStageFaceWidths(const TEffectiveFaceWidths& W);
