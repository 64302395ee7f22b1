#pragma once
// Numbered help texts and the hints made from them.
//
// A help file is plain DOS text with CR LF line ends. An entry starts with a
// header line whose first four characters are its number (a multiple of 5),
// optionally followed by ":" and the name of an HP-GL picture; the line after
// the header is the entry's first text line, further lines follow up to five.
// A header number that is not a multiple of 5 (N + 1 .. N + 4) is a
// sub-entry: the line after it is text line k + 1 of entry N. Entries below
// 4000 come from the family-wide "telmora.hlp", the others from the
// program's own file (ProgramFileStem in lower case + ".hlp"); both lie in
// PltDir. Every look-up reads its file from the top in a stream of its own,
// so help can be shown while the shared text file is open.

#include "foundation/types.h"

#include <cstdint>
#include <iosfwd>
#include <string>

// The help file that holds entry N.
std::string HelpFileName(uint16_t N);
void HelpFileName(uint16_t N, std::string& Name);

// The number of a header candidate: the integer value of its first four
// characters, -1 when they are not a number; the picture is the rest of the
// line after the first ":" (blanks around it dropped), "NULL" without ":".
void ParseHelpHeader(const std::string& Line, int32_t& Number, std::string& Picture);

struct THelpEntry {
    bool Found = false;
    // The entry ended at the next entry's header (not after five lines or
    // at the end of the file): its hint carries the number at help level 2.
    bool EndedAtHeader = false;
    TArray<std::string, 1, 5> Lines;
    std::string Picture;
};

// Searches entry N in an open help file, from where the stream stands.
THelpEntry FindHelpEntry(std::istream& File, uint16_t N);
// Entry N from its help file. A missing file or entry gives its message as
// line 1 ("File <name> not found !", "help text No <N>: No help available.")
// with Found false; a missing entry has the picture "null", a missing file
// none. Aborted is cleared.
THelpEntry ReadHelpEntry(uint16_t N);

// The text of entry N (0: HelpNumber) in a message box (modes 0 and 1) and
// its picture in the graphics window (modes 0 and 2); mode 2 of an entry
// found without a picture shows the text and keeps the window's drawing. Other
// modes show nothing. Spare is passed through by the callers and not used.
void ShowHelpText(uint16_t N, int Spare, int Mode);

// The hint of entry N (0: HelpNumber): its lines joined with single blanks
// in the display code page; at HelpLevel 2 or more an entry that ended at
// the next header gets " (N)" after its fifth line.
void ReadHelpHint(uint16_t N, std::string& Text);
void GetHelpHint(uint16_t N, std::string& Text);
std::string GetHelpHint(uint16_t N);
// The hint as ReadHelpHint gives it, from an entry already read.
std::string HelpHintOf(const THelpEntry& Entry, uint16_t N);

void SetHelpNumber(uint16_t N);
