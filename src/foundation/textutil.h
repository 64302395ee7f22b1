#pragma once
// Word wrap and the small string helpers every unit uses.
//
// Strings are bytes (Windows 1252 or DOS 437); "character" below means byte,
// positions are 1-based where a position is given or returned.

#include <string>
#include <string_view>
#include <vector>

// The command-line parameters of the running program, kept for
// HasCommandLineParam; the shell records them at start-up.
struct TTextutil {
    std::vector<std::string> CommandLineParams;
};

extern TTextutil textutil;

// Start-up state: no parameters recorded.
void ResetTextutil();
// Records argv[1..argc-1].
void SetCommandLineParams(int argc, const char* const* argv);

// Cuts S into pieces of at most Width characters into
// telmvar.WrappedTextLines[1..Count], preferring a cut just after the last
// Sep found before position Width. MaxLen is the longest piece (at least 1).
// The lines hold five pieces: a text that needs more keeps its whole rest in
// the fifth line, so that nothing is lost and nothing is written past them.
void WrapText(const std::string& S, char Sep, int Width, int& Count, int& MaxLen);

std::string UpperCaseText(const std::string& S); // ASCII letters only
std::string LowerCaseText(const std::string& S);

// S cut or padded with blanks on the right to exactly Width characters.
std::string FitLeft(const std::string& S, int Width);
// TrimBlanks(S) right-aligned in Width characters; a longer text keeps its
// first Width characters.
std::string FitRight(const std::string& S, int Width);
std::string LeftStr(const std::string& S, int N);
std::string RightStr(const std::string& S, int N);
void ReplaceChar(char Find, char Repl, std::string& S);
void RemoveBlanks(std::string& S);
std::string WithoutBlanks(const std::string& S);
// Leading and trailing blanks removed; tabs are kept.
std::string TrimBlanks(const std::string& S);
// A byte as the refusals name it: "0x1B".
std::string HexByte(unsigned char Byte);
// The text with every NUL byte written as HexByte(0), "0x00": a message
// shown or printed by its C string would end at the byte, without the rest
// of its line and its line end.
std::string NulBytesShown(std::string_view S);
// A file's text put into a cause (a table field, a field name): every byte
// below 0x20 and 0x7F written as HexByte, so that the cause stays one line
// whatever the file held ("500" LF "0000" printed the field on two lines).
// 0x14 and 0x15 stay: they are the DOS code page's pilcrow and section sign
// and are shown as such.
std::string ControlBytesShown(std::string_view S);
// S holds a CR or an LF: it cannot be one line of a file read line by line
// (the configuration and session files, a project file's names).
bool HoldsLineBreak(std::string_view S);
void TrimInPlace(std::string& S);
// 1-based position of the last occurrence of Sub in S, 0 if none.
int LastPos(const std::string& Sub, const std::string& S);
std::string PointToComma(const std::string& S);
std::string CommaToPoint(const std::string& S);
std::string CommaToPoint2(const std::string& S);
int CountChar(char C, const std::string& S);
// "J" (ja) and "Y" are yes; lower case is not.
bool IsYesChar(char C);
char YesNoChar(bool B);
// True when a command-line parameter equals S, ignoring ASCII case.
bool HasCommandLineParam(const std::string& S);
// Src written over Dest from position Pos when it fits entirely inside Dest;
// otherwise Dest is unchanged.
void OverwriteAt(const std::string& Src, std::string& Dest, int Pos);
// 1 gives "A", 2 "B" ...
char IndexToLetter(int N);
// Shorter than MaxLen: S. Otherwise, for MaxLen of 11 and more, the first and
// last MaxLen div 2 - 2 characters joined by "__"; else the first MaxLen.
std::string ShortenMiddle(const std::string& S, int MaxLen);
// At most N characters: S. Otherwise the first H characters, " ... " and the
// last H + 1, H = N div 2 - 3.
std::string AbbreviateMiddle(const std::string& S, int N);
