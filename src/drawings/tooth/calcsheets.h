#pragma once
// The calculation of the loaded mesh as a drawing sheet: the strength sheet
// (stress formulas with their values, the Z, Y and K factor tables) and the
// geometry sheet (basic rack, measurement and tolerance tables, gear data).
// Both open with the same picture, block "bild": the tooth contact picture
// scaled into the upper left corner and a schematic outline of the pair
// below it. The framed tables are TCadTable tables at fixed places of a
// sheet of about 160 x 120 drawing units.
//
// Texts are DOS code page 437 bytes: byte 0xE1 (shown there as a sharp s)
// stands for the Greek beta of the factor symbols ("Y\xE1", "KH\xE1"), and
// is written unchanged.
//
// The mesh strength and mesh dimension views of the stage call them with
// the device and two captions naming the gears of the mesh.

#include "foundation/types.h"

#include <string>

// Device as in CadOpenOutput. Title1, Title2 head the value columns of
// gear 1 and gear 2. A fatal calculation error shows the message list
// instead; the strength sheet refuses a pair with z1 + z2 = 0.
void WriteStrengthSheet(int Device, const std::string& Title1, const std::string& Title2);
void WriteGeometrySheet(int Device, const std::string& Title1, const std::string& Title2);

// Inside the blocks section: "EVOLV1", "EVOLV2" (the tooth outlines of the
// pair) and "EINGRIF" (the mesh picture with its data text, gear 1 turned
// by 2 arcsin(stw1 / (2 dw1))). Uses the picture values of the animation
// (SetAnimationAngles); the caller restores them.
void BuildMeshBlock();
// Block "bild": "EINGRIF" scaled to a width of 28 in the upper left corner
// with its frame, the pair outline below it in the height that is left and
// no wider than the picture.
// A picture without a width draws nothing; a mesh picture that leaves no
// height free leaves the outline out.
void BuildSheetPictureBlock();
// The scale of the pair outline in the free height F below the mesh
// picture: min(52/da0_2, F/(da0_1/2 + a + da0_2/2)) for an external gear 2,
// min(F, 26)/|df2| for a ring. 0 (no outline) when F is not positive or the
// diameters are not calculated.
Extended SheetOutlineScale(Extended F);
// The pair at scale S, gear 1 centred at (X0, Y0), gear 2 at (X0, Y0 + a S):
// reference, tip and root circles, centre crosses, bores and inner circles
// and, for an external gear 2 with both, its web.
void DrawGearPairOutline(Extended X0, Extended Y0, Extended S);

// The method name of the strength sheet's heading: "" outside 1..4.
std::string StrengthMethodName(int CalcMethod);
