#pragma once
// The stage seen along its axis, frame by frame, for the stage animation:
// the gear-wheel picture (the wheels as blocks defined once and inserted
// per frame turned by the members' angles) and the schematic picture of
// pitch circles and diameter lines drawn directly per frame. The stage's
// centre is the origin; lengths in mm.

#include "foundation/types.h"

#include <cstdint>

// Defines "EVOLV1" .. "EVOLV4", the wheels "RADH", "RADPE", "RADPI",
// "RADSI" with their turning marks and the carrier arm "CARRIER"; the
// caller wraps it in CadBeginBlocks .. CadEndSection. Leaves the mesh S-Pi
// in the gear-pair variables.
void PlanetFrontView();
// Gear g (1 S, 2 Pi, 3 Pe, 4 H) as rotated copies of its tooth block.
void AnimToothRing(int16_t g);
// One frame of the gear-wheel picture, the members' angles in degrees
// (counter-clockwise): each wheel from its meshing place at rest turned by
// its own angle, the planet centres and the carrier arms turned by PhiC.
// Phi6 is not used.
void AnimFrontView(Extended PhiS, Extended PhiPi, Extended PhiPe, Extended PhiH, Extended PhiC,
                   Extended Phi6);
// One frame of the schematic picture, the angles in radians: the sun
// (layer 21), the ring (19), the inner (18) and outer (17) planets with a
// diameter line each, and the carrier arms (5). The planet sets stand
// evenly, 2 pi / qp apart. Phi6 is not used.
void StageSchematicFrame(Extended PhiS, Extended PhiPi, Extended PhiPe, Extended PhiH, Extended PhiC,
                         Extended Phi6);
