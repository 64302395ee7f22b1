#pragma once
// The outline of one tooth of gear 1 or gear 2 of the loaded pair, as the
// cutting tool generates it: both involute flanks, the tip land as an arc
// about the gear centre, and the root on both sides, either the trochoid
// the rounded tip of the rack cuts or a fillet of the tool tip radius
// joined to the root circle. Internal gears (negative tooth number and
// diameters) get a root of their own built from the chord to the middle of
// the gap, and on request the outline of the pre-machined tooth.
//
// The outline spans one pitch, so the tooth and mesh pictures build a whole
// gear by inserting it once per tooth ("EVOLV1", "EVOLV2"). Frame: origin at
// the gear centre, y along the tooth centre line (an external tooth points
// to +y, the tooth space of an internal gear lies about -y), the right flank
// (x > 0) first.
//
// The geometry is computed into polylines of their own (layer, vertices,
// included angles) that one routine hands to the CAD layer, so that every
// vertex can be checked without a device. It reads the drawing values of
// the pair (sn_pic, df_pic, da_pic from confgraf, x_pic, xv_pic) and the
// tooth graphics settings; only the two point-count defaults are stored.

#include "foundation/types.h"

#include <vector>

// A polyline vertex: Angle is the included angle (radians, positive
// counter-clockwise) of the arc from this vertex to the next, 0 for a
// straight segment.
struct TContourVertex {
    Extended X = 0;
    Extended Y = 0;
    Extended Angle = 0;
};

// One element of an outline on its layer: a polyline, or a single line from
// the first to the second vertex.
struct TContourPath {
    int Layer = 5;
    bool IsLine = false;
    std::vector<TContourVertex> Vertices;
};

// Everything one call draws, in drawing order.
struct TToothContour {
    std::vector<TContourPath> Paths;
};

// Layers of the tooth outline.
inline constexpr int ContourLayerAxis = 1;
inline constexpr int ContourLayerPreMachining = 3;
inline constexpr int ContourLayerOutline = 5;

// Bounds of the point counts. The configuration admits one involute point,
// which leaves no diameter step; project files may hold anything, so the
// counts are clamped where they are used and only 0 is replaced by the
// default and stored back.
inline constexpr int InvolutePointsMin = 2;
inline constexpr int InvolutePointsMax = 256;
inline constexpr int FilletResolutionMin = 2;
inline constexpr int FilletResolutionMax = 200;

// InvolutePoints and FilletResolution as used (0 becomes 20 and 30 and is
// stored back).
int ContourInvolutePoints();
int ContourFilletResolution();

// Diameter up to which the rounded tip of the tool reaches:
// df_pic + 2 rhoaP0 (1 - sin alpha).
Extended ToolFilletEndDiameter(int Gear);

// The involute starts at the base circle (and the trochoid is the root
// below it): an external gear whose base circle lies at or above the tool
// fillet end diameter.
bool InvoluteStartsAtBaseCircle(int Gear);

// Flank point at the (signed) diameter D and half the tooth-thickness angle
// psi there. D = 0 (missing gear data): all 0 and "Fatal  : d = 0 !" in the
// message list.
void InvolutePointAtDiameter(int Gear, Extended& X, Extended& Y, Extended D, Extended& Psi);
// The same for the pre-machined tooth, whose thickness follows the mean
// pre-machining profile shift (xevmin + xevmax) / 2.
void PreMachiningInvolutePoint(int Gear, Extended& X, Extended& Y, Extended D, Extended& Psi);

// Radial depth below the reference circle at which the protuberance flank of
// the tool meets its main flank; 0 for a tool without protuberance.
Extended ProtuberanceDepth(int Gear);

// The fillet root of an external gear whose involute starts above the base
// circle: a fillet of the tool tip radius through the flank start P that
// touches the root circle at T, then the root arc to the middle of the gap G.
struct TExternalFilletRoot {
    Extended Px = 0, Py = 0; // flank start, on the tool fillet end diameter
    Extended Gx = 0, Gy = 0; // middle of the gap on the root circle
    Extended Tx = 0, Ty = 0; // where the fillet touches the root circle
    Extended Cx = 0, Cy = 0; // fillet centre
    Extended W = 0;          // arc angle of the fillet T..P
    Extended G = 0;          // arc angle of the root G..T about the gear centre
};
TExternalFilletRoot ExternalFilletRoot(int Gear);

// The root of an internal gear: the corner at the flank's root end P1
// between the flank and the chord to the middle of the gap G, rounded with
// the tool tip radius. T1 lies on the flank line, T2 on the chord, W is the
// arc angle (pi less the corner angle). Where the full radius would carry
// T2 past G (the fillet would reach into the neighbouring gap) the radius
// is reduced so the fillet ends at G.
struct TInternalRoot {
    Extended P1x = 0, P1y = 0;
    Extended Gx = 0, Gy = 0;
    Extended T1x = 0, T1y = 0;
    Extended T2x = 0, T2y = 0;
    Extended Cx = 0, Cy = 0;
    Extended W = 0;
    Extended Radius = 0;    // fillet radius used
    bool EndsAtGap = false; // T2 = G: the radius was reduced
};
// PreMachining: the flank of the pre-machined tooth, moved by the tool's
// protuberance.
TInternalRoot InternalRoot(int Gear, bool PreMachining);

// One root trochoid (Side 1 the left fillet, with the root land to the
// neighbouring gap; Side 2 its mirror image), as one polyline, and its end:
// the last vertex drawn, or the root point when none is drawn.
TContourPath RootTrochoid(int Gear, int Side, Extended& EndX, Extended& EndY);

// The whole outline GenerateToothContour draws; empty while Aborted is set
// and for a gear without teeth or reference diameter ("Fatal  : d = 0 !").
TToothContour BuildToothContour(int Gear, bool SingleGear);
// The pre-machined outline of an internal gear (layer 3).
TContourPath BuildPreMachiningContour(int Gear);

// Hands an outline to the current CAD output: layers, lines and polylines
// with their included angles. Elements that cannot be drawn (a polyline of
// fewer than two vertices) are left out.
void SendContourToCad(const TToothContour& Contour);

// The drawing entry points.
void GenerateToothContour(int Gear, bool SingleGear);
void DrawRootTrochoid(int Gear, int Side, Extended& EndX, Extended& EndY);
void DrawPreMachiningContour(int Gear);
