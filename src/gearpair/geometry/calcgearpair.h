#pragma once
// Calculation of the gear pair that stands in `GearPair`: geometry,
// tolerances and measuring values, warnings, meshing-picture angles, load
// capacity and, with a load spectrum, the service life under it.

#include "foundation/types.h"

// The whole pair. Outcome in FatalCalcError, Aborted and the messages.
void CalcGearPair();

// The geometry chain alone (predimensioning, geometry and measuring dialogs).
void CalcGeometry();

// Derives the two tip quantities (ck, kmn, da) that DimensionInputMode does
// not name as given, from the one it names.
void ResolveDimensionInputMode();

// Nominal centre distance (z1 + z2) mn / 2 when none is entered.
void SetDefaultCentreDistance();

// The service life under the load spectrum is calculated by the planetary
// stage layer, above this one; it registers its two routines here. The
// first forms what rests on the spectrum and the nominal torque alone (its
// application factors among them) and says whether it could; the second
// takes the tooth-root and the pitting limit torque of gear 1 (N·m). While
// nothing is registered the pair calculation skips the life step.
using TLoadSpectrumFactorsProc = bool (*)();
using TLoadSpectrumLifeProc = void (*)(Extended toothRootLimitTorque, Extended pittingLimitTorque);
void SetLoadSpectrumFactorsProc(TLoadSpectrumFactorsProc proc);
void SetLoadSpectrumLifeProc(TLoadSpectrumLifeProc proc);

struct TLoadSpectrumRoutines {
    TLoadSpectrumFactorsProc Factors = nullptr;
    TLoadSpectrumLifeProc Life = nullptr;
};

extern TLoadSpectrumRoutines loadspectrumroutines;

// Nothing registered.
void ResetLoadSpectrumRoutines();
