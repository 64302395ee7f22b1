#pragma once
// Numbers in report columns that are narrower than the number's text.
//
// A value the caller formatted wider than its column must neither be cut
// (a wrong number) nor left out (a missing one): it is written again in the
// shortest form that still shows it, first with fewer decimals, then in
// exponent form with as many significant digits as the column holds.

#include <string>

// The number in Text (blanks around it ignored; "." or "," as the decimal
// point, an exponent allowed) written in at most Width characters; empty
// when Text is no number or even its one-digit exponent form is wider.
std::string ShortestNumberText(const std::string& Text, int Width);
