#pragma once
// Measuring data of one gear: the suggested measuring ball (or pin)
// diameter, the number of teeth spanned for the span measurement, and two
// checks of the chosen ball against the tooth form. Angles in radians.

#include "foundation/types.h"

#include <cmath>
#include <string>

// Functions of a helix angle beta and a normal pressure angle alphan that
// every gear of a stage uses alike: the meshes share both angles, so within
// a calculation under way they are worked out once (outside one, at every
// call). Each is formed just as the formulas that use it write it.
struct TProfileAngles {
    unsigned long Calculation = 0;
    Extended Beta = 0, Alphan = 0;
    Extended CosBeta = 0, TanBeta = 0, CosAlphan = 0, SinAlphan = 0, TanAlphan = 0, InvAlphan = 0;
    // Transverse pressure angle atan(tan alphan / cos beta).
    Extended Alphat = 0, CosAlphat = 0, SinAlphat = 0, InvAlphat = 0;
    // Base helix angle atan(cos alphat tan beta) and its cosine.
    Extended Betab = 0, CosBetab = 0;
    // Cosine of the base helix angle as arcsin(sin beta cos alphan).
    Extended CosBetabOfSine = 0;
};
const TProfileAngles& ProfileAnglesOf(Extended beta, Extended alphan);

// Whether an angle a pair holds is the very one (sign of zero included) that
// a kept function of it was formed from; else the caller forms it itself.
// Equal values differ in sign only as zeros: the sign is looked at only then.
inline bool SameAngle(Extended a, Extended b)
{
    return a == b && (a != 0 || std::signbit(a) == std::signbit(b));
}

// Functions of the transverse pressure angle alpha_t and the base helix angle
// beta_b a pair holds: those of Angles where the pair's angles are the very
// ones they were formed from, else worked out from the pair's own.
struct TPairTransverseAngles {
    Extended CosAlphat = 0, SinAlphat = 0, InvAlphat = 0, CosBetab = 0;
};
TPairTransverseAngles PairTransverseAnglesOf(const TProfileAngles& Angles, Extended alpha_t, Extended beta_b);

// Ball diameter (mm) touching the flanks near the reference circle; 0 when
// it cannot be formed. Rounded to 0.1 mm, or to 0.001 in in the imperial system.
Extended DmMess(Extended z, Extended beta, Extended alphan, Extended x, Extended mn);
// Teeth spanned for the span measurement W; negative for an internal gear.
int kmess(Extended z, Extended beta, Extended alphan, Extended x, Extended mn);
// The ball diameter DM as the messages about the ball write it, in the
// length unit of the settings ("2mm"). Within a calculation under way each
// diameter is written once; the text is valid until the next call.
const std::string& BallDiameterText(Extended DM);
// "Error  : Dm ball !  (2mm)": the ball of diameter DM is too small for the
// space. A stage says it for several gears: within a calculation it is put
// together once; valid as long as BallDiameterText's text.
const std::string& SmallBallMessage(Extended DM);
// Error when the ball centre would lie below the base circle.
void CheckBallContactPoint(int z, Extended mn, Extended alphan, Extended beta, Extended x, Extended DM);
// Error or warning when the ball does not sit between tip and root.
void CheckBallPosition(int z, Extended MdK, Extended MdR, Extended df, Extended dFamin, Extended DM,
                       Extended alphan, Extended rhoaP0);
