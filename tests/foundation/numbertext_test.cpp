#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{

class UtilStr : public ::testing::Test
{
};

TEST_F(UtilStr, DigitsForSignificantLayouts)
{
    const struct {
        int sig;
        Extended x;
        int intDigits, decimals;
    } cases[] = {
        {3, 0, 0, 1}, // zero is laid out as 0.5
        {3, 1.5L, 1, 1},        {3, -1.5L, 1, 1},
        {3, 5, 1, 0},           {3, 123.456L, 3, 1}, // values from 1 on: one digit more
        {3, 150, 3, 0},         {3, 2000, 4, 0},     // more integer digits than significant ones
        {3, 1234, 4, 0},        {3, 99999, 5, 0},
        {3, 0.0123L, 0, 4}, // below 1: the digits after the leading zeros
        {3, 0.5L, 0, 1},        {3, 0.001L, 0, 3},
        {2, 0.0123L, 0, 3},     {6, 3.14159265L, 1, 6},
        {7, 3.14159265L, 1, 7},
    };
    for (const auto& c : cases) {
        int intDigits = -1;
        int decimals = -1;
        DigitsForSignificant(intDigits, decimals, c.sig, c.x);
        EXPECT_EQ(intDigits, c.intDigits) << "sig " << c.sig << " x " << static_cast<double>(c.x);
        EXPECT_EQ(decimals, c.decimals) << "sig " << c.sig << " x " << static_cast<double>(c.x);
    }
}

