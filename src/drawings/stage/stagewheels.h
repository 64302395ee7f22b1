#pragma once
// Where the wheels of the stage stand in its front view and how far each is
// turned so that its teeth mesh: one place for the block front view, the
// carrier drawing and the animation, so that every picture puts the planets
// in the same places with the same tooth phases.
//
// The planet sets stand at PlanetAngle(k), k = 0 .. qp - 1; set k's outer
// planet lies on |a(Pe-H)| at PlanetAngle(k) - 90 degrees (the first one
// straight below the centre), its inner planet on a(S-Pi) turned from it by
// the offset angle PhiSun. The wheels' tooth blocks are built with a tooth
// of an external gear pointing to +y and a tooth of the ring pointing to -y
// (towards the centre); the phases below are the insert angles (degrees) of
// the whole wheels at rest. The ring stands at 0: its first tooth copy, half
// a pitch off -y, leaves a tooth space straight below the centre, where the
// first outer planet points a tooth.

#include "foundation/types.h"

#include <vector>

struct TPlanetSetPlace {
    Extended Angle = 0; // PlanetAngle(k), radians
    Extended OuterX = 0, OuterY = 0;
    Extended InnerX = 0, InnerY = 0;
    Extended OuterPhase = 0; // insert angle of "RADPE", degrees
    Extended InnerPhase = 0; // insert angle of "RADPI", degrees
};

struct TStageWheelPlaces {
    std::vector<TPlanetSetPlace> Sets;
    Extended SunPhase = 0; // insert angle of the sun wheel, degrees
};

// The places of the calculated stage (PlanetaryGears, PlanetaryStage and
// the number of planets of the gear pair). A tooth number of 0 gives its
// wheel the phase 0: no angle divides by it.
TStageWheelPlaces StageWheelPlaces();

// The pair-gear indicator of the mesh S-Pi (GearPair.PairGearOrder) from the
// stage's tooth numbers: 1 when zS > zPi, else 2.
void SetPairGearOrderFromStage();
