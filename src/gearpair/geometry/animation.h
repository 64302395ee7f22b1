#pragma once
// Meshing picture and meshing animation of the calculated pair: the drawn
// tooth form of each gear, the working pitch circles for the picture's
// centre distance, and the rotation angles of gear 1 (degrees) at which a
// tooth pair enters contact (phi_a), passes the pitch point (phi_c) and
// leaves contact (phi_e).

#include "foundation/types.h"

// Default picture values from the calculated pair, then confgraf of the
// mean finished profile shifts. Runs last in the geometry.
void SetAnimationAngles();

// The same at the end of the geometry chain: Angles are the functions of
// the pair's angles, StwAngle1 is stw_angle[1] as the chain's step 2 formed
// it from the stw and dw that stand.
struct TGeometryAngles;
void SetAnimationAngles(const TGeometryAngles& Angles, Extended StwAngle1);

// Picture values for the profile-shift coefficients xPic at the picture's
// centre distance a_pic; "Error  : confgraf" when that centre distance is
// impossible for the pair.
void confgraf(PairArray<Extended> xPic);
