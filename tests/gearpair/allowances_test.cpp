#include "gearpair/allowances.h"

#include <gtest/gtest.h>

#include <string>

#include "common/testnames.h"
#include "foundation/programstate.h"

namespace
{

struct SizeCase {
    int field;
    Extended size;
    int expected;
};

class CentreDistanceAllowance : public ::testing::TestWithParam<SizeCase>
{
};

TEST_P(CentreDistanceAllowance, RowAndField)
{
    const auto& c = GetParam();
    EXPECT_EQ(GetCentreDistanceAllowance(c.field, c.size), c.expected)
        << "field " << c.field << " a " << static_cast<double>(c.size);
}

// Rows by centre distance; "js11" is field 8, "js 4" field 1.
INSTANTIATE_TEST_SUITE_P(
    Table, CentreDistanceAllowance,
    ::testing::Values(SizeCase{1, 2.5L, 3},                          // below 3
                      SizeCase{8, 3.0L, 60},                         // Trunc(2.99) = 2 still row 1
                      SizeCase{8, 3.02L, 75},                        // row 2
                      SizeCase{4, 100, 35},                          // 80-119
                      SizeCase{4, 250, 46},                          // exactly 250 falls in 180-249
                      SizeCase{4, 250.02L, 52},                      // 250-314
                      SizeCase{8, 250, 290}, SizeCase{5, 1000, 140}, // Trunc(999.99) row 16
                      SizeCase{5, 2500.5L, 330},                     // last row
                      SizeCase{8, 1.0e6L, 1350},                     // open-ended last row
                      // Internal pair: a negative centre distance gets the row of its magnitude.
                      SizeCase{4, -250, 46}, SizeCase{4, -250.02L, 52}, SizeCase{4, -100, 35},
                      SizeCase{8, -3.0L, 60},
                      // Fields outside 1..8 are not tabulated.
                      SizeCase{0, 100, 0}, SizeCase{9, 100, 0}),
    [](const auto& info) {
        return "field" + std::to_string(info.param.field) + "_a" + testnames::Number(info.param.size);
    });

struct SeriesCase {
    int series;
    Extended d;
    int tsn;  // tolerance, 0 when not tabulated
    int asne; // upper allowance magnitude, 0 when not tabulated
};

class ToothThicknessTables : public ::testing::TestWithParam<SeriesCase>
{
};

TEST_P(ToothThicknessTables, RowsBySizeAndSeries)
{
    const auto& c = GetParam();
    EXPECT_EQ(GetToothThicknessTolerance(c.series, c.d), c.tsn)
        << "Tsn series " << c.series << " d " << static_cast<double>(c.d);
    EXPECT_EQ(GetUpperToothThicknessAllowance(c.series, c.d), c.asne)
        << "Asne series " << c.series << " d " << static_cast<double>(c.d);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToothThicknessTables,
    ::testing::Values(SeriesCase{1, 5, 3, 100},          // series a / 21, below 10
                      SeriesCase{5, 10.00005L, 20, 48},  // Trunc(9.99995) = 9: row 1
                      SeriesCase{5, 10.0002L, 30, 65},   // row 2
                      SeriesCase{8, 105.3L, 160, 40},    // e / 28 at the default pinion, 50-124
                      SeriesCase{7, 125, 100, 60},       // exactly 125 stays in 50-124
                      SeriesCase{7, 125.001L, 130, 80},  // 125-279
                      SeriesCase{10, 5000, 2000, 75},    // 4000-6299, series g / 30
                      SeriesCase{10, 1.0e7L, 2400, 100}, // last row, open upwards
                      // An internal gear's negative reference diameter: same row as external.
                      SeriesCase{8, -105.3L, 160, 40}, SeriesCase{5, -10.00005L, 20, 48},
                      SeriesCase{5, -10.0002L, 30, 65}, SeriesCase{7, -125, 100, 60},
                      // Series h: tolerance not tabulated (11), allowance zero.
                      SeriesCase{11, 200, 0, 0}, SeriesCase{12, 200, 0, 0}, SeriesCase{0, 200, 0, 0}),
    [](const auto& info) {
        return "series" + std::to_string(info.param.series) + "_d" + testnames::Number(info.param.d);
    });

struct ModuleCase {
    int direction;
    Extended m;
    Extended expected;
};

class StandardModule : public ::testing::TestWithParam<ModuleCase>
{
};

TEST_P(StandardModule, StepsThroughTheSeries)
{
    const auto& c = GetParam();
    EXPECT_NEAR(static_cast<double>(GetStandardModule(c.direction, c.m)), static_cast<double>(c.expected),
                1e-12)
        << "direction " << c.direction << " m " << static_cast<double>(c.m);
}

INSTANTIATE_TEST_SUITE_P(Series, StandardModule,
                         ::testing::Values(ModuleCase{1, 60, 60}, ModuleCase{-1, 0.05L, 0.05L},
                                           ModuleCase{0, 7, 8}, ModuleCase{1, 6, 8}, ModuleCase{-1, 6.5L, 6},
                                           ModuleCase{-1, 6, 5}, ModuleCase{0, 6, 6},
                                           ModuleCase{0, 6.0005L, 6}, // within the 0.001 tolerance
                                           ModuleCase{0, 1.3L, 1.5L}, ModuleCase{0, 100, 60},
                                           ModuleCase{1, 100, 60}, ModuleCase{0, 0.01L, 0.05L}),
                         [](const auto& info) {
                             const int dir = info.param.direction;
                             return std::string(dir > 0   ? "up"
                                                : dir < 0 ? "down"
                                                          : "nearest") +
                                    "_m" + testnames::Number(info.param.m);
                         });

TEST(StandardModuleAborted, GivesZero)
{
    telmvar.Aborted = true;
    EXPECT_EQ(GetStandardModule(0, 6), 0);
}

TEST(StandardModules, ThirtyFourEntriesRising)
{
    EXPECT_EQ(StandardModules[1], 0.05);
    EXPECT_EQ(StandardModules[34], 60.0);
    for (int i = 2; i <= 34; ++i)
        EXPECT_LT(StandardModules[i - 1], StandardModules[i]) << i;
}

} // namespace
