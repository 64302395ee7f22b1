#pragma once
// The record layer of the IGES files: every line of an IGES file is one
// record of exactly 80 characters (ended by CR LF), written by
// IgesWriteRecord. Parameter texts are cut into records by
// IgesCutParameters, directory entries laid out by IgesDirectoryRecords.
// The entity layer (igeswriter.h) is built on them.

#include "foundation/types.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Columns 1-72 hold the data left-aligned, then Right ends at column 72,
// column 73 the section letter and 74-80 the sequence number with leading
// zeros. A letter other than S, G, D, P, T writes nothing. Data that would
// reach into Right's columns is not cut (the callers keep it short).
void IgesWriteRecord(std::ostream& Out, std::string_view Data, std::string_view Right, char Letter,
                     int Sequence);
// The same record appended to a text (the P records kept until the end).
void IgesAppendRecord(std::string& Out, std::string_view Data, std::string_view Right, char Letter,
                      int Sequence);

// Pieces of at most 64 characters, one per P record. While more than 64
// characters remain, a piece ends after the last parameter delimiter "," in
// its first 63 characters, else it is the first 64. A comma inside a
// Hollerith string is text, not a delimiter: a string cut there would have
// the record's blank filling read into it, so a string is only ever
// continued across full records. There is no limit on the number of pieces.
std::vector<std::string> IgesCutParameters(std::string_view Text);

// Field values of the two D records of an entity, in order: fields 1-9 of
// record 1 and 11-19 of record 2 (field 10 and 20, the sequence numbers,
// come from IgesWriteRecord). Each is trimmed and right-aligned in 8
// columns; a longer value is cut to its first 8 characters.
struct TIgesDirectory {
    std::string Fields[18];
};
std::string IgesDirectoryData(const TIgesDirectory& D, int Record);

// Hollerith string: length, "H", the text ("FILE" gives "4HFILE").
std::string IgesHollerith(std::string_view S);
// Fixed point with Decimals decimals (clamped to 0..13), "." as decimal
// point, no padding, no exponent; magnitudes below 1e-8 and values that
// round to zero are written as an unsigned zero.
std::string IgesFixed(Extended X, int Decimals);
