#pragma once
// Date and time texts of reports, title blocks and the project table, each
// from the local clock and, for the tests, from given numbers.

#include <ctime>
#include <string>

// Year + "-" + month + "-" + day, month and day with two digits.
std::string IsoDateText(int Year, int Month, int Day);
std::string TodayIsoDateText();
// Date by the configured DateFormatCode: 1 DD.MM.YYYY, 2 MM/DD/YYYY,
// 3 YYYY-MM-DD, 4 DD/MM/YYYY, anything else YYYY/MM/DD. Day and month take
// two digits.
std::string FormatDateText(int Year, int Month, int Day);
// Today in the configured date order (FormatDateText).
std::string TodayDateText();
// Hour + ":" + minutes: the hour without a leading zero, the minutes with two
// digits ("9:05").
std::string TimeText(int Hour, int Minute);
std::string NowTimeText();
// Today's year, month and day.
void GetTodayYMD(int& Year, int& Month, int& Day);
// A file date as "yyyy/mm/dd" in local time, whatever date order is
// configured: the project table sorts by it as text.
std::string FileDateText(std::time_t FileTime);
