// The drawings the CAD batch mode "/CADi:j" can write in this program: one
// line per drawing, added when the drawing is built in. An index nobody
// registers answers "drawing j is not available yet".
#include "app/cadbatch.h"

#include "drawings/production/productiondrawing.h"
#include "drawings/stage/composer.h"
#include "drawings/stage/wheelviews.h"
#include "drawings/tooth/toothdrawing.h"

void InstallCadExports()
{
    // The per-wheel views reach the tooth and production drawings for the
    // menus and the batch mode alike.
    wheelviewcomposers.ComposeProductionDrawing = ComposeProductionDrawing;
    wheelviewcomposers.ComposeToothDrawing = ComposeToothDrawing;
    RegisterProductionDrawingExports(ComposeProductionDrawing);
    RegisterFrontViewExport([](int Device) { FrontViewWithText(static_cast<int16_t>(Device)); });
    RegisterStageViewExports([](int Device, int View) {
        PlanetDrawView(static_cast<int16_t>(Device), static_cast<int16_t>(View));
    });
    RegisterWheelViewExports(
        [](int Device, int View, int Wheel, int Mesh) { WheelViewDispatch(Device, View, Wheel, Mesh); });
}
