#pragma once
// Hollow sections and the mass and inertia of a gear body (rim, web, hub).
// Diameters and widths in mm, densities in kg/dm3.

#include "foundation/types.h"

// Polar second moment of a hollow circle, mm4.
Extended HollowPolarMoment(Extended D, Extended d);
// Polar section modulus of a hollow circle, mm3; 0 when there is no wall.
Extended HollowPolarSectionModulus(Extended D, Extended d);
// Mass moment of inertia of a hollow cylinder, kg m2.
Extended HollowInertia(Extended D, Extended d, Extended width, Extended rho);

// Mass (kg) and mass moment of inertia (kg m2) of a gear body with tip
// diameter da, root diameter df, rim inside diameter di, bore dB and face
// width b. A negative da marks an internal gear; its dB is then the outside
// diameter of the ring body.
Extended GearBodyMass(Extended da, Extended df, Extended di, Extended dB, Extended b, Extended rho);
Extended GearBodyInertia(Extended da, Extended df, Extended di, Extended dB, Extended b, Extended rho);
// Both at once, splitting the body only once.
void GearBodyMassInertia(Extended da, Extended df, Extended di, Extended dB, Extended b, Extended rho,
                         Extended& mass, Extended& J);
