#include "dialogs/dialogservices.h"

#include "foundation/programsettings.h"
#include "planetary/stagecalc.h"

TDialogServices dialogservices;

void ResetDialogServices()
{
    TDialogServices& S = dialogservices;
    S.PlaceDialog = [](TDialogPlace&) {};
    S.ToggleUnitSystem = [] { wtelmvar.UnitSystem = wtelmvar.UnitSystem == 1 ? 0 : 1; };
    S.CalculateStage = [] { CalcPlanetaryStage(); };
    S.RedrawCurrentView = [] {};
    S.ShowAuxiliaryImages = [] {};
}

namespace
{
struct InitServices {
    InitServices() { ResetDialogServices(); }
} initServices;
} // namespace
