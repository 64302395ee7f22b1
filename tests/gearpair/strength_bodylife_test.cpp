// Lubricant viscosity, hollow sections, gear body mass and the DIN 3990 life
// factor curves, against hand calculations.

#include "gearpair/gearbody.h"
#include "gearpair/lifedin.h"
#include "gearpair/viscosity.h"

#include "common/testmessages.h"
#include "foundation/foundationstate.h"
#include "foundation/messagecollector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{

constexpr Extended PiL = 3.141592653589793238462643383279502884L;

class StrengthBodyLife : public ::testing::Test
{
};

TEST_F(StrengthBodyLife, ViscosityOnTheTemperatureLine)
{
    const struct {
        Extended nu, tRef, t, expected;
    } rows[] = {
        {100, 50, 50, 100},
        {100, 50, 40, 178.01694445393588L},
        {100, 50, 100, 14.06446931054979L},
        {100, 50, 80, 26.6923381084077L},
        {220, 40, 100, 15.788720404478731L},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(ViscosityAtTemp(r.nu, r.tRef, r.t), r.expected, 1e-9 * r.expected) << r.nu << " " << r.t;
    // The line runs both ways.
    EXPECT_NEAR(ViscosityAtTemp(ViscosityAtTemp(100, 50, 40), 40, 50), 100, 1e-9);
}

TEST_F(StrengthBodyLife, HollowSections)
{
    EXPECT_NEAR(HollowPolarMoment(40, 20), PiL / 32 * (2560000 - 160000), 1e-9);
    EXPECT_NEAR(HollowPolarSectionModulus(40, 0), PiL * 64000 / 16, 1e-9);
    EXPECT_NEAR(HollowPolarSectionModulus(40, 20), PiL / 16 * (2560000 - 160000) / 40, 1e-9);
    EXPECT_EQ(HollowPolarSectionModulus(20, 40), 0);
    EXPECT_EQ(HollowPolarSectionModulus(0, 0), 0);
    // Solid steel disc 100 mm x 10 mm: m = 0.6126 kg, J = m D^2 / 8.
    EXPECT_NEAR(HollowInertia(100, 0, 10, 7.8L), PiL / 32 * 1e-12L * 7.8L * 10 * 1e8L, 1e-18);
    const Extended m = 7.8L * PiL / 4 * 100 * 100 * 10 * 1e-6L;
    EXPECT_NEAR(HollowInertia(100, 0, 10, 7.8L), m * 0.1L * 0.1L / 8, 1e-15);
}

TEST_F(StrengthBodyLife, GearBodyMassAndInertia)
{
    const struct {
        const char* what;
        Extended da, df, di, dB, b;
        Extended mass, J;
    } rows[] = {
        {"solid: ring from mean tooth diameter to the bore", 104, 91, 0, 30, 40, 2.108911878446658L,
         0.002743233029385692L},
        {"rim inside diameter below the bore counts as solid", 104, 91, 20, 30, 40, 2.108911878446658L,
         0.002743233029385692L},
        {"rim inside diameter above the root counts as solid", 104, 91, 95, 30, 40, 2.108911878446658L,
         0.002743233029385692L},
        {"rim, web and hub", 204, 191, 150, 50, 40, 7.247057427767286L, 0.03987699530256964L},
        {"internal ring, solid", -196, -209, 0, -260, 30, 4.887483683437108L, -1},
        {"internal ring with web", -196, -209, -240, -260, 30, 5.345750081470925L, 0.07265492093754133L},
    };
    for (const auto& r : rows) {
        EXPECT_NEAR(GearBodyMass(r.da, r.df, r.di, r.dB, r.b, 7.8L), r.mass, 1e-12) << r.what;
        if (r.J >= 0) {
            EXPECT_NEAR(GearBodyInertia(r.da, r.df, r.di, r.dB, r.b, 7.8L), r.J, 1e-15) << r.what;
        }
    }
}

TEST_F(StrengthBodyLife, RootLifeOnTheDinCurves)
{
    const struct {
        int treat, kind;
        Extended ratio, N;
        bool error;
    } rows[] = {
        {2, 2, 1.0L, 1e10L, false},
        {2, 2, 1.5L, 1e10L, false},
        {2, 2, 0.8L, 430948.6151343822L, false}, // 3e6 / 1.25^(1/0.115)
        {2, 2, 1 / 1.6L, 3e6L / std::pow(1.6L, 1 / 0.115L), false},
        {2, 2, 0.6L, 3e6L / std::pow(1 / 0.6L, 1 / 0.115L), true},
        {1, 3, 0.8L, 743761.4650515856L, false},           // exponent 6.25
        {1, 3, 0.4L, 3e6L / std::pow(2.5L, 6.25L), false}, // Y = 2.5 itself is no error
        {1, 3, 0.399L, 3e6L / std::pow(1 / 0.399L, 6.25L), true},
        {7, 2, 1 / 1.05L, 51445.37440280024L, false},
        {5, 3, 1 / 1.05L, 1312141.2615534638L, false},
        {0, 6, 1 / 1.05L, 1312141.2615534638L, false},
        {0, 8, 0.99L, 0, false},
        {0, 8, 0.8L, 0, true},
    };
    for (const auto& r : rows) {
        ResetFoundationState();
        Extended N = -1;
        const Extended L = RootLifeDin(r.treat, r.kind, N, r.ratio, 1000, 1);
        EXPECT_NEAR(N, r.N, 1e-9 * r.N) << r.treat << "/" << r.kind << " " << r.ratio;
        EXPECT_NEAR(L, r.N / 60000, 1e-9 * r.N) << r.treat << "/" << r.kind << " " << r.ratio;
        EXPECT_EQ(HasMessage("Error  : fatigue fract."), r.error)
            << r.treat << "/" << r.kind << " " << r.ratio;
    }
}

TEST_F(StrengthBodyLife, PittingLifeOnTheDinCurves)
{
    const struct {
        int treat, kind, curve;
        Extended ratio, F, N;
    } rows[] = {
        {2, 2, 0, 1.0L, 0.95L, 1e10L},
        {2, 2, 2, 1.0L, 0.95L, 1e10L},
        {2, 2, 0, 0.7L, 0.95L, 711731.4333850043L},
        {2, 2, 2, 0.7L, 0.95L, 4270388.600310026L}, // Z above 1.3: second curve from 3e8
        {2, 2, 0, 0.85L, 0.95L, 7203477.7521842L},
        {2, 2, 2, 0.85L, 0.95L, 70277024.394872L}, // Z up to 1.3: second curve from 1e9
        {7, 2, 0, 0.9L, 0.95L, 232278.9863109184L},
        {7, 2, 2, 0.9L, 0.95L, 232278.9863109184L},
        {5, 3, 0, 0.9L, 0.95L, 731142.1447952347L},
        {0, 6, 0, 0.9L, 0.95L, 731142.1447952347L},
        {0, 8, 0, 0.9L, 0.95L, 0},
        {2, 2, 0, 0.9L, 1.6L, 0}, // the influence factors reach the static level: flat line
    };
    for (const auto& r : rows) {
        Extended N = -1;
        const Extended L = PittingLifeDin(r.treat, r.kind, r.curve, r.ratio, 1000, 1, r.F, N);
        EXPECT_NEAR(N, r.N, 1e-9 * r.N) << r.treat << "/" << r.kind << " curve " << r.curve << " " << r.ratio;
        EXPECT_NEAR(L, r.N / 60000, 1e-9 * r.N) << r.treat << "/" << r.kind << " " << r.ratio;
    }
}

TEST_F(StrengthBodyLife, PittingErrorAboveTheStaticFactor)
{
    Extended N = 0;
    PittingLifeDin(2, 2, 0, 1 / 1.6L, 1000, 1, 1, N);
    EXPECT_FALSE(HasMessage("Error  : Pitting"));
    PittingLifeDin(2, 2, 0, 0.6L, 1000, 1, 1, N);
    EXPECT_TRUE(HasMessage("Error  : Pitting"));
}

TEST_F(StrengthBodyLife, LifeHoursUseSpeedAndContactsAndSurviveStandstill)
{
    Extended N = 0;
    EXPECT_NEAR(RootLifeDin(2, 2, N, 0.8L, -300, 3), 430948.6151343822L / 300 / 60 / 3, 1e-6);
    EXPECT_NEAR(PittingLifeDin(2, 2, 0, 0.7L, 300, 0.5L, 0.95L, N), 711731.4333850043L / 300 / 60, 1e-6);
    // A gear at rest: the cycles are still read off, the hours are 0, not a division by zero.
    const Extended L = RootLifeDin(2, 2, N, 0.8L, 0, 1);
    EXPECT_EQ(L, 0);
    EXPECT_TRUE(std::isfinite(static_cast<double>(L)));
    EXPECT_NEAR(N, 430948.6151343822L, 1e-6);
    EXPECT_EQ(PittingLifeDin(2, 2, 0, 0.7L, 0, 1, 0.95L, N), 0);
    EXPECT_EQ(PittingLifeDin(2, 2, 0, 1.2L, 0, 1, 0.95L, N), 0);
    EXPECT_EQ(N, 1e10L);
}

} // namespace
