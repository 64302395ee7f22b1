#include "gearpair/gearpairstate.h"

#include "gearpair/catalogue/gearcatalogue.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/lifeparams.h"

void ResetGearpairState()
{
    ResetGearCatalogue();
    ResetLifeParams();
    ResetLoadSpectrumRoutines();
}
