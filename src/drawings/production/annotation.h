#pragma once
// Small pieces several drawings share: a step width of 1, 2 or 5 times a
// power of ten (scale divisions, grid spacings), the scale text of a
// drawing, the "name = value unit" lines of the data blocks beside a
// drawing, and an elliptic arc as a polyline (the arcs of a tool profile
// stretched into the transverse section of a helical gear).
//
// Texts are written at the CAD text cursor with CadTextLine, which moves
// one line down after each.

#include "foundation/types.h"

#include <string>

// A step of 1, 2 or 5 times a power of ten near X. X <= 0 counts as the
// power 10^0.
Extended NiceStep(Extended X);

// "M <f>:1" for F >= 1, else "M 1:<1/f>", 3 significant digits. A factor
// that is not a positive number has no scale: S becomes "".
void ScaleText(std::string& S, Extended F);
std::string ScaleText(Extended F);

// The line "Name = value unit": inches with 4 significant digits when the
// unit system is imperial; in mm three decimals from 0.001 up to 1 (so
// 0.5 reads 0.500 rather than a bare 0.5), otherwise 3 significant digits.
std::string DimensionValueText(const std::string& Name, Extended V);
void DimensionValueLine(const std::string& Name, Extended V);

// "Name = value" with 3 significant digits.
std::string ValueText(const std::string& Name, Extended V);
void ValueLine(const std::string& Name, Extended V);

// The arc of the ellipse with semi-axes R Fx and R Fy about (Xc, Yc) from
// A0 to A1 (degrees, parameter angle) as a polyline of straight segments
// Step degrees apart; the last vertex lies exactly at A1. Nothing for
// R = 0. A1 <= A0 or a Step that is not positive gives only the two end
// vertices (a step <= 0 would otherwise never reach A1).
void CadEllipticArc(Extended Xc, Extended Yc, Extended A0, Extended A1, Extended R, Extended Fx, Extended Fy,
                    Extended Step);
