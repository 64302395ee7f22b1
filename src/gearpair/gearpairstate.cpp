#include "gearpair/gearpairstate.h"

#include "gearpair/catalogue/gearcatalogue.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/lifeparams.h"
#include "gearpair/strength/iso6336.h"

void ResetGearpairState()
{
    ResetGearCatalogue();
    ResetLifeParams();
    ResetLoadSpectrumRoutines();
    ResetIsoFactorCache();
}
