// Date and time texts: the fixed layouts reports and the project table rely
// on, whatever date order is configured.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "foundation/datetexts.h"

namespace
{

struct DateCase {
    const char* Name;
    int Y, M, D, H, Min;
    const char* Iso;
    const char* Time;
};

class DateTexts : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(DateTexts, FixedLayouts)
{
    const DateCase& c = GetParam();
    EXPECT_EQ(IsoDateText(c.Y, c.M, c.D), c.Iso);
    EXPECT_EQ(TimeText(c.H, c.Min), c.Time);
}

// Single-digit month, day and minute take a zero; the hour never does.
INSTANTIATE_TEST_SUITE_P(Cases, DateTexts,
                         ::testing::Values(DateCase{"SingleDigits", 2026, 1, 5, 9, 5, "2026-01-05", "9:05"},
                                           DateCase{"Midnight", 2000, 12, 31, 0, 0, "2000-12-31", "0:00"},
                                           DateCase{"Evening", 1999, 10, 10, 23, 59, "1999-10-10", "23:59"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(DateTextsToday, AgreeWithTheClock)
{
    int y = 0, m = 0, d = 0;
    GetTodayYMD(y, m, d);
    // Read the clock independently through strftime; retry once across midnight.
    char buf[32];
    const std::time_t now = std::time(nullptr);
    std::strftime(buf, sizeof buf, "%Y-%m-%d", std::localtime(&now));
    if (TodayIsoDateText() != buf) GetTodayYMD(y, m, d);
    EXPECT_EQ(TodayIsoDateText(), buf);
    EXPECT_EQ(std::atoi(buf), y);
    EXPECT_EQ(std::atoi(buf + 5), m);
    EXPECT_EQ(std::atoi(buf + 8), d);
}

TEST(FileDate, SlashesInYearMonthDayOrder)
{
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 1;
    t.tm_mday = 29;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    EXPECT_EQ(FileDateText(std::mktime(&t)), "2024/02/29");
}

} // namespace
