#pragma once
// Gear wheels in axial section, as the production drawing and the stage
// section drawings show them: the axis horizontal, the face width along x
// from the body's origin, the diameters along y mirrored about the axis.
// A sectioned body hatches its material (solid disc, web-and-hub wheel or
// the ring of an internal gear); the view shows the outline with the hidden
// root or tip lines; the bore front end estimates a shaft bore from the
// torque and picks between the two. Two prompts ask which gear of the pair a
// drawing menu means.
//
// Lengths in mm; z < 1 marks an internal gear (ring), whose diameters are
// negative. The body's origin (X0, Y0) is the CAD offset during the call and
// the offset is (0, 0) afterwards. Layers: 1 axis and pitch lines, 5
// outlines and bore lines, 2 hidden lines of the view; hatch lines as the
// hatching's mode says.

#include "foundation/types.h"

#include <cstdint>

// Sectioned body. Di: inner diameter of the rim (of a ring: the outer
// diameter of the ring body), 0 when not given; DB: bore (of a ring: outer
// diameter limit), 0 for none; Bcha: chamfer of the tip corners;
// HatchAngle in degrees (45 for the first gear of a pair, -45 for the
// second).
void DrawGearBody(int z, Extended X0, Extended Y0, Extended d, Extended da, Extended df, Extended di,
                  Extended dB, Extended b, Extended bcha, Extended HatchAngle);

// Unsectioned view: the outline and the hidden root (external gear) or tip
// (ring) lines.
void DrawGearBodyView(int z, Extended X0, Extended Y0, Extended d, Extended da, Extended df, Extended di,
                      Extended b, Extended bcha);

// The shaft bore a torque T (N m) needs in a material of strength SigmaFE
// (N/mm2) with a safety of 3 against torsion, rounded to whole mm:
// ((16/pi) T 1000 / (SigmaFE/3))^(1/3). A negative base is reported under
// the name "dbohr" by the guarded power.
Extended EstimatedBoreDiameter(Extended T, Extended SigmaFE);

// Bore estimate, then the section or the view: a wheel without a rim
// diameter (di <= 0) is sectioned as given. Otherwise a given bore below
// the estimate is enlarged to it (no bore stays no bore), and a web whose
// rim thickness cannot carry the torque on the hub diameter is drawn as a
// view. Without a material strength (SigmaFE <= 0) there is nothing to
// estimate with: the body is sectioned as given. A hub diameter of 0 carries
// nothing either: the view.
void DrawGearBodyWithBore(int z, Extended X0, Extended Y0, Extended d, Extended da, Extended df, Extended di,
                          Extended dB, Extended b, Extended bcha, Extended HatchAngle, Extended T,
                          Extended SigmaFE);

// Which wheel: "gear 1" or "gear 2" (AskSelectGearOrBoth adds "gear 1+2").
// Choice is 1-based in and out, out of range reset to 1; Cancel sets
// Aborted and keeps it. The choice is also left as text in item 30 of the
// shared selection list.
void AskSelectGear(uint16_t& Choice);
void AskSelectGearOrBoth(uint16_t& Choice);
