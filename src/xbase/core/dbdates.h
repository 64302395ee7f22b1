#pragma once
// Date texts and national settings of the table library.
//
// Three forms of a date meet here: the internal text in month-first order
// (MM/DD/YY or MM/DD/YYYY), the 8-character key YYYYMMDD stored in tables, and
// the display text laid out by the national date format code. Two-digit years
// are placed in a 100-year window that starts at `EpochYear`.

#include <cstdint>
#include <string>

struct TDbDates {
    uint8_t DbDateFormat = 0; // national layout code 0..8
    bool DateCentury = false; // display dates with four-digit years
    char DecimalChar = '.';
    char ThousandsChar = ',';
    uint16_t EpochYear = 1956; // first year of the two-digit-year window
    // The run-time short date format and separator that SetDateFormat keeps
    // in step with the layout code.
    std::string ShortDateFormat = "MM/dd/yy";
    char DateSeparator = '/';
};

extern TDbDates dbdates;
// Restores the start-up defaults; the window starts 70 years before today.
void ResetDbDates();

void InitNationalSettings();
uint8_t DefaultDateFormat();
// The layout code for a POSIX locale name such as "de_DE.UTF-8" or "fr_CA";
// the stand-in for the user's default language on this system.
uint8_t DateFormatOfLocaleName(const std::string& locale);
void SetDateFormat(uint8_t code);

uint16_t CenturyOf(const std::string& yy);
std::string CenturyText(const std::string& yy);
std::string ExpandYear(const std::string& y);
std::string EmptyDateText(uint8_t code);
void DateToDisplay(std::string& s);
void DateFromDisplay(std::string& s);
bool ValidDate(std::string& s);
bool IsLeapYear(int y);
int DayOfWeekNo(const std::string& s);
std::string DayName(const std::string& s);
std::string MonthName(const std::string& s);
int MonthOf(const std::string& s);
int DayOf(const std::string& s);
int YearOf(const std::string& s);
std::string DateToKey(const std::string& s);
std::string KeyToDate(const std::string& k);
int FloorMod(int a, int b);

void GetDate(uint16_t& year, uint16_t& month, uint16_t& day, uint16_t& dayOfWeek);

struct TUnpackedTime {
    uint16_t Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};
// t is the packed DOS date-time: date in the high word, time in the low word.
void UnpackFileTime(uint32_t t, TUnpackedTime& r);

uint32_t TickCount();
uint32_t TickSeconds();
