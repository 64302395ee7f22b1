#pragma once
// The stage cut through its axis and one planet set: the sun on the axis,
// an inner planet above and an outer planet below it as gear bodies in
// section, the ring as two hatched strips broken off at the outside, the
// centre and pitch lines, and the planet bearings as the blocks "LAGER1"
// and "LAGER2" that the caller defines. x runs along the axis (0 in the
// middle of the face widths), y radially.

#include "foundation/types.h"

#include <cstdint>

void DrawStageSection();
// A hatched rectangle whose side Side (1 bottom, 2 right, 3 top, 4 left,
// walked from (X1, Y1) to (X2, Y1), (X2, Y2), (X1, Y2)) is a freehand break
// line. HatchA and HatchB go to the hatching as spacing (0: its default)
// and angle in degrees; an Amplitude of 0 becomes a fifth of the shorter
// side.
void HatchedSectionRect(int16_t Side, Extended X1, Extended Y1, Extended X2, Extended Y2, Extended HatchA,
                        Extended HatchB, Extended Amplitude);
