#pragma once
// String, number-text and file helpers shared by the table library's
// commands, index and memo code, expression functions and field classes.
// Texts are Windows-1252 byte strings. File names may use "/" or "\" as the
// separator, and are found case-insensitively on this case-sensitive file
// system, so "PARTS.DBF" finds "parts.dbf".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TDbStrings {
    int32_t DosError = 0; // result of the last file search or file-date call
};

extern TDbStrings dbstrings;
void ResetDbStrings();

// String functions.
std::string UpperStr(const std::string& s);
bool IsAlphaStr(const std::string& s);
char CharUpper(char c);
char CharLower(char c);
int Occurs(const std::string& sub, const std::string& s);
int AtOccurrence(int n, const std::string& sub, const std::string& s);
std::string Replicate(char c, int n);
std::string RTrimStr(const std::string& s);
std::string LTrimStr(const std::string& s);
std::string PadRight(const std::string& s, int n);
std::string IIfStr(bool cond, const std::string& a, const std::string& b);
std::string IntToPadText(int32_t n, uint8_t width);
std::string FloatToText(long double x, uint8_t width, uint8_t decimals);
int PosNoCase(const char* a, int aLen, const char* b, int bLen);

// Number texts in the national style.
void NormalizeNumberText(std::string& s);
double NumTextToFloat(const std::string& s);
int32_t TextToInteger(const std::string& s);
int16_t TextToShortInt(const std::string& s);
// The number in a field's text, blanks and control characters around it
// ignored; 0 for anything that is not a finite number. Reads the bytes in
// place: this runs for every numeric field of every record read.
double NumberFieldValue(std::string_view t);
// A number as a text that NumTextToFloat reads back as the same number on
// every desktop: the shortest such text, with "." and without an exponent.
// A text longer than width keeps fewer decimals (rounded); one whose whole
// part does not fit is width asterisks. Not finite: width asterisks, at
// least one.
std::string PlainNumberText(double x, std::size_t width = 340);
bool RemoveKeyword(const std::string& word, std::string& s);

// File names.
// The position of the last directory separator of the engine's names, "/"
// or the stored paths' "\"; npos when there is none. A ":" belongs to the
// name on this system.
std::size_t LastSeparator(const std::string& path);
void FSplit(const std::string& path, std::string& dir, std::string& name, std::string& ext);
std::string FExpand(const std::string& path);
std::string StripExtension(const std::string& path);
std::string DefaultExtension(const std::string& path, const std::string& ext);
std::string ForceExtension(const std::string& path, const std::string& ext);
std::string ShortPath(const std::string& path);
bool FileExistsStr(const std::string& name);
// The existing file whose name matches path ignoring case, component by
// component; path itself (with "/" separators) when there is none.
std::string ResolveFileName(const std::string& path);

struct TSearchRec {
    std::string Name; // file name without directory
    int64_t Size = 0;
    uint32_t Time = 0; // packed date-time
    uint8_t Attr = 0;
    // The matches still to be delivered.
    std::vector<std::string> Pending;
    std::string Dir;
};
int32_t FindFirstFile(const std::string& mask, uint8_t attributes, TSearchRec& rec);
int32_t FindNextFile(TSearchRec& rec);
void FindCloseFile(TSearchRec& rec);
// Packed date-time (date in the high word) of the file open on descriptor fd.
void GetFileDate(int fd, uint32_t& t);
bool FileDatedToday(const std::string& name);
uint16_t EraseFile(const std::string& name);
void EraseFiles(const std::string& mask);
long double DiskFreeKB(const std::string& path);
long double DiskFreeKBOfDrive(uint8_t drive);
// The system's directory of temporary files (SystemTempDir).
std::string TempDirectory();
std::string UniqueFilename();
