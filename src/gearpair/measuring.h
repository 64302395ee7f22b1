#pragma once
// Measuring data of one gear: the suggested measuring ball (or pin)
// diameter, the number of teeth spanned for the span measurement, and two
// checks of the chosen ball against the tooth form. Angles in radians.

#include "foundation/types.h"

// Ball diameter (mm) touching the flanks near the reference circle; 0 when
// it cannot be formed. Rounded to 0.1 mm, or to 0.001 in in the imperial system.
Extended DmMess(Extended z, Extended beta, Extended alphan, Extended x, Extended mn);
// Teeth spanned for the span measurement W; negative for an internal gear.
int kmess(Extended z, Extended beta, Extended alphan, Extended x, Extended mn);
// Error when the ball centre would lie below the base circle.
void CheckBallContactPoint(int z, Extended mn, Extended alphan, Extended beta, Extended x, Extended DM);
// Error or warning when the ball does not sit between tip and root.
void CheckBallPosition(int z, Extended MdK, Extended MdR, Extended df, Extended dFamin, Extended DM,
                       Extended alphan, Extended rhoaP0);
