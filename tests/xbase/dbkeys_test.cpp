#include "xbase/core/dbkeys.h"

#include "xbase/core/dbdates.h"
#include "xbase_fixture.h"

#include <cstring>

namespace
{

class DbKeysTest : public XbaseTest
{
};

TEST_F(DbKeysTest, JulianDayNumbersAreAstronomical)
{
    struct {
        int y, m, d;
        double jd;
    } cases[] = {
        {2000, 1, 1, 2451545.0},   // the J2000 epoch day
        {1858, 11, 17, 2400001.0}, // modified Julian day 0 is 2400000.5
        {1970, 1, 1, 2440588.0},   // the Unix epoch
        {1, 1, 1, 1721426.0},
        {9999, 12, 31, 5373484.0},
        {1999, 2, 29, 0.0},
        {2000, 2, 30, 0.0},
        {0, 1, 1, 0.0},
        {10000, 1, 1, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JulianOf(c.y, c.m, c.d), c.jd) << c.y << "-" << c.m << "-" << c.d;
        if (c.jd != 0.0) {
            int y, m, d;
            ASSERT_TRUE(JulianToDate(c.jd, y, m, d));
            EXPECT_EQ(y, c.y);
            EXPECT_EQ(m, c.m);
            EXPECT_EQ(d, c.d);
        }
    }
}

TEST_F(DbKeysTest, KeysOfDayNumbers)
{
    EXPECT_EQ(JulianToKey(2451545.0), "20000101");
    EXPECT_EQ(JulianToKey(2451545.7), "20000101");
    EXPECT_EQ(JulianToKey(5373484.0 + 1), "        ");
    EXPECT_EQ(JulianToKey(1721426.0), "00010101");
    EXPECT_EQ(JulianToKey(1721425.0), "        ");
    EXPECT_EQ(JulianToKey(0.0), "        ");
    EXPECT_EQ(KeyToJulian("        "), 0.0);
    EXPECT_EQ(KeyToJulian("20000230"), 0.0);
    EXPECT_EQ(KeyToJulian("20000101"), 2451545.0);
    EXPECT_EQ(KeyToJulian("2000AB01"), 0.0);
}

TEST_F(DbKeysTest, DisplayTextsOfDayNumbers)
{
    dbdates.EpochYear = 1956;
    struct {
        uint8_t code;
        bool century;
        double jd;
        const char* text;
    } cases[] = {
        {0, false, 2451545.0, "01/01/00"},  {1, true, 2451545.0, "2000.01.01"},
        {2, false, 2451545.0, "01/01/00"},  {3, false, 2451545.0, "01-01-00"},
        {5, true, 2451545.0, "01.01.2000"}, {8, false, 2451545.0, "01/01/00"},
        {7, false, 2451545.0, "01.01.00"},  {0, false, 0.0, "  /  /  "},
        {1, true, 0.0, "    .  .  "},       {3, false, 0.0, "  -  -  "},
        {5, false, 1721425.0, "  .  .  "},  {0, true, 1721426.0, "01/01/0001"},
    };
    for (const auto& c : cases) {
        dbdates.DbDateFormat = c.code;
        dbdates.DateCentury = c.century;
        EXPECT_EQ(JulianToDisplay(c.jd), c.text) << int(c.code) << " " << c.jd;
    }
    dbdates.DbDateFormat = 0;
    dbdates.DateCentury = false;
    EXPECT_EQ(DisplayToJulian("01/01/00"), 2451545.0);
    EXPECT_EQ(DisplayToKey("12/24/98"), "19981224");
    EXPECT_EQ(DisplayToKey("  /  /  "), "        ");
}

TEST_F(DbKeysTest, CompareDoubles)
{
    EXPECT_EQ(CompareDoubles(2451545.0, 2451546.0), -1);
    EXPECT_EQ(CompareDoubles(2.0, 2.0), 0);
    EXPECT_EQ(CompareDoubles(3.0, -3.0), 1);
}

TEST_F(DbKeysTest, SoundexCodes)
{
    struct {
        const char* name;
        const char* code;
    } cases[] = {
        {"Robert", "R163"},  {"Rupert", "R163"}, {"Rubin", "R150"},      {"Tymczak", "T522"},
        {"Pfister", "P236"}, {"Lee", "L000"},    {"Washington", "W252"}, {"jackson", "J250"},
        {"", "0000"},        {"O'Hara", "O600"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Soundex(c.name), c.code) << c.name;
}

TEST_F(DbKeysTest, BufferHelpers)
{
    EXPECT_EQ(ZeroPad(7, 3), "007");
    EXPECT_EQ(ZeroPad(1234, 2), "1234");
    EXPECT_EQ(UpcaseAscii("ab\xE4z"), "AB\xE4Z");
    EXPECT_TRUE(IsUpperAscii('Q'));
    EXPECT_FALSE(IsUpperAscii('q'));
    EXPECT_EQ(MemCompare("abc", "abd", 3), 'c' - 'd');
    EXPECT_EQ(MemCompare("abc", "abd", 2), 0);
    char buf[] = "abcdefg";
    SwapBlocks(buf, 3, 4);
    EXPECT_STREQ(buf, "defgabc");
    SwapBlocks(buf, 0, 4);
    EXPECT_STREQ(buf, "defgabc");
    char b2[16];
    StrToBuf(b2, "key");
    EXPECT_EQ(BufLen(b2), 3u);
    EXPECT_EQ(BufToStr(b2, 2), "ke");
    EXPECT_EQ(BufAt(b2, 1)[0], 'e');
}

TEST_F(DbKeysTest, RingKeepsNewestAtTheHead)
{
    TRingBlock* head = nullptr;
    void* a = RingAlloc(head, 8);
    void* b = RingAlloc(head, 16);
    void* c = RingAlloc(head, 4);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(RingData(head), c);
    // From none, the walk starts at the oldest and ends after the head.
    TRingBlock* p = RingNext(head, nullptr);
    EXPECT_EQ(RingData(p), a);
    p = RingNext(head, p);
    EXPECT_EQ(RingData(p), b);
    p = RingNext(head, p);
    EXPECT_EQ(RingData(p), c);
    EXPECT_EQ(RingNext(head, p), nullptr);
    EXPECT_EQ(static_cast<unsigned char*>(b)[15], 0);
    TRingBlock* taken = RingTakeHead(head);
    EXPECT_EQ(RingData(taken), c);
    EXPECT_EQ(RingData(head), b);
    std::free(taken);
    RingFreeAll(head);
    EXPECT_EQ(head, nullptr);
}

} // namespace
