#include "planetary/planetarystate.h"

#include "planetary/bearings/bearingcatalogue.h"
#include "planetary/bearings/operationdata.h"
#include "planetary/filenames.h"
#include "planetary/loadspectrum/spectrumlife.h"
#include "planetary/stagecalc.h"

void ResetPlanetaryState()
{
    ResetBearingCatalogue();
    ResetBearingDialogServices();
    ResetFileNameDialogs();
    ResetStageCalc();
    ResetLifeMaterialRead();
}
