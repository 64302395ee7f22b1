#pragma once
// Axial half-sections of the planet bearings, drawn to the catalogue
// dimensions of the chosen bearing for every type the catalogues offer: the
// stage section and the sheets open the block of a planet's bearing, call
// BearingDraw and close the block. Everything goes through the CAD layer,
// so the same section reaches the screen and every CAD file.
//
// Frame: x along the bearing axis from 0 at one side face to B (T for the
// taper roller bearing); y the radial distance, the axis on y = 0. Both
// halves are drawn, the lower one the mirror image of the upper. Layers:
// 5 outlines, 1 centre lines, 2 hidden arcs, 3 hatch lines, 19 the
// designation.
//
// The sections never put a coordinate that is not a finite number into the
// CAD layer and add no message of their own: a groove that cannot be formed
// from the catalogue values becomes a straight land, a degenerate record is
// drawn as far as its values allow. HatchMode is 1 after every call.

#include "foundation/types.h"
#include "planetary/bearings/planetbearing.h"

#include <string>

// The dimensions a section is drawn from, taken from the bearing record in
// one place (BearingDrawingData), the catalogue copy keeping some of them in
// its general-purpose fields.
struct TBearingDrawingData {
    int TypeCode = 0;
    std::string Designation;
    Extended D = 0;              // outer diameter
    Extended d = 0;              // bore (raceway diameter for types 4 and 10)
    Extended B = 0;              // width; inner ring width of type 6
    Extended OuterRingWidth = 0; // type 6
    Extended rs = 0;             // ring chamfer, drawn as a corner radius
    Extended d1 = 0;             // inner ring land diameter
    Extended D1 = 0;             // outer ring land diameter
    Extended T = 0;              // type 6 total width
    Extended rs2 = 0;            // second corner radius
    Extended rs3 = 0;            // type 6 back-face corner; 0 = derived
    Extended alpha = 0;          // degrees
};

TBearingDrawingData BearingDrawingData(const WaelzLagerTyp& R);

// Draws bearing n (1 inner planet, 2 outer planet) of PlanetBearings; with
// BoreLines 1 the side faces are continued across the bore. An n outside
// 1..2 draws nothing.
void BearingDraw(int n, int BoreLines);
// The same for any record (the stage drawings pass PlanetBearings[n]).
void BearingDraw(const WaelzLagerTyp& R, int BoreLines);
void BearingDraw(const TBearingDrawingData& b, int BoreLines);

// 1 multiplied k times by x (1 for k <= 0): the half sign s = (-1)^k.
Extended PositiveIntPower(Extended x, int k);

// Design 1..4 of a cylindrical roller bearing from its designation (upper
// case compared): "NU" 1, "NUP" 4, "NJ" 3, anything else 2.
int CylindricalRollerDesign(const std::string& Designation);

// One hatched ring section of a ball bearing: occupies x0..x0 + w and
// y0..y0 + h (Above) or y0 - h..y0 (Below); the land line y = y0 takes a
// groove of radius r and depth t; c rounds the two corners away from the
// land. Below limits the groove to half a ball (t <= r). A groove that
// cannot be formed leaves a straight land. Nothing for r = 0.
void DrawGroovedRingAbove(Extended x0, Extended y0, Extended r, Extended c, Extended h, Extended w,
                          Extended t);
void DrawGroovedRingBelow(Extended x0, Extended y0, Extended r, Extended c, Extended h, Extended w,
                          Extended t);

// Ring sections of the angular contact ball bearing (type 8): R outer or
// bore radius, rw ball radius, rl land radius, rm pitch radius, c and c2
// corner radii, w width, t groove depth.
void DrawAngularOuterRingUpper(Extended R, Extended rw, Extended rl, Extended rm, Extended c, Extended c2,
                               Extended w, Extended t);
void DrawAngularOuterRingLower(Extended R, Extended rw, Extended rl, Extended rm, Extended c, Extended c2,
                               Extended w, Extended t);
void DrawAngularInnerRingUpper(Extended R, Extended rw, Extended rl, Extended rm, Extended c, Extended c2,
                               Extended w, Extended t);

// Ring sections of the cylindrical roller bearing; every y and included
// angle is multiplied by s (+1 upper, -1 lower half).
void HatchRibbedRing(Extended x0, Extended y0, Extended h, Extended w, Extended p, Extended L, Extended c,
                     Extended k, Extended s, Extended angle);
void HatchPlainRing(Extended x0, Extended y0, Extended h, Extended w, Extended L, Extended c, Extended s);
void HatchSingleRibRing(Extended x0, Extended y0, Extended h, Extended w, Extended p, Extended L, Extended c,
                        Extended k, Extended s);

// The section routines by type, for BearingDraw.
void DrawGrooveBallBearing(const TBearingDrawingData& b, int BoreLines);
void DrawSelfAligningBallBearing(const TBearingDrawingData& b, int BoreLines);
void DrawNeedleBush(const TBearingDrawingData& b, int BoreLines);
void DrawNeedleBearingNoInnerRing(const TBearingDrawingData& b, int BoreLines);
void DrawCylindricalRollerBearing(const TBearingDrawingData& b, int BoreLines);
void DrawTaperRollerBearing(const TBearingDrawingData& b, int BoreLines);
void DrawSphericalRollerBearing(const TBearingDrawingData& b, int BoreLines);
void DrawAngularContactBallBearing(const TBearingDrawingData& b, int BoreLines);
void DrawAngularContactBallBearing2(const TBearingDrawingData& b, int BoreLines);
void DrawNeedleCage(const TBearingDrawingData& b, int BoreLines);
