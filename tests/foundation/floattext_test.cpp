#include "foundation/floattext.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{

TEST(FloatText, GeneralConversionHasFifteenSignificantDigits)
{
    const struct {
        Extended x;
        const char* text;
    } cases[] = {
        {0, "0"},
        {2, "2"},
        {-1.5L, "-1.5"},
        {1.00005L, "1.00005"},
        {0.1L, "0.1"},
        {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"},
        {123456789012345.0L, "123456789012345"},
        {0.00001L, "0.00001"},
        // exponent form for very large and very small values
        {1e15L, "1E15"},
        {1e20L, "1E20"},
        {-2.5e17L, "-2.5E17"},
        {1.5e-6L, "1.5E-6"},
        {1e3000L, "1E3000"},
        {1e30L, "1E30"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToGeneralText(c.x, '.'), c.text) << static_cast<double>(c.x);
}

TEST(FloatText, GeneralConversionUsesTheGivenSeparator)
{
    EXPECT_EQ(FloatToGeneralText(-1.5L, ','), "-1,5");
    EXPECT_EQ(FloatToGeneralText(1.5e-6L, ','), "1,5E-6");
}

TEST(FloatText, FixedConversion)
{
    const struct {
        Extended x;
        int precision, decimals;
        const char* text;
    } cases[] = {
        {1.5L, 5, 2, "1.50"},
        {3.14159L, 4, 3, "3.142"},
        {-3.14159L, 4, 3, "-3.142"},
        {0.0123L, 4, 4, "0.0123"},
        {2000, 4, 0, "2000"},
        {0.75L, 1, 0, "1"},
        // no "-0.00" for a value that rounds to zero
        {-0.001L, 3, 2, "0.00"},
        {-0.0L, 3, 2, "0.00"},
        // more integer digits than the precision: exponent form
        {12345, 3, 0, "1.23E4"},
        {-123456, 4, 1, "-1.235E5"},
        {1e25L, 6, 2, "1E25"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToFixedText(c.x, c.precision, c.decimals, '.'), c.text)
            << static_cast<double>(c.x) << " precision " << c.precision << " decimals " << c.decimals;
    EXPECT_EQ(FloatToFixedText(-2.25L, 4, 2, ','), "-2,25");
}

TEST(FloatText, NonFiniteValuesGiveAWordNotGarbage)
{
    EXPECT_EQ(FloatToGeneralText(std::numeric_limits<Extended>::infinity(), '.'), "INF");
    EXPECT_EQ(FloatToFixedText(-std::numeric_limits<Extended>::infinity(), 5, 2, '.'), "-INF");
    EXPECT_EQ(FloatToFixedText(std::numeric_limits<Extended>::quiet_NaN(), 5, 2, '.'), "NAN");
}

} // namespace
