#pragma once
// Numbers in report columns that are narrower than the number's text.
//
// A value the caller formatted wider than its column must neither be cut
// (a wrong number) nor left out (a missing one): it is written again in the
// shortest form that still shows it, first with fewer decimals, then in
// exponent form with as many significant digits as the column holds.

#include <cstdint>
#include <string>

// The number in Text (blanks around it ignored; "." or "," as the decimal
// point, an exponent allowed) written in at most Width characters; empty
// when Text is no number or even its one-digit exponent form is wider.
std::string ShortestNumberText(const std::string& Text, int Width);

// A cell fitted to its column width for the fixed-width rows: cut or padded
// on the right. A number that is wider than its column is trimmed of blanks,
// then written shorter (ShortestNumberText); only when even that does not
// fit is it shown as "*", so that no digit is cut off.
std::string FitReportCell(const std::string& Cell, uint32_t Width, bool Number);

// Places a value into Line from column Pos; the value may reach column
// SlotEnd, and its characters other than blanks column LastFree (one blank
// before what already stands to its right). A value that does not fit is
// trimmed of its blanks; a number that still does not fit is written
// shorter (ShortestNumberText). Only what cannot be shortened fills the
// place with "*", so that the row never shows a number with digits cut off,
// overwritten by the next column or run into it.
void PlaceReportValue(const std::string& Value, std::string& Line, int Pos, int SlotEnd, int LastFree);