TEST_F(UtilStr, FloatToSignificantExamples)
{
    const struct {
        Extended x;
        const char* text;
    } cases[] = {
        {0.000009L, "0"},    {0, "0"},          {0.0123L, "0.0123"},   {1.5L, "1.5"}, {-1.5L, "-1.5"},
        {123.456L, "123.5"}, {2000, "2000"},    {1000, "1000"},        {100, "100"},  {5, "5"},
        {12.34L, "12.34"},   {0.001L, "0.001"}, {0.00001L, "0.00001"}, {0.5L, "0.5"}, {3.14159L, "3.142"},
        {99999, "99999"},    {-0.25L, "-0.25"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToSignificant(c.x), c.text) << static_cast<double>(c.x);
}

TEST_F(UtilStr, FloatToSignificantLessChangesTheDigitCount)
{
    EXPECT_EQ(FloatToSignificantLess(1, 0.0123456L), "0.012");
    EXPECT_EQ(FloatToSignificantLess(0, 0.0123456L), "0.0123");
    EXPECT_EQ(FloatToSignificantLess(-3, 0.0123456L), "0.0123456");
    EXPECT_EQ(FloatToSignificant6(3.14159265L), "3.141593");
    EXPECT_EQ(FloatToSignificant6(0.000009L), "0");
    std::string s;
    FloatToSignificant6(s, 2.5L);
    EXPECT_EQ(s, "2.5");
}

TEST_F(UtilStr, FormatFloatFixedIsRightAlignedInItsField)
{
    std::string s;
    FormatFloatFixed(3, 2, s, 1.5L);
    EXPECT_EQ(s, "  1.50");
    FormatFloatFixed(3, 0, s, 7);
    EXPECT_EQ(s, "  7");
    FormatFloatFixed(1, 2, s, -123.456L); // a longer text is not cut
    EXPECT_EQ(s, "-123.46");
    FormatFloatFixed(4, 3, s, 5e-9L); // snapped to zero
    EXPECT_EQ(s, "   0.000");
    FormatFloatFixed(2, 9, s, 5e-9L);
    EXPECT_EQ(s, " 0.000000000");
    FormatFloatFixedFile(2, 9, s, 5e-9L); // the file form keeps it
    EXPECT_EQ(s, " 0.000000005");
}

TEST_F(UtilStr, DecimalDigitsShiftsEveryFixedPointText)
{
    const struct {
        int decimalDigits;
        const char* fixedDecimals; // FloatToFixedDecimals(2, 3.14159)
        const char* formatFixed;   // FormatFloatFixed(3, 2, 1.5)
        const char* significant;   // FloatToSignificant(123.456)
    } cases[] = {
        {3, "3.14", "  1.50", "123.5"},
        {5, "3.1416", "  1.5000", "123.456"},
        {4, "3.142", "  1.500", "123.46"},
        {2, "3.1", "  1.5", "123"},
        {1, "3", "  2", "123"},
        {0, "3", "  2", "123"},
        {20, "3.1415900000", "  1.5000000000", "123.4560000000"},
    };
    for (const auto& c : cases) {
        telmvar.DecimalDigits = c.decimalDigits;
        EXPECT_EQ(FloatToFixedDecimals(2, 3.14159L), c.fixedDecimals) << "DecimalDigits " << c.decimalDigits;
        EXPECT_EQ(FormatFloatFixed(3, 2, 1.5L), c.formatFixed) << "DecimalDigits " << c.decimalDigits;
        EXPECT_EQ(FloatToSignificant(123.456L), c.significant) << "DecimalDigits " << c.decimalDigits;
        // The file form is never shifted.
        EXPECT_EQ(FormatFloatFixedFile(3, 2, 1.5L), "  1.50") << "DecimalDigits " << c.decimalDigits;
    }
}

TEST_F(UtilStr, RegionalSeparatorAndThePointForms)
{
    wtelmvar.RegionalDecimalSeparator = ',';
    EXPECT_EQ(FormatFloatFixed(3, 2, 1.5L), "  1,50");
    EXPECT_EQ(FloatToSignificant(-0.0123L), "-0,0123");
    EXPECT_EQ(FormatFloatFixedPoint(3, 2, 1.5L), "  1.50");
    EXPECT_EQ(FloatToSignificantPoint(1.5L), "1.5");
    EXPECT_EQ(FloatToFixedDecimalsPoint(2, 3.14159L), "3.14");
    EXPECT_EQ(FormatFloatFixedFile(3, 2, 1.5L), "  1.50");
    // Readers take either separator whatever the setting.
    EXPECT_EQ(TextToFloat("1,5"), 1.5L);
    EXPECT_EQ(TextToFloat("1.5"), 1.5L);
}

TEST_F(UtilStr, FloatToFieldAndSignedFixed)
{
    EXPECT_EQ(FloatToField(7, 12.5L), "   12.5");
    EXPECT_EQ(FloatToField(7, 20), "     20");
    EXPECT_EQ(FloatToField(7, 1e-7L), "      0");
    EXPECT_EQ(FloatToField(5, -1.25L), "-1.25");
    EXPECT_EQ(FloatToSignedFixed(2, 0), "");
    EXPECT_EQ(FloatToSignedFixed(2, 1.5L), "+1.50");
    EXPECT_EQ(FloatToSignedFixed(2, -1.5L), "-1.50");
}

TEST_F(UtilStr, ExponentForms)
{
    const struct {
        Extended x;
        const char* engineering;
        const char* scientific;
    } cases[] = {
        {12346, "12.35E3", "1.235E4"},
        {-12346, "-12.35E3", "-1.235E4"},
        {0.000123L, "0.123E-3", "1.23E-4"},
        {1234567, "1.235E6", "1.235E6"},
        {5, "5", "5"},
        {0.5L, "0.5", "5E-1"},
        {0.05L, "0.05", "5E-2"},
        {2.5e-6L, "2.5E-6", "2.5E-6"},
        {0, "0", "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FloatToEngineering(c.x), c.engineering) << static_cast<double>(c.x);
        EXPECT_EQ(FloatToScientific(c.x), c.scientific) << static_cast<double>(c.x);
    }
    EXPECT_EQ(FloatToScientificFixed(2, 12346), "1.23E4");
    EXPECT_EQ(FloatToScientificFixed(2, 5), "5");
}

TEST_F(UtilStr, AutomaticFormsChooseByMagnitude)
{
    const struct {
        Extended x;
        const char* autoText;
        const char* autoE;
    } cases[] = {
        {1e-13L, "0", "1E-13"},
        {1e-19L, "0", "0"},
        {0.5L, "0.5", "0.5"},
        {0.00005L, "0.05E-3", "0.00005"},
        {9999, "9999", "9999"},
        {12346, "12.35E3", "12346"},
        {1234567, "1.235E6", "1.235E6"},
        {2.5e-6L, "2.5E-6", "2.5E-6"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FloatToTextAuto(c.x), c.autoText) << static_cast<double>(c.x);
        EXPECT_EQ(FloatToTextAutoE(c.x), c.autoE) << static_cast<double>(c.x);
    }
}

TEST_F(UtilStr, AngleToTextInBothFormats)
{
    const std::string deg = "\xF8";
    const struct {
        int format;
        Extended x;
        std::string text;
    } cases[] = {
        {1, 20, "     20" + deg},
        {1, 15.1238L, "  15.12" + deg},
        {2, 15.1238L, "15" + deg + "7'26\""},
        {2, 20.5L, "   20" + deg + "30'"},
        {2, 20, "     20" + deg}, // whole degrees: the decimal form
        {2, 15.508333333L, "15" + deg + "30'30\""},
        {2, -20.5L, "  -20" + deg + "30'"},
        // Below one degree the sign still shows.
        {2, -0.5L, "   -0" + deg + "30'"},
        // A seconds carry that fills the minutes ends in whole degrees.
        {2, 15.99999L, "     16" + deg},
        {2, -15.99999L, "    -16" + deg},
    };
    for (const auto& c : cases) {
        wtelmvar.AngleFormat = static_cast<uint16_t>(c.format);
        EXPECT_EQ(AngleToText(c.x), c.text) << "format " << c.format << " x " << static_cast<double>(c.x);
    }
    wtelmvar.UnitCharMode = 1;
    wtelmvar.AngleFormat = 2;
    EXPECT_EQ(AngleToText(15.508333333L), "15deg30'30\"");
}

TEST_F(UtilStr, IntegerTexts)
{
    EXPECT_EQ(IntToText(-42), "-42");
    EXPECT_EQ(IntToTextZeroPad(7, 2), "07");
    EXPECT_EQ(IntToTextZeroPad(123, 2), "123");
    EXPECT_EQ(IntToTextZeroPad(-5, 3), "0-5");
    EXPECT_EQ(IntToTextBlankPad(20, 5), "   20");
    EXPECT_EQ(IntToTextBlankPad(123456, 5), "123456");
    EXPECT_EQ(PrefixPlus("1.5"), "+1.5");
    EXPECT_EQ(PrefixPlus("-1.5"), "-1.5");
    std::string s;
    IntToText(int64_t{7}, s);
    EXPECT_EQ(s, "7");
}

TEST_F(UtilStr, DegreeSignFollowsTheCharacterMode)
{
    EXPECT_EQ(DegreeSign(), "\xF8");
    wtelmvar.UnitCharMode = 1;
    EXPECT_EQ(DegreeSign(), "deg");
}

TEST_F(UtilStr, TextToFloatReadsOnlyWholeNumbers)
{
    const struct {
        const char* text;
        Extended value;
    } cases[] = {
        {"1,5", 1.5L},    {"1.5", 1.5L}, {"1,000,5", 0}, // only the first comma becomes a point
        {"1.5 ", 0},                                     // trailing blank
        {"   1.5", 1.5L}, {"", 0},       {"   ", 0},     {"abc", 0},  {"-2.5e3", -2500}, {"2.5E-3", 0.0025L},
        {"+.5", 0.5L},    {"5.", 5},     {"-", 0},       {".", 0},    {"e5", 0},         {"1e", 0},
        {"1e+", 0},       {"1.5.2", 0},  {"1,5e2", 150}, {"0x10", 0}, {"inf", 0},        {"nan", 0},
        {"\t1", 0},       {"1e5000", 0}, {"1e-5000", 0}, {"-0", 0},   {"0.1", 0.1L},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToFloat(c.text), c.value) << "\"" << c.text << "\"";
    EXPECT_EQ(TextToFloat2("1,5"), 1.5L);
}

TEST_F(UtilStr, TextToIntReadsOnlyWholeIntegers)
{
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"42", 42},
        {"  -7", -7},
        {"+7", 7},
        {"7 ", 0},
        {"1.0", 0},
        {"", 0},
        {"-", 0},
        {"2147483647", std::numeric_limits<int32_t>::max()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"2147483648", 0},
        {"99999999999999999999", 0},
        {"12a", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToInt(c.text), c.value) << "\"" << c.text << "\"";
    EXPECT_EQ(TextToInt2("12"), 12);
    EXPECT_EQ(TextToInt3("12"), 12);
}

TEST_F(UtilStr, FormattedNumbersReadBack)
{
    const Extended values[] = {0.0123L, 1.5L, -123.456L, 2000, 7, -0.5L, 12346, 0.000123L};
    for (Extended x : values) {
        const std::string text = FloatToSignificant6(x);
        EXPECT_NEAR(TextToFloat(text), x, std::fabs(x) * 1e-5L) << text;
    }
    wtelmvar.RegionalDecimalSeparator = ',';
    EXPECT_EQ(TextToFloat(FloatToSignificant(-1.5L)), -1.5L);
}

} // namespace
