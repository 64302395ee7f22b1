#include "gearpair/viscosity.h"

#include "foundation/guardedmath.h"

Extended ViscosityAtTemp(Extended nuRef, Extended tRef, Extended t)
{
    const Extended A = Log10Safe(Log10Safe(nuRef + 0.8L));
    const Extended W = A - 3.726L * (Log10Safe(t + 273.15L) - Log10Safe(tRef + 273.15L));
    return PowerOf10(PowerOf10(W)) - 0.8L;
}
