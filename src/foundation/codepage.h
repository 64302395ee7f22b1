#pragma once
// Code-page conversion of stored texts.
//
// Labels, unit names and many stored texts are held in the DOS code page 437
// (0xF8 degree, 0xFD superscript two, 0xFC superscript three, 0xE6 micro,
// 0xF1 plus-minus, umlauts, box drawing), while dialogs and reports show the
// Windows code page 1252. The conversions here use our own tables, so the
// result never depends on the locale or the code pages of the machine. Only
// the Qt and terminal edge turns 1252 into UTF-8 (AnsiToUtf8) and back.

#include <string>

// --- the OEM/ANSI conversion of the platform, by our own tables -----------

// Every DOS 437 byte to its Windows 1252 byte; characters that 1252 lacks
// (box drawing, Greek, mathematical signs) get a plain look-alike. 0xFC, the
// superscript n of code page 437, is this program's superscript three; 0x14
// and 0x15, drawn as the pilcrow and the section sign, are those two.
std::string OemToAnsiText(const std::string& S);
// Every Windows 1252 byte to its DOS 437 byte; characters that 437 lacks get
// a look-alike (an accented capital its bare letter) or "?".
std::string AnsiToOemText(const std::string& S);

// The single-byte tables behind the two routines above.
unsigned char OemToAnsiChar(unsigned char C);
unsigned char AnsiToOemChar(unsigned char C);

// --- the routines of the stored texts -------------------------------------

// The form of a stored text for display: ConvertTextCodePage.
std::string DisplayText(const std::string& S);
// UnitCharMode 1 spells the special characters in ASCII first (DosToAscii,
// then DosToAnsiTable); otherwise the whole text goes through OemToAnsiText.
// Texts longer than the 254 bytes of a stored text are converted all the same:
// giving them back empty would lose the caller's text.
std::string ConvertTextCodePage(const std::string& S);
// ANSI to OEM for texts going into stored fields (see ConvertTextCodePage on
// the length).
std::string AnsiTextToOem(const std::string& S);
// The short substitution table of the report texts: umlauts and accented
// vowels, box-drawing bars and corners, and the unit signs. Byte 124 becomes
// 0xE3: in these stored texts it is never the ASCII bar.
std::string DosToAnsiTable(const std::string& S);
// The special characters spelled in plain ASCII ("ue", "deg", "+/-", "2").
std::string DosToAscii(const std::string& S);
// Texts of CAD output by CadTextMode: 2 the display form, 3 plain ASCII,
// anything else unchanged.
std::string ConvertTextForCad(const std::string& S);
// Box-drawing bars are drawn as they are: the text is copied unchanged.
std::string CopyBoxBarChar(const std::string& S);

// --- the Qt and terminal edge ---------------------------------------------

// Windows 1252 bytes to UTF-8. The five bytes 1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) become the C1 control characters of the same value,
// so that Utf8ToAnsi gives every byte back.
std::string AnsiToUtf8(const std::string& S);
// UTF-8 typed into the user interface back to Windows 1252: characters 1252
// lacks, and malformed sequences, become "?".
std::string Utf8ToAnsi(const std::string& S);
// A stored DOS text shown at the edge: OemToAnsiText, then AnsiToUtf8.
std::string OemToUtf8(const std::string& S);
// A text of the program (code page 437) on standard error, as a message box
// shows it: a NUL as 0x00, then DisplayText, then UTF-8.
std::string TerminalText(const std::string& S);

// --- file and directory names ---------------------------------------------

// A file or directory name is kept as the file system has it (UTF-8 bytes)
// from where it is chosen to where a file is opened. Put into a text of the
// program (a message, the message list, a report head), it becomes code page
// 437: every character that 437 holds and that shows again as itself on the
// way to the screen or a report (umlauts, sharp s, accented letters, the
// pilcrow and the section sign) becomes its byte; any other character, a
// control character but NUL (which the messages show as "0x00") and a byte
// that is no UTF-8 become "?". So the later
// 437 -> 1252 -> screen steps show the name right or with "?", never as the
// bytes of another encoding.
std::string FileNameToOem(const std::string& Name);

// --- causes the system gives ----------------------------------------------

// A cause the system gives in the user's language (strerror, the standard
// library's error codes) put into a text of the program. It comes in the
// character set of the user's LC_CTYPE (Latin-1 under de_DE.ISO-8859-1,
// UTF-8 under a UTF-8 locale): converted from that to UTF-8, then as a name
// is, code page 437 where it holds the character, "?" where not. The C
// locale's texts of batch runs are ASCII and stay as they are.
std::string SystemTextToOem(const std::string& Text);
// The system's text for an errno value, as SystemTextToOem makes it.
std::string ErrnoText(int Errno);
// Why a name the system refused (Error, an errno) cannot serve. A NUL in a
// name read from a file is named as such: the system's "Invalid argument"
// would not say what is wrong.
std::string NameRefusalCause(const std::string& Name, int Error);
