#pragma once
// Radial and axial factors X and Y of groove ball bearings from the factor
// tables (".hdf" text files in the table directory), by the relative axial
// load Fa/C0 and the bearing's radial clearance.
//
// Table layout: header lines whose first character is at most "0" (blank,
// "-", "*", "0" ...), one title line that ends the header, then rows of seven
// lines each in ascending Fa/C0: a label line, Fa/C0, e, X1, Y1 (for
// Fa/Fr <= e), X2, Y2 (for Fa/Fr > e).

#include "foundation/types.h"

#include <string>

// File names of the tables by XYTableChoice 2..5 (normal, C3, C4, user);
// empty for any other choice.
std::string XYFactorTableName(int XYTableChoice);

// X and Y of one load case from the table FileName. C0 = 0 or Fr = Fa = 0
// report a fatal message and leave X and Y unchanged; a missing, empty or
// broken table reports it, sets Aborted and leaves them unchanged too. The
// whole table is read before any value is used: a label line that is a
// number, a number line that is not a number or lies outside its range
// (X 0 .. 1; Y, e and Fa/C0 0 .. 10), Fa/C0 not rising, e falling or Y2
// rising from one row to the next, or a row cut short refuse the table with
// "factor table file <name> line <n>: <reason> !" (a flipped byte, a dropped
// line or noise would otherwise change X and Y without a word).
void LookupXYFactors(const std::string& FileName, Extended& X, Extended& Y, Extended Fr, Extended Fa,
                     Extended C0);

// Where X and Y of groove ball bearing n come from, asked after a catalogue
// pick: the list "radial and axial factor" of the five sources (entered, the
// normal, C3 and C4 clearance tables, the user's table), preset on the
// bearing's XYTableChoice. The choice is kept in XYTableChoice; "entered"
// then asks X and Y (AskXYFactors), a table looks them up for Fr, Fa and the
// bearing's C0. Cancel sets Aborted and changes nothing: the source stays
// and so do X and Y.
void SelectXYFactorTable(int n, Extended Fr, Extended Fa);

// X and then Y of bearing n typed by hand, each between 0 and 100; Cancel
// sets Aborted and keeps the value asked and every one after it.
void AskXYFactors(int n);
