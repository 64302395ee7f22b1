#pragma once
// The cutting tool of gear 1 or 2 of the loaded pair: one tooth of the
// basic rack with its tip radius, protuberance, chamfer and root radius,
// and the rack rolled along the reference circle through the tooth space
// it generates.
//
// Profile frame: x along the rack, 0 on the centre line of the tool tooth;
// y across it, 0 on the rolling line (the reference circle). The tool tip
// lies e = (d - df_pic)/2 below it, so a drawing's tooth space and the tool
// that cut it line up.
//
// The tooth pictures put the profile into the block "WERKZS" + gear and
// the envelope inserts that block; both reach every CAD device through the
// CAD layer.

#include "foundation/types.h"

#include <string>
#include <vector>

// Points of the right half of the tool tooth in the profile frame (normal
// section; the drawing divides x by cos beta for the transverse section).
struct TToolProfilePoints {
    Extended yTip = 0, yDatum = 0, yRoot = 0;
    Extended CaX = 0, CaY = 0; // tip fillet centre
    Extended Ax = 0, Ay = 0;   // tip fillet meets the flank (protuberance flank)
    Extended Px = 0, Py = 0;   // protuberance flank meets the main flank
    Extended Bx = 0, By = 0;   // chamfer start (flank end without chamfer)
    Extended Qx = 0, Qy = 0;   // chamfer end on the root line
    Extended CfX = 0, CfY = 0; // root fillet centre
    Extended Ex = 0, Ey = 0;   // root fillet end on the flank or chamfer
    bool Protuberance = false;
    bool Chamfer = false;
    bool RootRadius = false;
};
TToolProfilePoints ToolProfilePoints(int Gear);

// Draws the tool tooth on the current CAD output. TransverseSection
// stretches x by 1/cos beta (arcs become elliptic arcs); WithText = 1 adds
// the centre line, the datum line and the block of tool data.
void DrawToolProfile(int Gear, bool TransverseSection, int WithText);

// Text lines of the tool data block, caption first.
std::vector<std::string> ToolDataLines(int Gear);

// Half the rolling range of the envelope, radians: 0.69 / ln z + 4.5 / z,
// 0.3 for z <= 1 and every internal gear.
Extended ToolEnvelopeRange(int Gear);

// Inserts "WERKZS" + Gear at exactly 2 GearToothShapes rolling positions
// from -range to range - step (0 shapes become 30, stored back).
void DrawToolEnvelope(int Gear);
