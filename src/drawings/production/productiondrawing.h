#pragma once
// The manufacturing documents of the gears of the mesh loaded in the
// gear-pair variables: single views of one gear (front, side, section), the
// data tables of a gear drawing, a complete production drawing on an A4
// sheet, the tooth-thickness and backlash diagram, the specific-sliding
// tables, both bodies in mesh and the carrier link.
//
// ComposeProductionDrawing is a menu of sixteen entries ("production
// drawing"); each entry is one complete CAD output on the chosen device.
// The per-wheel views and the CAD batch mode call it with a preset entry
// and gear and it then asks nothing (a headless run never waits on a
// prompt). The caller has loaded and calculated the mesh.
//
// Drawing units are mm; an internal gear 2 has a negative tooth number and
// negative diameters, used by magnitude where a radius is meant.

#include "foundation/types.h"

#include <cstdint>
#include <string>

// The texts of the menu, entries 1..16 (16 "return ..").
const char* ProductionDrawingMenuText(int Entry);

// Device: CAD device code (0 asks). Entry 0 opens the menu and shows it
// again after each drawing until "return ..", Cancel or a failure;
// entries 1..15 are drawn once. Gear is used with a preset entry only:
// 0 asks gear 1 or 2, 1 or 2 that gear, 3 both where the entry offers
// both. MeshCaption ("S-Pi") names the mesh in the backlash diagram and
// the specific-sliding tables. The menu proposal is kept in
// telmvar.DiagramKind: the entry after the one drawn.
void ComposeProductionDrawing(int Device, int Gear, int Entry, const std::string& MeshCaption);

// The scale of the production sheet of gear Gear, a nice step (1, 2 or 5
// times a power of ten) that fits the face width into 140 mm and the
// diameter into 80 mm of the sheet. 0 when the face width or the diameter
// is not a positive number (data not calculated): the sheet has no scale.
Extended ProductionSheetScale(int Gear);
// The dimension scale of the dimensioned section: max(b/140, D/80), so its
// arrows and texts keep their paper size when the section is inserted at
// the sheet's scale. 0 when it cannot be worked out.
Extended SectionDimensionScale(int Gear);

// One A4 sheet of gear Gear: the frame block (when FrameBlock is not
// empty), the scale, the dimensioned section (block "rad" + Gear) at the
// sheet's scale, the gear data, measurement and flank tolerance tables and
// the material. Nothing after a fatal calculation error or without a scale.
void DrawProductionSheet(int Gear, const std::string& FrameBlock);
// The section of gear Gear with its diameters and face width dimensioned,
// the body between x = 0 and x = b about the axis y = 0.
void DrawGearSectionDimensioned(int Gear);
// Centre lines, reference, root, tip, inside and bore circles, and for an
// external web wheel with a bore the four arms between hub and rim.
void DrawGearFrontView(int Gear);
// The hub circle and the four arms (at 0, 90, 180 and 270 degrees) of a
// web wheel between hub and rim, about (X0, Y0) at scale S: rim thickness
// t = (df - di)/2, arm width 0.75 t, hub diameter dB + 2 t. Nothing when
// the hub reaches the rim.
void DrawWheelArms(Extended X0, Extended Y0, Extended S, Extended df, Extended di, Extended dB);
// Both bodies in axial section as they mesh: gear 2 at the centre distance.
void DrawMeshSectionPair();
// The carrier link between the two gear centres.
void DrawCarrierLinkView();
// Guard of the carrier link: refuses an internal gear 2 and a missing
// bore (message, Aborted), then asks the centre distance of the tooth
// graphics (GraphCentreDistance), starting from the pair's.
void AskDrawingCenterDistance();
