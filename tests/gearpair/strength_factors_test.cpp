// Load capacity factor functions, checked against hand calculations of the
// ISO 6336 / DIN 3990 formulas (values worked out independently of this code)
// and against the boundary values the standards fix.

#include "gearpair/strength/strengthfactors.h"

#include "common/testmessages.h"
#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace
{

constexpr Extended Pi = std::numbers::pi_v<Extended>;
Extended Deg(Extended d)
{
    return d * Pi / 180;
}

class StrengthFactors : public ::testing::Test
{
};

// --- tooth form and stress correction factor --------------------------------

struct ToothFormCase {
    const char* what;
    int z;
    Extended mn, alpha_deg, beta_deg, x, hfP, rhofP, da, eps_alpha;
    Extended YF, YS, sFn, rhoF, hFe, qs;
};

TEST_F(StrengthFactors, ToothFormFactorsMatchHandCalculation)
{
    // Reference values: the method-B equations evaluated with the iteration
    // for the 30-degree tangent started at pi/6 and run to convergence.
    const Extended d17 = 17 * 8 / std::cos(Deg(15.8L));
    const ToothFormCase cases[] = {
        {"spur z20 x0 m1, standard rack", 20, 1, 20, 0, 0, 1.25L, 0.38L, 22, 1.6L, 1.645716978789811L,
         1.7976414742284494L, 1.9447485467687091L, 0.5729527299322491L, 1.0292001831890967L,
         1.697128266583766L},
        {"helical z17 mn8 beta 15.8 x 0.145", 17, 8, 20, 15.8L, 0.145L, 10, 3.04L, d17 + 2 * 8 * 1.145L, 1.4L,
         1.6163357620772085L, 1.8689798087157035L, 16.08603265631493L, 4.2007423659403775L,
         8.822592419595297L, 1.9146654632691231L},
    };
    for (const auto& c : cases) {
        Extended YF = 0, YS = 0;
        TToothRootShape s;
        CalcToothFormFactors(c.z, YF, YS, c.mn, Deg(c.alpha_deg), Deg(c.beta_deg), c.x, c.hfP, c.rhofP, 0, 0,
                             c.eps_alpha, c.da, 0, 0, s);
        EXPECT_NEAR(YF, c.YF, 1e-6) << c.what;
        EXPECT_NEAR(YS, c.YS, 1e-6) << c.what;
        EXPECT_NEAR(s.sFn, c.sFn, 1e-6 * c.mn) << c.what;
        EXPECT_NEAR(s.rhoF, c.rhoF, 1e-6 * c.mn) << c.what;
        EXPECT_NEAR(s.hFe, c.hFe, 1e-6 * c.mn) << c.what;
        EXPECT_NEAR(s.qs, c.qs, 1e-6) << c.what;
    }
}

TEST_F(StrengthFactors, ToothFormFactorsOfInternalGearUseCutterFilletAndSixtyDegreeTangent)
{
    // An internal gear: the 60-degree tangent touches the root, the fillet is
    // enlarged by the cutter, and the result must still be a physical tooth.
    Extended YF = 0, YS = 0;
    TToothRootShape s;
    CalcToothFormFactors(-60, YF, YS, 2, Deg(20), 0, 0, 2.5L, 0.5L, 0, 0, 1.7L, -116, 0, 20, s);
    // Hand calculation of the same equations: z -60, mn 2, hfP 2.5, rhofP 0.5,
    // cutter z0 20 x0 0, da -116, eps_alpha 1.7.
    EXPECT_NEAR(s.sFn, 5.071019190663291L, 1e-6);
    EXPECT_NEAR(s.rhoF, 0.8918230377386858L, 1e-6); // the cutter rounds more than the rack's 0.5
    EXPECT_NEAR(s.hFe, 2.817166335758866L, 1e-6);
    EXPECT_NEAR(s.alphaFen, 0.32589732208022726L, 1e-9);
    EXPECT_NEAR(YF, 1.3253610624838639L, 1e-6);
    EXPECT_NEAR(YS, 2.1825260281823065L, 1e-6);
}

// --- dynamic factor --------------------------------------------------------

TEST_F(StrengthFactors, Cv7BandsAreContinuousAtTheirLimits)
{
    const struct {
        Extended eps_gamma, Cv7;
    } rows[] = {{1.0L, 0.75L}, {1.5L, 0.75L}, {2.0L, 0.875L},
                {2.5L, 1.0L},  {3.0L, 1.0L},  {1.75L, 0.125L * std::sin(Pi * -0.25L) + 0.875L}};
    for (const auto& r : rows)
        EXPECT_NEAR(DynamicFactorCv7(r.eps_gamma), r.Cv7, 1e-15) << r.eps_gamma;
}

TEST_F(StrengthFactors, DynamicFactorInEveryResonanceRange)
{
    // Ft 10000 N, b 50 mm, KA 1.25, c' 14, fpb 12, ff 10, y 1.5, SigmaHlim 1500;
    // hand calculation of method B with the Cv table.
    const struct {
        int grade;
        Extended N, eps_gamma, Kv;
        const char* what;
    } rows[] = {
        {6, 0.5L, 1.8L, 1.29L, "sub-critical"},
        {6, 0.85L, 1.8L, 0.85L * (0.32L * 0.588L + 0.34L * 0.476L + 0.23L) + 1, "N = N_S is sub-critical"},
        {6, 1.0L, 1.8L, 2.25L, "main resonance"},
        {6, 1.15L, 1.8L, 2.25L, "N = 1.15 is main resonance"},
        {6, 1.3L, 1.8L, 1.8435457900557601L, "intermediate"},
        {6, 1.5L, 1.8L, 1.301606843463441L, "N = 1.5 is super-critical"},
        {6, 2.0L, 1.8L, 1.301606843463441L, "super-critical"},
        {5, 0.5L, 1.8L, 1.2771498069879903L, "grade 5 uses the tip relief term"},
        {5, 1.0L, 2.0L, 2.1494332720799236L, "eps_gamma = 2 uses the left column"},
        {5, 1.0L, 2.0001L, 2.093112830792202L, "eps_gamma above 2"},
        {6, 2.0L, 2.4L, 1.3567875190823488L, "super-critical, Cv7 inside its sine band"},
        {6, 0.7L, 3.2L, 1.238178644238856L, "sub-critical, eps_gamma 3.2"},
    };
    for (const auto& r : rows) {
        const Extended Kv = CalcDynamicFactorKv(r.grade, r.N, 0.85L, r.eps_gamma, 1500, 1500, 10000, 50,
                                                1.25L, 14, 1.5L, 1.5L, 12, 10);
        EXPECT_NEAR(Kv, r.Kv, 1e-9) << r.what;
    }
    EXPECT_EQ(error0.ErrorCount, 0);
}

TEST_F(StrengthFactors, DynamicFactorFallsBackToOneWithoutLoad)
{
    EXPECT_EQ(CalcDynamicFactorKv(6, 1, 0.85L, 1.8L, 1500, 1500, 10000, 50, 0, 14, 0, 0, 12, 10), 1);
    EXPECT_TRUE(HasMessage("Fatal  : KA=0!"));
    EXPECT_EQ(CalcDynamicFactorKv(6, 1, 0.85L, 1.8L, 1500, 1500, 0, 50, 1, 14, 0, 0, 12, 10), 1);
    EXPECT_TRUE(HasMessage("Error  : Ft=0!"));
}

// --- stiffness and mass -----------------------------------------------------

TEST_F(StrengthFactors, BasicRackFactor)
{
    EXPECT_NEAR(BasicRackFactorCB(20, 2, 2.5L), 1.0L, 1e-15);
    EXPECT_NEAR(BasicRackFactorCB(25, 2, 2.0L), 1.125L * 1.1L, 1e-15);
    EXPECT_NEAR(BasicRackFactorCB(20, 4, 5.2L), 0.975L, 1e-15);
}

TEST_F(StrengthFactors, MeshStiffnessMatchesHandCalculation)
{
    const struct {
        const char* what;
        Extended zn1, zn2, x1, x2, mn, beta, b, bs, sR, hfP, E, Ft, eps_alpha;
        Extended c_single, c_gamma;
    } rows[] = {
        {"solid spur pair", 20, 40, 0, 0, 2, 0, 40, 40, 0, 2.5L, 206000, 20000, 1.6L, 12.77006349968317L,
         15.739103263359508L},
        {"helical with web, bs/b 0.5", 18.9L, 114.5L, 0.145L, 0, 8, Deg(15.8L), 100, 50, 30, 10, 206000,
         127352, 1.4L, 12.599593363848117L, 13.922550667052166L},
        {"line load below 100 N/mm", 20, 40, 0, 0, 2, 0, 40, 40, 0, 2.5L, 210000, 2000, 1.6L,
         10.946811311085607L, 13.491944940913013L},
    };
    for (const auto& r : rows) {
        Extended c = 0, cg = 0;
        CalcMeshStiffness(c, cg, r.zn1, r.zn2, r.x1, r.x2, r.mn, 20, r.beta, r.b, r.bs, r.sR, r.hfP, r.hfP,
                          r.E, r.E, r.Ft, 1, r.eps_alpha);
        EXPECT_NEAR(c, r.c_single, 1e-9) << r.what;
        EXPECT_NEAR(cg, r.c_gamma, 1e-9) << r.what;
    }
}

TEST_F(StrengthFactors, ReducedMass)
{
    // m 2, z 20/40, solid and hollow bodies, steel 7.8 kg/dm3.
    const Extended db1 = 37.58770483143634L;
    EXPECT_NEAR(CalcReducedMass(44, 84, 35, 75, db1, 0, 0, 7.8L, 7.8L, 2), 0.0042222237308006533L, 1e-15);
    EXPECT_NEAR(CalcReducedMass(44, 84, 35, 75, db1, 20, 40, 7.8L, 7.8L, 2), 0.0039460986375028642L, 1e-15);
}

TEST_F(StrengthFactors, ReducedMassOfInternalPairIsThePinionAlone)
{
    // The ring of an internal pair is far heavier than the pinion and sits in
    // the housing; its rim lies outside the teeth (q > 1), which in the
    // external-pair formula would give a negative or exploding mass.
    const Extended db1 = 37.58770483143634L;
    const Extended pinionOnly = 0.0052777796635008166L;
    for (Extended di2 : {-165.0L, -162.0L, -170.0L, 0.0L}) {
        const Extended m = CalcReducedMass(44, -156, 35, -165, db1, 0, di2, 7.8L, 7.8L, -3.9L);
        EXPECT_NEAR(m, pinionOnly, 1e-15) << di2;
    }
}

// --- running-in and misalignment ------------------------------------------

TEST_F(StrengthFactors, RunningInAllowances)
{
    const struct {
        int kind, treat;
        Extended sigma, v, dev, y_alpha, y_beta;
    } rows[] = {
        {2, 2, 1500, 3, 20, 1.5L, 3.0L},    // case-hardened: 0.075 fpb, 0.15 Fbetax
        {2, 2, 1500, 3, 60, 3.0L, 6.0L},    // limits: y_alpha 3 um, y_beta 6 um (ISO 6336-1)
        {2, 5, 1500, 3, 30, 2.25L, 4.5L},   // nitrided: 0.15 Fbetax below the limit
        {3, 1, 800, 3, 20, 4.0L, 8.0L},     // through-hardened, slow
        {3, 1, 800, 7, 200, 22.0L, 32.0L},  // 5 < v <= 10: 22 and 25600/800
        {3, 1, 800, 12, 200, 11.0L, 16.0L}, // v > 10: 11 and 12800/800
        {3, 1, 200, 12, 20, 11.0L, 32.0L},  // 320/200 Fbetax above Fbetax: no limit
        {6, 0, 400, 3, 20, 5.5L, 11.0L},    // grey cast iron
        {6, 0, 400, 7, 200, 22.0L, 45.0L},  {5, 0, 400, 12, 200, 11.0L, 22.0L},
    };
    for (const auto& r : rows) {
        EXPECT_NEAR(RunningInYalpha(r.kind, r.treat, r.sigma, r.v, r.dev), r.y_alpha, 1e-12)
            << r.kind << "/" << r.treat << " v " << r.v;
        EXPECT_NEAR(RunningInYbeta(r.kind, r.treat, r.sigma, r.v, r.dev), r.y_beta, 1e-12)
            << r.kind << "/" << r.treat << " v " << r.v;
    }
}

TEST_F(StrengthFactors, InitialMisalignmentByModeAndModification)
{
    // fHbeta5 6, fHbeta 10, fma 8, fsh 5, w_m 400 (Fmin = max(5, 2) = 5)
    const struct {
        bool trace, crown, relief;
        int mode;
        Extended Fbetax;
    } rows[] = {
        {false, false, false, 0, 1.33L * 5 + 8},
        {false, true, false, 0, 1.33L * 5 + 4},
        {true, false, false, 0, 1.33L * 0.1L * 5 + 8},
        {false, false, true, 0, 1.33L * 0.7L * 5 + 0.7L * 8},
        {true, true, true, 0, 1.33L * 5 + 4}, // crowning wins
        {false, false, false, 1, 5.0L},       // |6.65 - 6| below the minimum 5
        {false, false, false, 2, 0.0L},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(CalcFbetax(r.trace, r.crown, r.relief, r.mode, 6, 10, 8, 5, 400), r.Fbetax, 1e-12)
            << r.trace << r.crown << r.relief << " mode " << r.mode;
    EXPECT_NEAR(CalcFbetax(false, false, false, 1, 20, 10, 8, 5, 400), 20 - 6.65L, 1e-12);
    EXPECT_NEAR(CalcFbetax(false, false, false, 0, 0, 10, 0, 0, 2000), 10.0L, 1e-12); // 0.005 w_m
}

TEST_F(StrengthFactors, ShaftDeflectionAndContactPatternMode)
{
    // w_m 500, d1 100, dsh 100, b 80, l 300, s 60 -> term l s/d1^2 = 1.8.
    const struct {
        bool dh, support;
        int pattern, arrangement;
        Extended fsh;
        int mode;
    } rows[] = {
        {false, false, 1, 1, 500 * 0.023L * (std::fabs(0.8L * 1.8L + 0.7L) + 0.3L) * 0.64L, 1},
        {false, true, 2, 2, 500 * 0.023L * (std::fabs(-0.48L * 1.8L + 0.7L) + 0.3L) * 0.64L, 0},
        {true, false, 5, 3, 500 * 0.046L * (std::fabs(1.33L * 1.8L + 1.2L) + 0.3L) * 0.16L, 0},
        {false, false, 3, 4, 500 * 0.023L * (std::fabs(-0.6L * 1.8L + 0.7L) + 0.3L) * 0.64L, 1},
        {false, true, 3, 2, 500 * 0.023L * (std::fabs(-0.48L * 1.8L + 0.7L) + 0.3L) * 0.64L, 0},
        {false, false, 3, 5, 500 * 0.023L * (std::fabs(-1.0L * 1.8L + 0.7L) + 0.3L) * 0.64L, 1},
        {false, false, 4, 4, 500 * 0.023L * (std::fabs(-0.6L * 1.8L + 0.7L) + 0.3L) * 0.64L, 0},
        {false, true, 4, 4, 500 * 0.023L * (std::fabs(-0.36L * 1.8L + 0.7L) + 0.3L) * 0.64L, 1},
        {false, false, 9, 9, 500 * 0.023L * (0.7L + 0.3L) * 0.64L, -1},
    };
    for (const auto& r : rows) {
        int mode = 99;
        const Extended fsh =
            CalcFsh(r.dh, r.support, r.pattern, 500, 100, 100, 80, 300, 60, r.arrangement, mode);
        EXPECT_NEAR(fsh, r.fsh, 1e-12) << r.pattern << "/" << r.arrangement;
        EXPECT_EQ(mode, r.mode) << r.pattern << "/" << r.arrangement;
    }
}

TEST_F(StrengthFactors, SinglePairContactFactors)
{
    // Spur pair m 2, z 20/40, x 0, da 44/84, a 60: eps_alpha 1.63519.
    const Extended db1 = 40 * std::cos(Deg(20)), db2 = 80 * std::cos(Deg(20));
    const Extended ea = 1.6351859635714583L;
    EXPECT_NEAR(ContactFactorM1(20, 40, Deg(20), ea, 44, 84, db1, db2), 1.0623386668143369L, 1e-12);
    EXPECT_NEAR(ContactFactorM1(40, 20, Deg(20), ea, 84, 44, db2, db1), 0.9739664806485449L, 1e-12);
    EXPECT_NEAR(HypotenuseOf(3, 4), 5, 1e-18);
}

// --- flank factors ------------------------------------------------------------

TEST_F(StrengthFactors, LubricantAndVelocityFactors)
{
    // The constants are chosen so that v50 = 100 and v = 10 m/s give exactly 1.
    const struct {
        Extended sigma, visc, v, ZL, ZV;
    } rows[] = {
        {1500, 100, 10, 1.0L, 1.0L},
        {850, 100, 10, 1.0L, 1.0L},
        {600, 100, 10, 1.0L, 1.0L},
        {1000, 50, 0, 1000 / 4375.0L + 0.6357L + 4 * (1 - 1000 / 4375.0L - 0.6357L) / (2.8L * 2.8L), 1.0L},
        {1200, 200, 2, 1200 / 4375.0L + 0.6357L + 4 * (1 - 1200 / 4375.0L - 0.6357L) / (1.6L * 1.6L),
         1200 / 4375.0L + 0.6557L + 2 * (1 - 1200 / 4375.0L - 0.6557L) / std::sqrt(16.8L)},
    };
    for (const auto& r : rows) {
        EXPECT_NEAR(LubricantFactorZL(r.visc, r.sigma), r.ZL, 1e-12) << r.sigma;
        EXPECT_NEAR(VelocityFactorZV(r.visc, r.sigma, r.v), r.ZV, 1e-12) << r.sigma;
    }
}

TEST_F(StrengthFactors, RoughnessExponentIsContinuousAtItsLimits)
{
    const struct {
        Extended sigma, CZR;
    } rows[] = {{500, 0.15L},  {849.99L, 0.15L},  {850, 0.15L}, {1000, 0.12L},
                {1200, 0.08L}, {1200.01L, 0.08L}, {1600, 0.08L}};
    for (const auto& r : rows)
        EXPECT_NEAR(RoughnessExponentCZR(r.sigma), r.CZR, 1e-12) << r.sigma;
}

TEST_F(StrengthFactors, RoughnessFactor)
{
    const Extended db1 = 40 * std::cos(Deg(20)), db2 = 80 * std::cos(Deg(20));
    // rho_red 4.56027 mm: Rz10 = Rz (10/rho_red)^(1/3)
    EXPECT_NEAR(RoughnessFactorZR(1000, db1, db2, Deg(20), 4), 0.9361964036118222L, 1e-12);
    // 3 um at rho_red 10 mm is the reference roughness: ZR = 1
    const Extended db = 2 * 20 / std::tan(Deg(20)); // rho = 20 mm each, rho_red 10
    EXPECT_NEAR(RoughnessFactorZR(1000, db, db, Deg(20), 3), 1.0L, 1e-12);
    EXPECT_NEAR(RoughnessFactorZR(1000, db, db, Deg(20), 6), 0.9201876506248751L, 1e-12);
}

TEST_F(StrengthFactors, WorkHardeningFactorAtHardnessLimits)
{
    // v = 0 clamps RzH to 3: the hardness term alone remains.
    const Extended db = 2 * 20 / std::tan(Deg(20));
    const struct {
        Extended HB, ZW;
    } rows[] = {{100, 1.2L}, {129.9L, 1.2L}, {130, 1.2L}, {300, 1.1L},
                {470, 1.0L}, {470.1L, 1.0L}, {600, 1.0L}};
    for (const auto& r : rows)
        EXPECT_NEAR(WorkHardeningFactorZW(1, db, db, Deg(20), 3, 3, 700, r.HB, 100, 0, 2), r.ZW, 1e-12)
            << r.HB;
    // A rough hardened pinion polishes the wheel less: RzH clamped at 16.
    EXPECT_NEAR(WorkHardeningFactorZW(1, db, db, Deg(20), 40, 3, 700, 470, 1, 1, 2),
                std::pow(3.0L / 16, 0.15L), 1e-12);
    EXPECT_EQ(WorkHardeningFactorZW(1, db, db, Deg(20), 3, 0, 700, 300, 100, 5, 2), 1);
}

TEST_F(StrengthFactors, WorkHardeningOfThroughHardenedPair)
{
    const struct {
        Extended HB1, HB2, u, ZW;
    } rows[] = {
        {300, 300, 3, 1.0L}, // ratio 1 < 1.2
        {360, 300, 3, 1 + (0.00898L * 1.2L - 0.00829L) * 2},
        {450, 300, 3, 1 + (0.00898L * 1.5L - 0.00829L) * 2},
        {510, 300, 3, 1 + (0.00898L * 1.7L - 0.00829L) * 2},
        {600, 300, 3, 1 + 0.00698L * 2},
        {600, 0, 3, 1.0L},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(WorkHardeningFactorZW(2, 40, 80, Deg(20), 3, 3, r.HB1, r.HB2, 100, 5, r.u), r.ZW, 1e-12)
            << r.HB1 << "/" << r.HB2;
    EXPECT_EQ(WorkHardeningFactorZW(0, 40, 80, Deg(20), 3, 3, 600, 300, 100, 5, 3), 1);
}

// --- tooth root factors -----------------------------------------------------

TEST_F(StrengthFactors, RimThicknessFactor)
{
    const struct {
        int z;
        Extended df, di, ht, mn, YB;
        const char* message;
    } rows[] = {
        // ISO 6336-3: sR is the radial rim thickness below the root, (df - di)/2.
        {20, 100, 76, 5, 2, 1.0L, nullptr},                              // sR = 12, sR/ht = 2.4
        {20, 100, 88, 5, 2, 1.0L, nullptr},                              // sR = 6, sR/ht = 1.2
        {20, 100, 88, 0, 2, 1.0L, nullptr},                              // no tooth depth
        {20, 100, 76, 10, 2, 1.0L, nullptr},                             // sR/ht = 1.2
        {20, 100, 80, 10, 2, 1.2917893194399492L, nullptr},              // sR/ht = 1.0: 1.6 ln 2.242
        {20, 100, 88, 10, 2, 2.109110317465534L, nullptr},               // sR/ht = 0.6: 1.6 ln(2.242/0.6)
        {20, 100, 90, 10, 2, 2.5L, "Error  : YB: sR/ht <= 0.5 !"},       // sR/ht = 0.5
        {-60, -130, -144, 5, 2, 1.0L, nullptr},                          // sR = 7, sR/mn = 3.5
        {-60, -130, 144, 5, 2, 1.0L, nullptr},                           // positive di made negative
        {-60, -130, -138, 5, 2, 1.639895087167159L, nullptr},            // sR/mn = 2: 1.15 ln(8.324/2)
        {-60, -130, -137, 5, 2, 2.0L, "Error  : YB: sR/mn <= 1.75 !"},   // sR/mn = 1.75
        {-60, -130, 0, 1, 2, 1.15L * std::log(8.324L * 2 / 5), nullptr}, // di 0: sR = 5 ht
    };
    for (const auto& r : rows) {
        ResetFoundationState();
        EXPECT_NEAR(RimThicknessFactorYB(r.z, r.df, r.di, r.ht, r.mn), r.YB, 1e-12) << r.z << " " << r.di;
        if (r.message)
            EXPECT_TRUE(HasMessage(r.message)) << r.message;
        else
            EXPECT_EQ(error0.ErrorCount, 0);
    }
}

TEST_F(StrengthFactors, DeepToothFactor)
{
    const struct {
        int grade;
        Extended eps, YDT;
    } rows[] = {{4, 2.05L, 1.0L},
                {4, 2.3L, -0.666L * 2.3L + 2.366L},
                {4, 2.5L, -0.666L * 2.5L + 2.366L},
                {4, 2.6L, 0.7L},
                {5, 2.6L, 1.0L},
                {6, 2.3L, 1.0L}};
    for (const auto& r : rows)
        EXPECT_NEAR(DeepToothFactorYDT(r.grade, r.eps), r.YDT, 1e-12) << r.grade << " " << r.eps;
}

TEST_F(StrengthFactors, NotchSensitivity)
{
    Extended rho = -1;
    // qs = 2.5 makes 0.2 (1 + 2 qs) = 1.2: the relative factor is exactly 1 for every material.
    for (int kind = 1; kind <= 8; ++kind)
        for (int treat = 0; treat <= 7; ++treat)
            EXPECT_NEAR(NotchSensitivityYdrelT(kind, treat, rho, 500, 2, 2.5L), 1.0L, 1e-15) << kind << treat;
    const struct {
        int kind, treat;
        Extended X, rho_slip;
    } rows[] = {
        {2, 2, 500, 0.003L},  {3, 5, 500, 0.1005L}, {6, 0, 90, 0.3124L},  {6, 0, 150, 0.3095L},
        {5, 0, 90, 0.3095L},  {3, 1, 300, 0.0281L}, {3, 1, 400, 0.0194L}, {4, 1, 500, 0.0064L},
        {7, 0, 700, 0.0014L}, {1, 0, 200, 0.0833L}, {1, 0, 300, 0.0445L}, {8, 0, 300, 0.0L},
    };
    for (const auto& r : rows) {
        NotchSensitivityYdrelT(r.kind, r.treat, rho, r.X, 2, 1);
        EXPECT_NEAR(rho, r.rho_slip, 1e-15) << r.kind << "/" << r.treat << " X " << r.X;
    }
    EXPECT_NEAR(NotchSensitivityYdrelT(1, 0, rho, 300, 2, 1.5L), 0.9655549387848771L, 1e-12);

    EXPECT_NEAR(NotchSensitivityStatic(1, 0, 200, 3), (1 + 0.93L * 2) / (1 + 0.93L), 1e-12);
    EXPECT_NEAR(NotchSensitivityStatic(2, 2, 500, 2), 0.44L * 2 + 0.12L, 1e-15);
    EXPECT_NEAR(NotchSensitivityStatic(2, 5, 500, 2), 0.2L * 2 + 0.6L, 1e-15);
    EXPECT_NEAR(NotchSensitivityStatic(7, 0, 500, 2), 0.075L * 2 + 0.85L, 1e-15);
    EXPECT_NEAR(NotchSensitivityStatic(3, 1, 300, 3), (1 + 0.82L * 2) / (1 + 0.82L), 1e-12);
    EXPECT_NEAR(NotchSensitivityStatic(1, 1, 300 * 16, 3), (1 + 0.82L * 2 * 0.5L) / (1 + 0.82L * 0.5L),
                1e-12);
    EXPECT_NEAR(NotchSensitivityStatic(8, 0, 300, 2), 1, 1e-15);
}

TEST_F(StrengthFactors, SurfaceFactor)
{
    const struct {
        int kind, treat;
        Extended Rz, YR;
    } rows[] = {
        {2, 2, 0.5L, 1.12L},
        {1, 0, 0.5L, 1.07L},
        {5, 0, 0.5L, 1.025L},
        {8, 0, 0.5L, 1.0L},
        {3, 1, 1, 1.1070318383183009L},
        {1, 0, 10, 1.0009984033988903L},
        {6, 0, 10, 0.9943578488876694L},
        {1, 5, 10, 1.0009984033988903L}, // kind 1 is tested before the nitrided group
        {8, 5, 10, 0.9943578488876694L},
        {8, 0, 10, 1.0L},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(SurfaceFactorYRrelT(r.kind, r.treat, r.Rz), r.YR, 1e-12)
            << r.kind << "/" << r.treat << " Rz " << r.Rz;
    EXPECT_EQ(error0.ErrorCount, 0);
    EXPECT_EQ(SurfaceFactorYRrelT(2, 2, 41), 1);
    EXPECT_TRUE(HasMessage("Error  : YRrelT: Rz > 40 !"));
}

TEST_F(StrengthFactors, SizeFactorOfToothRoot)
{
    const struct {
        int kind, treat;
        Extended mn, YX;
    } rows[] = {
        {3, 1, 5, 1.0L},   {3, 1, 10, 0.97L}, {3, 1, 29.9L, 1.03L - 0.006L * 29.9L},
        {3, 1, 30, 0.85L}, {2, 2, 5, 1.0L},   {2, 2, 10, 0.95L},
        {2, 2, 25, 0.8L},  {8, 6, 10, 0.95L}, {5, 0, 10, 0.925L},
        {6, 0, 25, 0.7L},  {8, 0, 10, 1.0L},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(SizeFactorYX(r.kind, r.treat, r.mn), r.YX, 1e-12)
            << r.kind << "/" << r.treat << " mn " << r.mn;
}

TEST_F(StrengthFactors, AlternatingLoadFactor)
{
    EXPECT_EQ(LogLimitFactor(0), 1);
    EXPECT_NEAR(LogLimitFactor(1e6L), 0.0417L * 6 + 0.6275L, 1e-12);
    EXPECT_NEAR(LogLimitFactor(1), 0.6275L, 1e-12);
    EXPECT_EQ(LogLimitFactor(1e10L), 1);
}

// --- life lines -----------------------------------------------------------

TEST_F(StrengthFactors, RootCyclesOnTheLifeCurves)
{
    const struct {
        int kind, treat;
        Extended YNT, N;
    } rows[] = {
        {2, 2, 2.5L, 1e3L},
        {2, 2, 2.5001L, 0},
        {2, 2, 1.0L, 3e6L},
        {2, 2, 0.85L, 1e10L},
        {2, 2, 1.6L, 49381.14244774368L},
        {3, 1, 2.0L, 40109.88012192689L},
        {3, 1, 2.5L, 1e4L},
        {2, 2, 0.9L, 576756595.4864999L},
        {3, 7, 1.1L, 1e3L},
        {3, 7, 1.11L, 0},
        {6, 0, 1.6L, 1e3L},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(RootCyclesForFactor(r.kind, r.treat, r.YNT), r.N, 1e-9 * r.N + 1e-9)
            << r.kind << "/" << r.treat << " YNT " << r.YNT;
}

TEST_F(StrengthFactors, PittingCyclesOnTheLifeCurves)
{
    const struct {
        int kind, treat, pitting;
        Extended ZNT, Zf, N;
    } rows[] = {
        {2, 2, 0, 1.6L, 1, 1e5L},
        {2, 2, 0, 1.61L, 1, 0},
        {2, 2, 0, 1.0L, 1, 5e7L},
        {2, 2, 0, 0.85L, 1, 1e10L},
        {2, 2, 0, 1.3L, 1, 1557247.4847496815L},
        // the other influence factors act in full at the endurance point and
        // not at all at the static one
        {2, 2, 0, 1.3L, 0.9L, 2939328.045324595L},
        {2, 2, 0, 1.0L, 0.9L, 5e7L},
        {2, 2, 1, 1.6L, 1, 6e5L},
        {2, 2, 1, 1.3L, 1, 1e7L},
        {2, 2, 1, 1.0L, 1, 1e9L},
        {3, 7, 0, 1.1L, 1, 1e5L},
        {3, 7, 0, 1.0L, 1, 2e6L},
        {3, 5, 0, 1.3L, 1, 1e5L},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(PittingCyclesForFactor(r.kind, r.treat, r.pitting, r.ZNT, r.Zf, 1), r.N,
                    1e-9 * r.N + 1e-9)
            << r.kind << "/" << r.treat << " ZNT " << r.ZNT << " Zf " << r.Zf;
}

TEST_F(StrengthFactors, LifeFromSafety)
{
    Extended NL = -1;
    EXPECT_NEAR(RootLifeFromSafety(2, 2, NL, 1 / 0.85L, 1000, 1), 1e10L / 60000, 1e-3);
    EXPECT_EQ(NL, 1e10L);
    EXPECT_NEAR(PittingLifeFromSafety(2, 2, 0, 1 / 0.85L, 1000, 1, 1, 1, NL), 1e10L / 60000, 1e-3);
    EXPECT_EQ(NL, 1e10L);
    // SF 0.625 needs YNT 1.6: 49381 cycles, 3 contacts per turn at 500 1/min.
    EXPECT_NEAR(RootLifeFromSafety(2, 2, NL, 0.625L, -500, 3), 49381.14244774368L / 30000 / 3, 1e-9);
    EXPECT_NEAR(NL, 49381.14244774368L, 1e-6);
    // A gear at rest: cycles are still read off, hours are not divided by zero.
    EXPECT_EQ(RootLifeFromSafety(2, 2, NL, 0.625L, 0, 1), 0);
    EXPECT_NEAR(NL, 49381.14244774368L, 1e-6);
    EXPECT_EQ(PittingLifeFromSafety(2, 2, 0, 0.8L, 0, 1, 1, 1, NL), 0);
    // No stress figure at all (safety 0): no cycles.
    EXPECT_EQ(RootLifeFromSafety(2, 2, NL, 0, 1000, 1), 0);
    EXPECT_EQ(NL, 0);
}

} // namespace

// The kept tangent of the working pressure angle answers for the angle asked:
// meshes and load steps alternate between angles, and a tangent kept for
// another one would show. tan 20 deg = 0.3639702, tan 25 deg = 0.4663077.
TEST_F(StrengthFactors, WorkingAngleTangentKeptWithinACalculationFollowsTheAngle)
{
    const TArcInvoluteMemo calculation;
    for (int round = 0; round < 2; ++round) {
        EXPECT_NEAR(static_cast<double>(TanOfWorkingAngle(DegToRad(20))), 0.3639702, 1e-7);
        EXPECT_NEAR(static_cast<double>(TanOfWorkingAngle(DegToRad(25))), 0.4663077, 1e-7);
        // The sign of a zero angle is the tangent's sign.
        EXPECT_FALSE(std::signbit(TanOfWorkingAngle(0.0L)));
        EXPECT_TRUE(std::signbit(TanOfWorkingAngle(-0.0L)));
    }
}
