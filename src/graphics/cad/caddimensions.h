#pragma once
// Dimensions with tolerances for production drawings and detail views, and
// a few small drawing helpers. Everything a dimension draws goes to layer 3
// (thin lines, dimensions) and is sized by the dimension scale S
// (cadstate.CadScale, see SetDimensionScale): arrows and texts keep their
// paper size when a view is drawn at another scale.
//
// Dimension texts come as three strings: the value, the upper and the lower
// tolerance. A tolerance is a signed decimal number as text ("," accepted as
// decimal point) or empty. Texts are held in the DOS code page; the
// plus-minus sign is its byte 0xF1.

#include "foundation/types.h"

#include <string>

// The plus-minus sign of the DOS code page.
inline constexpr char PlusMinusChar = '\xF1';

// A horizontal dimension of the points (X1, Y1) and (X2, Y2) with its
// dimension line at Yd: extension lines that overshoot the dimension line
// by S, the line, two arrows and the texts above it. A dimension of at most
// 10 S gets its arrows outside.
void CadHorizontalDimension(const std::string& Value, const std::string& Upper, const std::string& Lower,
                            Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Yd);
// The same turned by 90 degrees, the dimension line at Xd and the texts
// reading upwards on its left.
void CadVerticalDimension(const std::string& Value, const std::string& Upper, const std::string& Lower,
                          Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Xd);
// An angle between two radii about (Cx, Cy): the radii, the arc of radius R
// from A1 to A2 (degrees, counter-clockwise) with arrows, and the texts at
// the middle of the arc. Mode 1 starts the texts at the middle of the arc
// instead of centring them there.
void CadArcToleranceDimension(const std::string& Value, const std::string& Upper, const std::string& Lower,
                              Extended Cx, Extended Cy, Extended A1, Extended A2, Extended R, int Mode);

// A text angle (degrees) that keeps the text readable: the angle in
// [0, 360), turned by 180 degrees when it would stand on its head (strictly
// between 90 and 270).
Extended UprightTextAngle(Extended Angle);

// A cross of two lines of half length S at (X, Y).
void CadCross(Extended X, Extended Y, Extended S);
// A closed ellipse (a circle for Rx = Ry) of 126 chords of 0.05 rad.
void CadCircleChords(Extended X, Extended Y, Extended Rx, Extended Ry);
// A closed polyline of the rectangle with 45-degree chamfers of size C.
void CadChamferedRectangle(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended C);
