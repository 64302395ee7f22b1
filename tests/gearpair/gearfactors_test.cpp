#include "gearpair/gearfactors.h"

#include <gtest/gtest.h>

#include <string>

#include "common/testnames.h"

namespace
{

struct FactorCase {
    int heatTreatment, materialKind;
    long double mn;
    long double zx, yx;
};

class SizeFactors : public ::testing::TestWithParam<FactorCase>
{
};

TEST_P(SizeFactors, ByMaterialAndModule)
{
    const auto& c = GetParam();
    EXPECT_NEAR(static_cast<double>(SizeFactorZXDin(c.heatTreatment, c.mn)), static_cast<double>(c.zx), 1e-12)
        << "ZX " << c.heatTreatment << " " << (double)c.mn;
    EXPECT_NEAR(static_cast<double>(SizeFactorYXDin(c.heatTreatment, c.materialKind, c.mn)),
                static_cast<double>(c.yx), 1e-12)
        << "YX " << c.heatTreatment << " " << (double)c.mn;
}

INSTANTIATE_TEST_SUITE_P(Din3990, SizeFactors,
                         ::testing::Values(
                             // case-hardened mn 30: 1.05 - 0.15 = 0.90 (bound); YX 1.05 - 0.3 -> 0.8 bound
                             FactorCase{2, 2, 30, 0.9L, 0.8L},
                             // case-hardened mn 5: 1.025 capped at 1; YX 1.05 - 0.05 = 1.0
                             FactorCase{2, 2, 5, 1.0L, 1.0L},
                             // case-hardened mn 20: 0.95; YX 0.85
                             FactorCase{2, 2, 20, 0.95L, 0.85L},
                             // nitrided mn 10: 1.08 - 0.11 = 0.97; YX 0.95
                             FactorCase{5, 3, 10, 0.97L, 0.95L},
                             // nitrided mn 40: 0.64 -> 0.75
                             FactorCase{6, 3, 40, 0.75L, 0.8L},
                             // heat-treated mn 10: ZX 1; YX 1.03 - 0.06 = 0.97
                             FactorCase{1, 3, 10, 1.0L, 0.97L},
                             // unhardened mn 100: YX 0.43 -> 0.7
                             FactorCase{0, 1, 100, 1.0L, 0.7L},
                             // grey cast iron mn 40: 1.075 - 0.6 -> 0.7 bound
                             FactorCase{0, 6, 40, 1.0L, 0.7L},
                             // nodular ferritic mn 10: 0.925
                             FactorCase{1, 5, 10, 1.0L, 0.925L}),
                         [](const auto& info) {
                             const auto& c = info.param;
                             return "heat" + std::to_string(c.heatTreatment) + "_material" +
                                    std::to_string(c.materialKind) + "_mn" + testnames::Number(c.mn);
                         });

struct RunInCase {
    int heatTreatment, materialKind;
    long double fpb, v, sigmaHlim;
    long double expected;
};

class RunningIn : public ::testing::TestWithParam<RunInCase>
{
};

TEST_P(RunningIn, AllowanceInMicrons)
{
    const auto& c = GetParam();
    EXPECT_NEAR(static_cast<double>(
                    RunningInAllowanceAlpha(c.heatTreatment, c.materialKind, c.fpb, c.v, c.sigmaHlim)),
                static_cast<double>(c.expected), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Din3990, RunningIn,
    ::testing::Values(RunInCase{1, 3, 100, 7, 800, 16}, // 160/800 * min(100, 80)
                      RunInCase{1, 3, 100, 4, 800, 20}, // v <= 5: no limit
                      RunInCase{1, 3, 100, 12, 800, 8}, // v > 10: min(100, 40)
                      RunInCase{1, 3, 30, 12, 800, 6}, RunInCase{2, 2, 20, 7, 1500, 1.5L}, // 0.075 * 20
                      RunInCase{2, 2, 60, 7, 1500, 3},                                     // limit 3
                      RunInCase{7, 2, 10, 20, 1500, 0.75L},
                      RunInCase{0, 6, 100, 3, 300, 27.5L}, // grey cast iron 0.275 fpb
                      RunInCase{0, 6, 100, 8, 300, 22},    // 0.275 * 80
                      RunInCase{3, 5, 100, 11, 300, 11},   // induction-hardened ferritic GGG: 0.275 * 40
                      // DIN 3990-1: induction- and flame-hardened steel run in like the other
                      // surface-hardened flanks, 0.075 fpb up to 3 um (not 160/1200 fpb = 2.67).
                      RunInCase{3, 3, 20, 4, 1200, 1.5L}, RunInCase{4, 3, 60, 4, 1200, 3}),
    [](const auto& info) {
        const auto& c = info.param;
        return "heat" + std::to_string(c.heatTreatment) + "_material" + std::to_string(c.materialKind) +
               "_fpb" + testnames::Number(c.fpb) + "_v" + testnames::Number(c.v);
    });

TEST(RoundTolerance, StepsBySize)
{
    EXPECT_NEAR(static_cast<double>(RoundTolerance(4.96L)), 5.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundTolerance(4.94L)), 4.9, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundTolerance(7.3L)), 7.5, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundTolerance(7.2L)), 7.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundTolerance(10.0L)), 10.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundTolerance(10.4L)), 10.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundTolerance(12.6L)), 13.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RoundTolerance(12.5L)), 12.0, 1e-12); // half to even
}

TEST(ParityIndex, SignOfTheRemainder)
{
    EXPECT_EQ(ParityIndex(4), 1);
    EXPECT_EQ(ParityIndex(0), 1);
    EXPECT_EQ(ParityIndex(7), 2);
    EXPECT_EQ(ParityIndex(-3), 0);
    EXPECT_EQ(ParityIndex(-4), 1);
}

} // namespace
