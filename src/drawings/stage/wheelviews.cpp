#include "drawings/stage/wheelviews.h"

#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/messagelist.h"

TWheelViewComposers wheelviewcomposers;

void ResetWheelViewComposers()
{
    wheelviewcomposers = TWheelViewComposers{};
}

int WheelViewMesh(int Wheel, int Selector)
{
    if (Selector == mSPi || Wheel == gS || Wheel == gPi) return mSPi;
    if (Selector == mPiPe) return mPiPe;
    return mPeH;
}

int WheelPairGear(int Mesh, int Wheel)
{
    const auto& z = PlanetaryGears.z;
    int g = 1;
    switch (Mesh) {
    case mSPi:
        // The sun with more teeth than the planet is the wheel of the pair.
        g = z[gS] > z[gPi] ? Wheel % 2 + 1 : Wheel;
        break;
    case mPiPe:
        g = z[gPi] > z[gPe] ? (Wheel - 1) % 2 + 1 : Wheel - 1;
        break;
    default:
        g = Wheel - 2;
        break;
    }
    return g == 1 || g == 2 ? g : 1;
}

namespace
{

void NotAvailable(const std::string& What)
{
    reportservices.ShowMessageBox(What + " is not available in this version");
    telmvar.Aborted = true;
}

void ToothDrawing(int Device, int Gear, int Item)
{
    if (!wheelviewcomposers.ComposeToothDrawing) {
        NotAvailable("The tooth drawing");
        return;
    }
    wheelviewcomposers.ComposeToothDrawing(Device, Gear, Item, 1, 1);
}

// The caption names the mesh in pair order ("Pi-S" when the sun has more
// teeth). A request without a mesh (selector 0) is captioned "-"; one whose
// selector the gear overrules (the sun with selector 3 is drawn from S-Pi)
// names the mesh drawn, not the one asked for.
std::string ProductionCaption(int Selector, int Loaded)
{
    return MeshCaption(Selector == 0 ? 0 : Loaded);
}

void ProductionDrawing(int Device, int Gear, int Item, const std::string& Caption)
{
    if (!wheelviewcomposers.ComposeProductionDrawing) {
        NotAvailable("The production drawing");
        return;
    }
    wheelviewcomposers.ComposeProductionDrawing(Device, Gear, Item, Caption);
}

} // namespace

void WheelViewDispatch(int Device, int View, int Wheel, int Mesh)
{
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    const int m = WheelViewMesh(Wheel, Mesh);
    CalcMesh(m);
    const int g = WheelPairGear(m, Wheel);
    const std::string caption = ProductionCaption(Mesh, m);
    switch (View) {
    case 1:
        ToothDrawing(Device, g, 7);
        break;
    // The ring's gap is drawn from the involute alone.
    case 2:
        ToothDrawing(Device, g, GearPair.z[g] < 0 ? 2 : 3);
        break;
    case 3:
        ProductionDrawing(Device, g, 7, caption);
        break;
    case 5:
        ToothDrawing(Device, g, 4);
        break;
    case 6:
        ToothDrawing(Device, g, 6);
        break;
    case 7:
        ProductionDrawing(Device, g, 4, caption);
        break;
    case 8:
        ProductionDrawing(Device, g, 5, caption);
        break;
    case 9:
        ProductionDrawing(Device, g, 6, caption);
        break;
    case 10:
        ProductionDrawing(Device, g, 9, caption);
        break;
    case 11:
        ProductionDrawing(Device, g, 11, caption);
        break;
    case 12:
        ProductionDrawing(Device, g, 12, caption);
        break;
    default:
        break; // 0, 4 and beyond 12: the mesh is calculated, nothing drawn
    }
}
