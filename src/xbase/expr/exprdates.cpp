// The expression functions' dates, built on the library's date texts and day
// numbers: a date value is a day number, converted to the display text where
// a name, a day or a month is wanted.

#include "xbase/expr/exprdates.h"

#include "xbase/core/dbdates.h"
#include "xbase/core/dbkeys.h"

#include <cstddef>

namespace exprdate
{

namespace
{

// A day number inside the calendar; everything else is the empty date.
bool IsDate(double day)
{
    return !JulianToKey(day).starts_with(' ');
}

// A number from the YYYYMMDD key of a date; 0 for the empty date.
int KeyPiece(double day, std::size_t at, std::size_t count)
{
    const std::string key = JulianToKey(day);
    if (key.starts_with(' ')) return 0;
    int value = 0;
    for (std::size_t i = at; i < at + count && i < key.size(); ++i)
        value = value * 10 + (key[i] - '0');
    return value;
}

} // namespace

std::string ToDisplay(double day)
{
    return JulianToDisplay(day);
}

double FromDisplay(const std::string& s)
{
    return DisplayToJulian(s);
}

std::string ToKey(double day)
{
    return JulianToKey(day);
}

double FromKey(const std::string& key)
{
    return KeyToJulian(key);
}

std::string DayNameOf(double day)
{
    return DayName(JulianToDisplay(day));
}

std::string MonthNameOf(double day)
{
    return MonthName(JulianToDisplay(day));
}

// Day, month and year come from the key text, so that YEAR() gives the
// whole year (1998, not 98) whatever the display format shows.
int DayOf(double day)
{
    return KeyPiece(day, 6, 2);
}

int MonthOf(double day)
{
    return KeyPiece(day, 4, 2);
}

int YearOf(double day)
{
    return KeyPiece(day, 0, 4);
}

// The empty date has no day of the week; 0 tells it apart from Sunday.
int DayOfWeek(double day)
{
    return IsDate(day) ? DayOfWeekNo(JulianToDisplay(day)) : 0;
}

double Today()
{
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfMonth = 0;
    uint16_t dayOfWeek = 0;
    GetDate(year, month, dayOfMonth, dayOfWeek);
    return JulianOf(year, month, dayOfMonth);
}

std::string SoundexOf(const std::string& s)
{
    return Soundex(s);
}

} // namespace exprdate
