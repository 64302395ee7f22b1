#pragma once
// The per-gear views of the View, CAD and STL menus and of the command-line
// CAD export: drawing View of stage gear Wheel is one of the single-pair
// tooth or production drawings of the mesh that holds the gear. The mesh is
// loaded into the gear-pair variables and calculated, the stage gear becomes
// gear 1 or 2 of the pair, and the composer draws that pair gear.
//
// Stage gears: 0 the mesh as a whole (tooth contact), 1 S, 2 Pi, 3 Pe, 4 H.
// Mesh selector: 0 chosen from the gear, 1 S-Pi, 2 Pi-Pe, 3 Pe-H.

#include <functional>
#include <string>

// The composers the views call. They live beside this dispatch in the
// drawings and are installed when they are built into the program; a view
// whose composer is missing says so and ends as a cancelled command.
struct TWheelViewComposers {
    // The "Tooth drawing" menu's Item (1..10) of pair gear Gear drawn
    // directly; Section 1 the transverse section, Mode 1 asks nothing.
    std::function<void(int Device, int Gear, int Item, int Section, int Mode)> ComposeToothDrawing;
    // The "production drawing" menu's Item (1..16) of pair gear Gear; the
    // caption names the mesh in the drawing.
    std::function<void(int Device, int Gear, int Item, const std::string& Caption)> ComposeProductionDrawing;
};

extern TWheelViewComposers wheelviewcomposers;

// Both entries empty.
void ResetWheelViewComposers();

// The mesh a view of stage gear Wheel loads: S-Pi for the sun and the inner
// planet whatever the selector, else the selector's mesh, else Pe-H.
int WheelViewMesh(int Wheel, int Selector);

// Pair gear (1 or 2) of stage gear Wheel in mesh Mesh as the loaders order
// the pair (fewer teeth first in S-Pi and Pi-Pe, Pe first in Pe-H); a gear
// that is not in the mesh, wheel 0 among them, is pair gear 1.
int WheelPairGear(int Mesh, int Wheel);

// Device: CAD device code 0..6 (0 asks); View 1..12 (1 tooth contact,
// 2 tooth gap, 3 production drawing, 4 nothing, 5 gear wheel, 6 basic rack,
// 7 gear data, 8 measurement, 9 flank tolerances, 10 roll angle, 11 tooth
// thickness tolerance, 12 specific sliding). While FatalCalcError is set the
// message list stands in for the drawing and nothing is loaded. Afterwards
// the chosen mesh stays loaded, its results stored back into the stage.
// Production drawings are captioned with the mesh in pair order ("Pi-S"),
// "-" for selector 0.
void WheelViewDispatch(int Device, int View, int Wheel, int Mesh);
