#pragma once
// The date and key services the expression functions use, in the form the
// engine needs them: dates are day numbers (0 = empty), display texts follow
// the national date format of the table library.

#include <string>

namespace exprdate
{

std::string ToDisplay(double day);        // DTOC
double FromDisplay(const std::string& s); // CTOD; 0 when invalid
std::string ToKey(double day);            // DTOS; 8 blanks when empty
double FromKey(const std::string& key);   // a stored D field; 8 blanks give 0
std::string DayNameOf(double day);        // CDOW
std::string MonthNameOf(double day);      // CMONTH
int DayOf(double day);                    // DAY; 0 for the empty date
int MonthOf(double day);                  // MONTH
int YearOf(double day);                   // YEAR
int DayOfWeek(double day);                // DOW, 1 = Sunday; 0 for the empty date
double Today();                           // DATE()
std::string SoundexOf(const std::string& s);

} // namespace exprdate
