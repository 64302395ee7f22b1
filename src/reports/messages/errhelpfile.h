#pragma once
// The message help file (".err"): the origin and remedy of every message a
// calculation can collect.
//
// The file is plain text in the DOS code page, one text line per line, no
// header, a sequence of three-line records: the message (key), what causes
// it (origin) and what the user can do (remedy). Lookup reads from the top
// and takes every line as a key candidate; the first line whose first 14
// characters equal the first 14 characters of the message is the key line.
// Messages carry numbers after their fixed text ("Warning: SF<1 (SF-1.2)"),
// so only the fixed start is compared: the prefix "Warning: " and the five
// characters after it. The comparison is exact; shorter texts are compared
// whole. Lines end with CR LF; LF alone is read as well.

#include <istream>
#include <string>
#include <string_view>

// Characters of a message that select its help record.
inline constexpr size_t MessageKeyLength = 14;

// True when Line is the key line of Message by the rule above.
bool MessageKeyMatches(std::string_view Line, std::string_view Message);

struct TMessageHelp {
    bool Found = false;
    std::string Origin; // the line after the key line (empty at end of file)
    std::string Remedy; // the second line after it
};

// Reads one line without its line end (CR LF or LF). False at end of input.
bool ReadHelpLine(std::istream& In, std::string& Line);

// Looks the message up in the help text read from In.
TMessageHelp FindMessageHelp(std::istream& In, const std::string& Message);

// Looks the message up in a whole help text held in memory (several
// lookups, one read of the file).
TMessageHelp FindMessageHelp(std::string_view Text, const std::string& Message);
