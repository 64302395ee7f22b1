#pragma once
// The Kutzbach speed chart of the stage: radius upwards, circumferential
// velocity sideways. The gears appear as their pitch and operating pitch
// circles, the velocity distribution along one radial line through sun,
// inner planet, outer planet and ring as one polyline whose slopes are the
// members' angular speeds. The kinematics text block stands beside it.
//
// Drawn through the diagram functions into whatever output the caller has
// opened (entities section); the diagram layout is put back afterwards.

#include "foundation/types.h"

// Half width of the velocity axis (m/s): twice the larger pitch-line
// velocity of sun and ring, grown to every velocity of the polyline, and
// 1 m/s for a stage at rest.
Extended KutzbachVelocityLimit();

void KutzbachChart();
