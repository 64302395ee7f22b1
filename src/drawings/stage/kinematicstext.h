#pragma once
// The column of kinematic data that the stage pictures put beside
// themselves (Kutzbach chart, Wolf symbol, front view with text, stage
// animation): drive speeds and torques, the stationary ratio, the shaft and
// planet speeds, the radii of the carrier circles and gears, the tooth
// numbers and the pitch-line velocities of the stage as calculated.
//
// Velocities are always m/s and speeds 1/min, whatever the unit system; only
// lengths and torques follow it.

#include "foundation/types.h"

#include <string>
#include <vector>

// A speed in 1/min times a radius in mm as a velocity in m/s.
Extended PitchLineVelocity(Extended X);

// The lines of the block in their order, the blank separator lines " "
// included.
std::vector<std::string> KinematicsTextLines();

// Layer 19, then the lines one below the other from the current CAD point
// with the text style the caller has set.
void KinematicsTextBlock();
