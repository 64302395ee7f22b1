#pragma once
// Every picture of the stage as a whole goes through one composer: the
// output is opened on a device (0 asks, 1 DXF, 2 IGES, 3 screen, 4 plot
// program, 5 text CAD, 6 STL), the view's header written, the blocks it
// needs defined, its entities written and the output closed.
//
// Views: 1 Kutzbach chart, 2 Wolf symbol, 3 axial section, 4 dimensioned
// front view, 5 assembly drawing, 6 stage tables, 7 carrier sheet,
// 8 carrier (after the carrier dialog), 9 quick sheet, 10 sheet, 11 large
// sheet, 12 operating data and drive configurations, 13 block front view;
// any other number an empty drawing.
//
// The scales of the stage pictures are k / R, R the ring's root diameter:
// a stage without one (0 or not a number) cannot be drawn and says so.

#include "foundation/types.h"

#include <cstdint>
#include <functional>
#include <string>

// What the composer asks of the dialogs above it.
struct TStageComposerHooks {
    // The carrier dialog before view 8; Cancel sets Aborted.
    std::function<void()> EditCarrier;
};
extern TStageComposerHooks stagecomposerhooks;
void ResetStageComposerHooks();

void PlanetDrawView(int16_t Device, int16_t View);
// The result graphic of the configuration on the screen, after every
// calculation; nothing with help level 0 or while Aborted is set.
void PlanetViewRedraw();
// The view of a result graphic mode of the configuration; 0 is the front
// view with its kinematics text.
int ResultGraphicView(int32_t Mode);
// The block front view with the kinematics text beside it.
void FrontViewWithText(int16_t Device);
// The geometry and strength sheets of mesh 1..3, calculated first.
void ShowMeshDimensions(int16_t Device, int16_t Mesh);
void ShowMeshStrength(int16_t Device, int16_t Mesh);
// The six header lines of the sheets: gearbox name and number, remarks,
// and one line per gear.
void SheetHeaderText(Extended X, Extended Y, Extended Height, Extended Width);
