#pragma once
// Kinematic viscosity of a lubricant at another temperature.

#include "foundation/types.h"

// Viscosity in mm2/s at t (deg C) of an oil that has nuRef at tRef, on the
// double-logarithmic viscosity-temperature line with the fixed slope 3.726
// that mineral gear oils follow closely enough for the load capacity factors.
Extended ViscosityAtTemp(Extended nuRef, Extended tRef, Extended t);

// The viscosity at temperature t (deg C) of an oil that has Nu at TRef, or
// false when the line through them is not defined: a viscosity of 0 or
// below, a temperature at or below absolute zero, or a result that is no
// finite positive number. A form then shows nothing rather than a
// number that is none.
bool TryViscosityAt(Extended Nu, Extended TRef, Extended t, Extended& Result);
