#pragma once
// Kinematic viscosity of a lubricant at another temperature.

#include "foundation/types.h"

// Viscosity in mm2/s at t (deg C) of an oil that has nuRef at tRef, on the
// double-logarithmic viscosity-temperature line with the fixed slope 3.726
// that mineral gear oils follow closely enough for the load capacity factors.
Extended ViscosityAtTemp(Extended nuRef, Extended tRef, Extended t);
