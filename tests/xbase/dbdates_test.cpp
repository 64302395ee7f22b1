#include "desktop.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dbstrings.h"

#include "xbase_fixture.h"

namespace
{

class DbDatesTest : public XbaseTest
{
  protected:
    void SetUp() override
    {
        XbaseTest::SetUp();
        dbdates.EpochYear = 1956;
    }
};

TEST_F(DbDatesTest, CenturyWindow)
{
    struct {
        const char* yy;
        uint16_t century;
        const char* text;
    } cases[] = {
        {"30", 2000, "20"}, {"56", 1900, "19"}, {"99", 1900, "19"}, {"00", 2000, "20"}, {"55", 2000, "20"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CenturyOf(c.yy), c.century) << c.yy;
        EXPECT_EQ(CenturyText(c.yy), c.text) << c.yy;
    }
}

TEST_F(DbDatesTest, ValidDateWithCodeZero)
{
    struct {
        const char* in;
        bool valid;
        const char* out;
    } cases[] = {
        {"2/29/00", true, "02/29/00"},  {"02/29/01", false, ""}, {"04/31/98", false, ""},
        {"  /  /  ", true, "  /  /  "}, {"13/01/98", false, ""}, {"12/24/1998", true, "12/24/98"},
        {"24121998", false, ""},        {"ab/cd/ef", false, ""},
    };
    for (const auto& c : cases) {
        std::string s = c.in;
        EXPECT_EQ(ValidDate(s), c.valid) << c.in;
        if (c.valid) {
            EXPECT_EQ(s, c.out) << c.in;
        }
    }
}

TEST_F(DbDatesTest, DisplayConversionsByFormatCode)
{
    struct {
        uint8_t code;
        bool century;
        const char* display;
        const char* internal;
        const char* back;
    } cases[] = {
        {5, false, "24.12.98", "12/24/98", "24.12.98"}, {5, true, "24.12.98", "12/24/1998", "24.12.1998"},
        {1, false, "98.12.24", "12/24/98", "98.12.24"}, {0, false, "12/24/98", "12/24/98", "12/24/98"},
        {2, false, "24/12/98", "12/24/98", "24/12/98"}, {3, false, "24-12-98", "12/24/98", "24-12-98"},
    };
    for (const auto& c : cases) {
        dbdates.DateCentury = c.century;
        SetDateFormat(c.code);
        std::string s = c.display;
        DateFromDisplay(s);
        EXPECT_EQ(s, c.internal) << "code " << int(c.code);
        DateToDisplay(s);
        EXPECT_EQ(s, c.back) << "code " << int(c.code);
    }
}

TEST_F(DbDatesTest, TextWithoutSeparatorStaysAsItIs)
{
    SetDateFormat(5);
    std::string s = "24121998";
    DateFromDisplay(s);
    EXPECT_EQ(s, "24121998");
    EXPECT_FALSE(ValidDate(s));
}

TEST_F(DbDatesTest, SetDateFormatOutOfRangeCountsAsZero)
{
    SetDateFormat(12);
    EXPECT_EQ(dbdates.DbDateFormat, 0);
    EXPECT_EQ(dbdates.ShortDateFormat, "MM/dd/yy");
    EXPECT_EQ(dbdates.DateSeparator, '/');
    dbdates.DateCentury = true;
    SetDateFormat(4);
    EXPECT_EQ(dbdates.ShortDateFormat, "dd.MM.yyyy");
}

TEST_F(DbDatesTest, DayOfWeekAndNames)
{
    SetDateFormat(0);
    EXPECT_EQ(DayOfWeekNo("01/01/2024"), 2);
    EXPECT_EQ(DayOfWeekNo("12/24/98"), 5);   // Thursday
    EXPECT_EQ(DayOfWeekNo("03/02/2024"), 7); // Saturday
    EXPECT_EQ(DayName("01/01/2024"), "Monday   ");
    EXPECT_EQ(MonthName("03/02/2024"), "March    ");
    SetDateFormat(5);
    EXPECT_EQ(DayName("01.01.2024"), "Montag    ");
    EXPECT_EQ(MonthName("01.03.2024"), "M\x84rz     ");
    EXPECT_EQ(DayName("  .  .  "), std::string(10, ' '));
    EXPECT_EQ(MonthName("  .  .  "), std::string(9, ' '));
    SetDateFormat(8);
    EXPECT_EQ(DayName("01.01.2024").size(), 11u);
    EXPECT_EQ(static_cast<unsigned char>(DayName("01.01.2024")[0]), 0x8F); // П in code page 866
}

TEST_F(DbDatesTest, KeysAndDateParts)
{
    SetDateFormat(0);
    EXPECT_EQ(DateToKey("12/24/98"), "19981224");
    EXPECT_EQ(DateToKey("01/02/30"), "20300102");
    EXPECT_EQ(KeyToDate("19981224"), "12/24/98");
    EXPECT_EQ(KeyToDate("        "), "  /  /  ");
    EXPECT_EQ(MonthOf("12/24/98"), 12);
    EXPECT_EQ(DayOf("12/24/98"), 24);
    EXPECT_EQ(YearOf("12/24/98"), 98);
    dbdates.DateCentury = true;
    EXPECT_EQ(KeyToDate("19981224"), "12/24/1998");
}

TEST_F(DbDatesTest, ExpandYearAndEmptyTexts)
{
    EXPECT_EQ(ExpandYear("98"), "98");
    dbdates.DateCentury = true;
    EXPECT_EQ(ExpandYear("98"), "1998");
    EXPECT_EQ(ExpandYear("5"), "0005");
    EXPECT_EQ(EmptyDateText(1), "    .  .  ");
    EXPECT_EQ(EmptyDateText(3), "  -  -    ");
    EXPECT_EQ(EmptyDateText(6), "  .  .    ");
    EXPECT_EQ(EmptyDateText(0), "  /  /    ");
}

TEST_F(DbDatesTest, NationalSettingsFollowTheLanguage)
{
    struct {
        const char* locale;
        uint8_t code;
    } cases[] = {{"de_DE.UTF-8", 5}, {"en_US", 0}, {"en_GB", 2}, {"es_ES", 6}, {"fr_CA", 7},
                 {"fr_FR", 4},       {"it_IT", 3}, {"ru_RU", 8}, {"C", 0},     {"POSIX", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(DateFormatOfLocaleName(c.locale), c.code) << c.locale;
}

// The language of the desktop lays out dates, never numbers: a number text
// the library hands out reads back the same on every desktop.
TEST_F(DbDatesTest, TheLanguageLeavesNumberTextsAsStored)
{
    for (const auto& desktop : Desktops) {
        ScopedDesktop d(desktop[0], desktop[1]);
        EXPECT_EQ(FloatToText(-2.5L, 6, 1), "  -2.5") << desktop[0] << "=" << desktop[1];
        EXPECT_EQ(NumTextToFloat("0,3"), 0.3) << desktop[0] << "=" << desktop[1];
        EXPECT_EQ(NumTextToFloat("0.3"), 0.3) << desktop[0] << "=" << desktop[1];
    }
}

TEST_F(DbDatesTest, FloorModAndPackedTime)
{
    EXPECT_EQ(FloorMod(-1, 7), 6);
    EXPECT_EQ(FloorMod(15, 7), 1);
    EXPECT_EQ(FloorMod(-14, 7), 0);
    // 24 December 1998, 13:45:30 packed the DOS way.
    uint32_t date = ((1998 - 1980) << 9) | (12 << 5) | 24;
    uint32_t time = (13 << 11) | (45 << 5) | 15;
    TUnpackedTime r;
    UnpackFileTime((date << 16) | time, r);
    EXPECT_EQ(r.Year, 1998);
    EXPECT_EQ(r.Month, 12);
    EXPECT_EQ(r.Day, 24);
    EXPECT_EQ(r.Hour, 13);
    EXPECT_EQ(r.Minute, 45);
    EXPECT_EQ(r.Second, 30);
}

} // namespace
