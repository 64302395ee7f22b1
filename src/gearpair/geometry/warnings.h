#pragma once
// Design warnings and plausibility errors of the calculated pair.
void GearPairWarnings();
