#include "drawings/production/isotolerance.h"

#include "foundation/guardedmath.h"

Extended IsoToleranceUnit(Extended D)
{
    Extended i;
    if (D <= 500)
        // The guarded power returns 0 for D = 0 and the root of |D| (with a
        // message tagged "IT") for a negative size.
        i = 0.45L * SafePower("IT", D, 1.0L / 3.0L) + 0.001L * D;
    else
        i = 0.004L * D + 2.1L;
    return 0.4L * i;
}

Extended IsoToleratedSize(Extended D)
{
    return D + IsoToleranceUnit(D);
}
