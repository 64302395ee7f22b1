#pragma once
// Day numbers and key helpers shared by the expression engine and the index
// engine: dates as Julian day numbers (a double, 0 = empty date) and as
// YYYYMMDD keys, the comparison of 8-byte numeric keys, Soundex, buffer
// helpers and the ring of memory blocks that the parser and the index free
// together.

#include <cstddef>
#include <cstdint>
#include <string>

// Day number of 31 December 9999, the last supported day; the day before
// 1 January of year 1 is 1721425.
inline constexpr double LastJulianDay = 5373484.0;
inline constexpr double JulianDayZero = 1721425.0;

bool IsLeapYearNo(int y);
int DayOfYear(int y, int m, int d);
int DaysBeforeYear(int y);
void MonthDayOf(int doy, bool leap, int& month, int& day);
double JulianOf(int y, int m, int d);
// Calendar date of a day number in the supported range; false outside it.
bool JulianToDate(double jd, int& y, int& m, int& d);
double KeyToJulian(const std::string& k);
double DisplayToJulian(const std::string& s);
std::string DisplayToKey(const std::string& s);
std::string JulianToKey(double jd);
std::string JulianToDisplay(double jd);

int CompareDoubles(double a, double b);
std::string Soundex(const std::string& s);
std::string ZeroPad(long long n, int width);
std::string UpcaseAscii(const std::string& s);
bool IsUpperAscii(char c);
int MemCompare(const void* a, const void* b, std::size_t n);
void ReverseBytes(void* buf, std::size_t n);
void SwapBlocks(void* buffer, std::size_t firstLength, std::size_t secondLength);

std::size_t BufLen(const char* buf);
void BufCopy(char* dest, const char* src);
std::string BufToStr(const char* buf, std::size_t max);
void StrToBuf(char* buf, const std::string& s);
char* BufAt(char* buf, std::size_t offset);

// A ring block: header followed by its data. The head is the newest block;
// its Next is the oldest.
struct TRingBlock {
    TRingBlock* Next = nullptr;
    TRingBlock* Prev = nullptr;
    uint16_t Size = 0; // total size including the header
};
inline constexpr std::size_t RingHeaderSize = 10;

void RingAdd(TRingBlock*& head, TRingBlock* block);
TRingBlock* RingNext(TRingBlock* head, TRingBlock* block);
TRingBlock* RingTakeHead(TRingBlock*& head);
void* RingAlloc(TRingBlock*& head, uint16_t size);
// Data address of a block and the block of a data address.
void* RingData(TRingBlock* block);
// Frees every block of the ring; head becomes empty.
void RingFreeAll(TRingBlock*& head);
