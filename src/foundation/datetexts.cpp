#include "foundation/datetexts.h"

#include <cstdio>

#include "foundation/programsettings.h"

namespace
{

std::tm LocalTime(std::time_t t)
{
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

std::tm LocalNow()
{
    return LocalTime(std::time(nullptr));
}

std::string TwoDigits(int n)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

} // namespace

std::string FormatDateText(int Year, int Month, int Day)
{
    const std::string y = std::to_string(Year);
    const std::string m = TwoDigits(Month);
    const std::string d = TwoDigits(Day);
    switch (wtelmvar.DateFormatCode) {
    case 1:
        return d + "." + m + "." + y;
    case 2:
        return m + "/" + d + "/" + y;
    case 3:
        return y + "-" + m + "-" + d;
    case 4:
        return d + "/" + m + "/" + y;
    default:
        return y + "/" + m + "/" + d;
    }
}

std::string IsoDateText(int Year, int Month, int Day)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d-%02d-%02d", Year, Month, Day);
    return buf;
}

std::string TodayIsoDateText()
{
    int y = 0, m = 0, d = 0;
    GetTodayYMD(y, m, d);
    return IsoDateText(y, m, d);
}

std::string TodayDateText()
{
    int y = 0, m = 0, d = 0;
    GetTodayYMD(y, m, d);
    return FormatDateText(y, m, d);
}

std::string TimeText(int Hour, int Minute)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%02d", Hour, Minute);
    return buf;
}

std::string NowTimeText()
{
    const std::tm now = LocalNow();
    return TimeText(now.tm_hour, now.tm_min);
}

void GetTodayYMD(int& Year, int& Month, int& Day)
{
    const std::tm now = LocalNow();
    Year = now.tm_year + 1900;
    Month = now.tm_mon + 1;
    Day = now.tm_mday;
}

std::string FileDateText(std::time_t FileTime)
{
    const std::tm t = LocalTime(FileTime);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    return buf;
}
