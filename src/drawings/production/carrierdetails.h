#pragma once
// Detail drawings of the planet carrier: the planet spacing with its angle
// dimensions, the ring outlines of the carrier forms, the slotted ring and
// the link between two bores. Everything is drawn about the origin through
// the CAD layer into the current output (or block); lengths in mm, angles
// in radians.
//
// The stage views place the planets of a set with PlanetSetCentres, the
// spacing detail too, so that the schematic, the wheel picture and the
// dimensioned detail show each inner planet in the same place.

#include "foundation/types.h"

// Centres of the two planets of one set at the set angle Theta: the outer
// planet on the circle |rE| at Theta, the inner planet on the circle |rI|
// at Theta + OffsetAngle (the stage's PlanetOffsetAngle). The radii are
// taken by magnitude: the stage keeps the centre distance of the mesh with
// the ring negative.
struct TPlanetSetCentres {
    Extended OuterX = 0;
    Extended OuterY = 0;
    Extended InnerX = 0;
    Extended InnerY = 0;
};
TPlanetSetCentres PlanetSetCentres(Extended Theta, Extended rI, Extended rE, Extended OffsetAngle);

// The planet arrangement of a stage with ring zH, sun zS, outer planets zPe
// and inner planets zPi, q planet sets, normal module mn and helix angle
// beta: centre lines, the centre circles |rI| and |rE|, the pitch circles
// of every planet with the labels "1e", "1i", ..., for each set the angle
// from the previous set and the angle OffsetAngle from the outer to the
// inner planet, and the two centre-circle diameters. The set angles follow
// the assembly condition of |zH| - zS. A positive zH or rE draws the same
// as its negative. q <= 0 draws only the centre lines and circles.
void DrawPlanetSpacingDetail(int zH, int zS, int zPe, Extended mn, Extended beta, Extended rI, Extended rE,
                             Extended OffsetAngle, int zPi, int q);

// How far the planet spacing detail of the same arguments reaches below its
// origin: its vertical centre line, the lowest planet a pitch circle could
// put there, and the angle dimensions on the centre line's circle, with one
// dimension scale unit for their arrows and text ends.
Extended PlanetSpacingDetailDepth(int zH, int zPe, Extended mn, Extended beta, Extended rI, Extended rE,
                                  int zPi);

// Carrier form 3: a circle of radius r + |s| and a filled circle of radius
// R - t about the origin, on the current layer.
void DrawBoreRingDetail(Extended t, Extended r, Extended R, Extended s);

// Carrier form 2: layer 5, a circle of radius r + |s| and a filled circle
// of radius rFill about the origin.
void DrawHubRingDetail(Extended rFill, Extended r, Extended s);

// Carrier form 1: one polyline of n sectors about the origin, each a run of
// the ring R and a slot of width w that runs out to |rOut| and turns back
// by the angles angle1 and angle2, then a filled centre circle rCentre.
// e3, e4, e6 and e11 are carried by the callers' argument lists and not
// used. n <= 0 or R = 0 draws nothing (no sector to divide the ring into).
void DrawSlottedRingDetail(int n, Extended rCentre, Extended R, Extended e3, Extended e4, Extended w,
                           Extended e6, Extended runBack, Extended rOut, Extended angle1, Extended angle2,
                           Extended e11);

// Layer 5: the oblong of half-width R about the centres (0, 0) and (a, 0)
// with half circles at both ends, and the filled bores rBore1 at (0, 0)
// and rBore2 at (a, 0).
void DrawCarrierLink(Extended rBore1, Extended rBore2, Extended R, Extended a);
