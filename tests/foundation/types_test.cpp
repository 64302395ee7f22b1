#include "foundation/types.h"

#include <gtest/gtest.h>

#include <limits>

TEST(TArray, KeepsItsOwnIndexBounds)
{
    TArray<int, 1, 2> z{};
    z[1] = 21;
    z[2] = -63;
    EXPECT_EQ(z.items[0], 21);
    EXPECT_EQ(z.items[1], -63);

    TArray<long double, 0, 128> spectrum{};
    spectrum[128] = 5.0L;
    EXPECT_EQ(spectrum.items.back(), 5.0L);
    EXPECT_EQ((TArray<int, 0, 128>::Count), 129u);
}

TEST(TArray, ExtendedIsEightyBit)
{
    // 64-bit mantissa: the involute inverse's 1e-15 tolerance needs it.
    EXPECT_EQ(std::numeric_limits<Extended>::digits, 64);
}
