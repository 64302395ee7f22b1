// Steps of the pair calculation whose own calculations are not part of this
// build yet. Each does nothing, so that the frame keeps its order and its stop
// rules; a step's real routine replaces its entry here.

#include "gearpair/geometry/animation.h"
#include "gearpair/geometry/tolerances.h"
#include "gearpair/geometry/warnings.h"

void CalcTolerances() {}

void GearPairWarnings() {}

void SetAnimationAngles() {}
