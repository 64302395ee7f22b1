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
//
// Fourteen characters do not tell every message apart: "Fatal  : power
// split without speed !" starts as "Fatal  : power = 0 !" does, "Fatal  :
// alpha wt !" as "Fatal  : alpha !", and the first of them would answer for
// all. So a line that equals the whole message (trailing blanks aside, as
// keys are stored with them) is taken before the first fourteen-character
// match; a message the stage writes again with its mesh's name in brackets
// after it ("... (S-Pi)") finds the record of the text without them. A help
// file without such whole keys is read as before.

#include <istream>
#include <string>
#include <string_view>
#include <vector>

// Characters of a message that select its help record.
inline constexpr size_t MessageKeyLength = 14;

// True when Line is the key line of Message by the fourteen-character rule.
bool MessageKeyMatches(std::string_view Line, std::string_view Message);

// The index of Message's key line among Lines by both rules above (a whole
// key first); Lines.size() when there is none.
std::size_t FindMessageKeyLine(const std::vector<std::string_view>& Lines, std::string_view Message);

// The lines of a help text without their line ends (CR LF or LF).
std::vector<std::string_view> HelpLines(std::string_view Text);

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
