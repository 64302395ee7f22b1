#pragma once
// Common face width of the pair for the flank and effective face width of
// each gear for the tooth root, from face widths, end chamfers and the axial
// offset of the wheel.

// Writes GearPair.b_effH and b_effF[1..2]; a face width of 0 takes the
// previous b_effH, a chamfer above 40 % of its face width is dropped.
void CalcEffectiveFaceWidth();
