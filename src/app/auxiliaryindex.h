#pragma once
// The index of the auxiliary images: PltDir + ProgramFileStem in lower case
// + ".dbh", one picture a line, CR LF:
//     "name","description"
// name is the picture file in PltDir without ".plt" (its first 8 characters
// are used), the description is typed with at most 50 characters. The format
// has no escape for a double quote inside a field.
//
// Changes are written to the scratch file PltDir + "$$$.dbh" in full and
// then renamed over the index, so a failure at any point leaves the old
// index as it was.

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

class TTextFile;

struct TDbhRecord {
    std::string Name;
    std::string Description;
};

// The largest number of pictures the list takes.
constexpr int MaxAuxiliaryImages = 130;

std::string DbhIndexFileName();
std::string DbhScratchFileName();

// One field of a record line from Pos on: an optional "," then the opening
// double quote, then every character up to the closing double quote or the
// end of the line. Another opening character shows "DBH file error" and the
// field is read on. A CR ends the field too; the line end is never part of a
// field.
void ReadDbhField(const std::string& Line, std::size_t& Pos, std::string& Text);
// One record from a line (without its line end).
TDbhRecord ParseDbhLine(const std::string& Line);
// The next record line of a stream; false at the end.
bool ReadDbhRecord(std::istream& In, TDbhRecord& Record);
// The record's line without its line end.
std::string DbhLine(const std::string& Name, const std::string& Description);
// Writes the record as one line; a double quote in the description is
// written as "'" (it would end the field when read).
bool WriteDbhRecord(TTextFile& File, const std::string& Name, const std::string& Description);

// A description as it can be stored: every double quote becomes "'";
// Changed tells whether one did.
std::string StorableDescription(const std::string& Description, bool& Changed);
// A picture name that stays in the picture directory: no path separator, no
// "..", no double quote, not empty.
bool IsSafePictureName(const std::string& Name);

// Up to MaxAuxiliaryImages records of the index; false when it cannot be read.
bool ReadDbhIndex(std::vector<TDbhRecord>& Records);

// The index rewritten through the scratch file: the line at 1-based Line
// left out (Delete), replaced (Replace) or with a new line before it
// (Insert; Line 0 or beyond the last appends). Every other line is copied as it
// stands. False (message shown, Aborted set, index unchanged) on failure.
enum class TDbhChange { Delete, Replace, Insert };
bool RewriteDbhIndex(TDbhChange Change, int Line, const std::string& NewLine);
// The record added at the end of the index through the scratch file (the
// index is made when missing).
bool AppendDbhRecord(const std::string& Name, const std::string& Description);
