// The drawings the CAD batch mode "/CADi:j" can write in this program: one
// line per drawing, added when the drawing is built in. An index nobody
// registers answers "drawing j is not available yet".
#include "app/cadbatch.h"

#include "drawings/production/productiondrawing.h"
#include "drawings/stage/composer.h"

void InstallCadExports()
{
    RegisterProductionDrawingExports(ComposeProductionDrawing);
    RegisterFrontViewExport([](int Device) { FrontViewWithText(static_cast<int16_t>(Device)); });
    RegisterStageViewExports([](int Device, int View) {
        PlanetDrawView(static_cast<int16_t>(Device), static_cast<int16_t>(View));
    });
}
