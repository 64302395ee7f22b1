#include "foundation/floattext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

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

// The C library's printf is the reference for fixed texts; the direct
// conversion must give its very bytes. Faults caught: a halfway case rounded
// away from the even digit, a carry lost at 9.995 -> 10.00, a missing zero
// before the point or among the decimals, the sign of negative zero, and a
// wrong choice between the direct and the exact path near 2^50.
TEST(FloatText, DirectFixedDigitsAreThoseOfTheCLibrary)
{
    auto reference = [](Extended x, int decimals) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "%.*Lf", decimals, x);
        return std::string(buf);
    };
    auto direct = [](Extended x, int decimals) {
        char buf[64];
        const auto res = FixedToChars(buf, buf + sizeof buf, x, decimals);
        EXPECT_EQ(res.ec, std::errc{});
        return std::string(buf, res.ptr);
    };
    const struct {
        Extended x;
        int decimals;
        const char* text;
    } cases[] = {
        {0.125L, 2, "0.12"}, // exact halves go to the even digit
        {0.375L, 2, "0.38"},
        {2.5L, 0, "2"},
        {3.5L, 0, "4"},
        {0.5L, 0, "0"},
        {1.005L, 2, "1.00"},   // 1.005 is stored just below the half
        {9.995L, 2, "9.99"},   // and so is 9.995
        {9.9951L, 2, "10.00"}, // carry into a new digit
        {0.0123L, 4, "0.0123"},
        {0.00049L, 3, "0.000"},
        {-0.0004L, 3, "-0.000"},
        {-0.0L, 2, "-0.00"},
        {0, 0, "0"},
        {-17.25L, 1, "-17.2"},
        {123456789.987654321L, 6, "123456789.987654"},
        {1125899906842623.5L, 0, "1125899906842624"},  // just below 2^50, a half
        {1125899906842624.75L, 0, "1125899906842625"}, // beyond: exact path
        {1e17L, 1, "100000000000000000.0"},
        {1e-20L, 18, "0.000000000000000000"},
        {0.1L, 18, "0.100000000000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reference(c.x, c.decimals), c.text) << "reference for " << c.text;
        EXPECT_EQ(direct(c.x, c.decimals), c.text) << static_cast<double>(c.x) << " with " << c.decimals;
    }
    // A sweep over magnitudes, decimals and last bits, halves of every
    // decimal place among them, against the C library.
    uint64_t state = 0x9E3779B97F4A7C15ULL;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    int mismatches = 0;
    for (int k = 0; k < 200000 && mismatches < 10; ++k) {
        const int decimals = static_cast<int>(next() % 9);
        const int exponent = static_cast<int>(next() % 40) - 20;
        Extended x = static_cast<Extended>(next() >> 11) / 9007199254740992.0L * std::pow(10.0L, exponent);
        if (k % 4 == 1) // an exact or nearly exact half of the last decimal
            x = (std::floor(x * std::pow(10.0L, decimals)) + 0.5L) / std::pow(10.0L, decimals);
        if (k % 4 == 2) x = std::nextafter(x, k % 8 == 2 ? 0.0L : 1e30L);
        if (k % 2 == 1) x = -x;
        const std::string want = reference(x, decimals);
        if (direct(x, decimals) != want) {
            ++mismatches;
            ADD_FAILURE() << "x = " << want << " (" << decimals << " decimals) gives " << direct(x, decimals);
        }
    }
    // Values next to the halves of every decimal place.
    for (int decimals = 0; decimals <= 6; ++decimals)
        for (int n = 0; n < 2000; ++n) {
            const Extended x = (n + 0.5L) / std::pow(10.0L, decimals);
            EXPECT_EQ(direct(x, decimals), reference(x, decimals)) << n << " with " << decimals;
        }
}

TEST(FloatText, NonFiniteValuesGiveAWordNotGarbage)
{
    EXPECT_EQ(FloatToGeneralText(std::numeric_limits<Extended>::infinity(), '.'), "INF");
    EXPECT_EQ(FloatToFixedText(-std::numeric_limits<Extended>::infinity(), 5, 2, '.'), "-INF");
    EXPECT_EQ(FloatToFixedText(std::numeric_limits<Extended>::quiet_NaN(), 5, 2, '.'), "NAN");
}

} // namespace
