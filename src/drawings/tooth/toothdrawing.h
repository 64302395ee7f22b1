#pragma once
// The "Tooth drawing" menu of the loaded mesh: a tooth, a tooth gap with the
// measuring ball, the gap with the generating rack, a whole gear (or the
// ring with the pinion rolling in it), the basic rack, the tooth contact and
// the planet arrangement, on any CAD device. The per-gear views call one
// picture directly; the interactive menu loops with the next item
// preselected until "return" or a Cancel.
//
// Blocks: "EVOLV" + g the outline of one tooth of gear g, "WERKZS" + g the
// tool tooth, "ZAHN" + g the tool envelope, "DMESS" + g the measuring ball,
// "RAD" + g a whole gear of "EVOLV" + g inserts. Diameters of an internal
// gear are negative; radii are taken as magnitudes where the picture needs
// them.

#include "foundation/types.h"

#include <string>

// Device: CAD device code (0 asks). Gear: pair gear 1 or 2 (anything else
// is 1). Item: 0 the menu, 1..10 that item without the menu. Section: 1
// transverse, 2 normal section (item 3). Mode: 0 asks and loops, 1 one
// picture without questions, 2 as 1 into an output the caller has opened
// (and closes), 4 as 1 but item 2 asks the number of teeth. A preset item
// is drawn once in every mode.
void ComposeToothDrawing(int Device, int Gear, int Item, int Section, int Mode);

// Menu texts of the items 1..10.
std::string ToothDrawingItemText(int Item);

// The drawing window of an item (see ComposeToothDrawing) for gear Gear
// and Teeth teeth in the gap picture, from the pair's signed diameters.
struct TToothDrawingWindow {
    Extended X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};
TToothDrawingWindow ToothDrawingWindow(int Item, int Gear, int Teeth);

// "EVOLV" + g once per tooth at 360 - k 360/z + 180/z degrees and, with
// the tooth shape, "ZAHN" + g at 360 - k 360/z. Nothing while Aborted is
// set or for z = 0.
void DrawGearWheel(int Gear, bool WithToothShape);

// Ring gear 2 ("EVOLV2") with the pinion "RAD1" rolling around inside it
// at RingToothShapes positions. Nothing when a drawn pitch diameter is 0.
void DrawRingGearWithPinion();

// Q planets ("RAD" + PlanetGear) around the centre wheel (the other gear),
// gear 1 turned by Angle degrees. Nothing when a drawn pitch diameter or a
// tooth number is 0.
void DrawPlanetArrangement(int Q, int PlanetGear, Extended Angle);
