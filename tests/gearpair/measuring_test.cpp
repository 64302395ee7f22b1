// Measuring ball diameter, teeth spanned and the ball checks. Expected
// values are worked by hand: a ball that touches a spur gear of x = 0 on its
// reference circle has its centre at the pressure angle alpha + pi/(2z), so
// its diameter is db (tan(alpha + pi/(2z)) - tan alpha).

#include "gearpair/measuring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/testmessages.h"
#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"

namespace
{

const Extended alpha20 = DegToRad(20);

class Measuring : public ::testing::Test
{
};

// --- DmMess ---------------------------------------------------------------------

TEST_F(Measuring, BallDiameterRoundedToATenthOfAMillimetre)
{
    struct Row {
        Extended z, betaDeg, x, mn;
        double expected;
        const char* why;
    } rows[] = {
        // 40 cos20 (tan 24.5 - tan 20) = 3.4489
        {20, 0, 0, 2, 3.4, "spur z 20 m 2"},
        // -120 cos20 (tan(20 - 1.5) - tan 20) = 3.3124: the ball of the
        // internal gear is smaller, its space narrows outwards
        {-60, 0, 0, 2, 3.3, "internal z -60 m 2"},
        // helical: virtual z 30 / cos^3.3 15, ball 5.3501
        {30, 15, 0.3L, 3, 5.4, "helical z 30 mn 3"},
    };
    for (const auto& r : rows) {
        const Extended D = DmMess(r.z, DegToRad(r.betaDeg), alpha20, r.x, r.mn);
        EXPECT_NEAR(static_cast<double>(D), r.expected, 1e-12) << r.why;
    }
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
}

TEST_F(Measuring, BallDiameterInTheImperialSystemRoundedToAThousandthInch)
{
    wtelmvar.UnitSystem = 1;
    // 3.4489 mm = 0.13578 in, rounded 0.136 in
    EXPECT_NEAR(static_cast<double>(DmMess(20, 0, alpha20, 0, 2)), 0.136 * 25.4, 1e-12);
}

TEST_F(Measuring, SmallBallDiameterIsNotRounded)
{
    // module 0.1: 2 cos20 (tan 24.5 - tan 20) = 0.172445
    EXPECT_NEAR(static_cast<double>(DmMess(20, 0, alpha20, 0, 0.1L)), 0.1724449122, 1e-9);
}

TEST_F(Measuring, BallDiameterThatCannotBeFormed)
{
    EXPECT_EQ(DmMess(0, 0, alpha20, 0, 2), 0);
    EXPECT_EQ(error0.ErrorCount, 0);
    // A profile shift that moves the measuring circle inside the base
    // circle leaves no pressure angle there.
    EXPECT_EQ(DmMess(20, 0, alpha20, -0.7L, 2), 0);
    EXPECT_TRUE(HasMessage("Fatal  : Diametr.Dim.o.balls DmMess !")) << Messages();
    EXPECT_FALSE(telmvar.FatalCalcError);
}

// --- kmess -----------------------------------------------------------------------

TEST_F(Measuring, TeethSpanned)
{
    struct Row {
        Extended z, betaDeg, x, mn;
        int expected;
        const char* why;
    } rows[] = {
        // z alpha / pi + 1 = 20 * 20/180 + 1 = 3.2
        {20, 0, 0, 2, 3, "spur z 20"},
        {60, 0, 0, 2, 7, "spur z 60"},
        // the internal gear spans as many spaces as the external gear of
        // its size spans teeth, with its sign
        {-20, 0, 0, 2, -3, "internal z -20"},
        {-60, 0, 0, 2, -7, "internal z -60"},
        // z' = 30 inv 20.647 / inv 20 = 33.04; at d + 2 x mn = 94.97 the
        // pressure angle is 22.62 deg: 33.04 * 0.3948 / pi + 1 = 5.15
        {30, 15, 0.3L, 3, 5, "helical z 30"},
        // a large profile shift moves the contact outwards: more teeth
        {20, 0, 1.0L, 2, 4, "spur z 20, x 1"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(kmess(r.z, DegToRad(r.betaDeg), alpha20, r.x, r.mn), r.expected) << r.why;
    // Within a calculation the angle functions are kept: spur and helical
    // rows alternate, and a second pressure angle follows, so angles kept
    // for other arguments would show. 30 * 25/180 + 1 = 5.17.
    const TArcInvoluteMemo calculation;
    for (int round = 0; round < 2; ++round) {
        for (const auto& r : rows)
            EXPECT_EQ(kmess(r.z, DegToRad(r.betaDeg), alpha20, r.x, r.mn), r.expected)
                << r.why << " in a calculation";
        EXPECT_EQ(kmess(30, 0, DegToRad(25), 0, 2), 5) << "alpha 25 in a calculation";
    }
}

// The profile angles a calculation keeps answer for the angles asked, not
// for those kept before: rows alternate between spur and helical and a
// second pressure angle. Involute tables: inv 20 deg = 0.0149044, inv 25 deg
// = 0.0299753; beta 15 deg, alpha 20 deg gives alpha_t = 20.6469 deg
// (inv 0.0164534) and beta_b = 14.0761 deg, from atan(cos alpha_t tan beta)
// as from asin(sin beta cos alpha).
TEST_F(Measuring, ProfileAnglesKeptWithinACalculationFollowTheAnglesAsked)
{
    struct Row {
        Extended betaDeg, alphaDeg, cosBeta, alphatDeg, invAlphan, invAlphat, cosBetab;
        const char* why;
    } rows[] = {
        {0, 20, 1, 20, 0.0149044L, 0.0149044L, 1, "spur 20"},
        // cos 15 deg = (sqrt 6 + sqrt 2) / 4
        {15, 20, 0.9659258L, 20.6469L, 0.0149044L, 0.0164534L, 0.969974L, "helical 15, 20"},
        {0, 25, 1, 25, 0.0299753L, 0.0299753L, 1, "spur 25"},
    };
    const TArcInvoluteMemo calculation;
    for (int round = 0; round < 2; ++round) {
        for (const auto& r : rows) {
            const TProfileAngles a = ProfileAnglesOf(DegToRad(r.betaDeg), DegToRad(r.alphaDeg));
            EXPECT_NEAR(static_cast<double>(RadToDeg(a.Alphat)), static_cast<double>(r.alphatDeg), 1e-4)
                << r.why;
            EXPECT_NEAR(static_cast<double>(a.InvAlphan), static_cast<double>(r.invAlphan), 1e-7) << r.why;
            EXPECT_NEAR(static_cast<double>(a.InvAlphat), static_cast<double>(r.invAlphat), 1e-7) << r.why;
            EXPECT_NEAR(static_cast<double>(a.CosBetab), static_cast<double>(r.cosBetab), 1e-6) << r.why;
            EXPECT_NEAR(static_cast<double>(a.CosBetabOfSine), static_cast<double>(r.cosBetab), 1e-6)
                << r.why;
            EXPECT_NEAR(static_cast<double>(a.CosBeta), static_cast<double>(r.cosBeta), 1e-7) << r.why;
        }
    }
}

TEST_F(Measuring, TeethSpannedWithoutAPressureAngleIsOne)
{
    // x -0.7 puts the circle d + 2 x mn (37.2) inside the base circle (37.59).
    EXPECT_EQ(kmess(20, 0, alpha20, -0.7L, 2), 1);
    EXPECT_EQ(kmess(-20, 0, alpha20, 0.7L, 2), 1);
    EXPECT_FALSE(telmvar.FatalCalcError);
}

TEST_F(Measuring, TeethSpannedOfNoTeethIsFatal)
{
    EXPECT_EQ(kmess(0, 0, alpha20, 0, 2), 0);
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_TRUE(HasMessage("Fatal  : z = 0 !"));
}

// --- CheckBallContactPoint -----------------------------------------------------------

TEST_F(Measuring, BallCentreBelowTheBaseCircle)
{
    // z 20, m 2: inv alphaK = 0.5 / 37.588 - (pi/40 - inv 20) < 0
    CheckBallContactPoint(20, 2, alpha20, 0, 0, 0.5L);
    EXPECT_TRUE(HasMessage("Error  : Dm ball !  (0.5mm)")) << Messages();
}

TEST_F(Measuring, BallCentreAboveTheBaseCircle)
{
    CheckBallContactPoint(20, 2, alpha20, 0, 0, 3.5L);
    CheckBallContactPoint(-60, 2, alpha20, 0, 0, 3.3L);
    CheckBallContactPoint(0, 2, alpha20, 0, 0, 3.5L);
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
}

// --- CheckBallPosition -----------------------------------------------------------------

// Gear z 20, m 2: root 35, tip form 44, tool tip radius 0.5; the ball of
// 3.5 mm sits at sin(pi/20 + alpha) DM = 1.697 below its centre circle.
TEST_F(Measuring, BallPosition)
{
    struct Row {
        int z;
        Extended MdK, MdR;
        const char* expected; // nullptr: no message
        const char* why;
    } rows[] = {
        // the dimension over balls of x = 0: the ball lies well inside
        {20, 44.929L, 44.929L, nullptr, "ball at the reference circle"},
        // 38 - 3.5 - 1.697 = 32.8 < 35 + 2 (1 - sin 20) 0.5 = 35.66
        {20, 38, 38, "Error  : Dm ball !  (3.5mm)", "ball in the root"},
        // 41 - 3.5 - 1.697 = 35.80 clears the fillet, but 41 - 7 < 35
        {20, 41, 41, "Warning: Dm ball   (3.5mm)", "ball touches the root"},
        // pin 50 - 3.5 - 1.697 = 44.8 beyond the tip form circle 44
        {20, 44.929L, 50, "Error  : Dm ball !  (3.5mm)", "pin beyond the tip form"},
    };
    for (const auto& r : rows) {
        ResetFoundationState();
        CheckBallPosition(r.z, r.MdK, r.MdR, 35, 44, 3.5L, alpha20, 0.5L);
        if (r.expected == nullptr) {
            EXPECT_EQ(error0.ErrorCount, 0) << r.why << ": " << Messages();
        } else {
            EXPECT_EQ(error0.ErrorCount, 1) << r.why << ": " << Messages();
            EXPECT_TRUE(HasMessage(r.expected)) << r.why << ": " << Messages();
        }
    }
}

TEST_F(Measuring, BallPositionOfAnOddToothCountUsesTheCentreCircle)
{
    // z 21: 41 - 3.5 = 37.5 would touch the root (warning), but the balls
    // stand off opposite: the centre circle is 37.5 / cos(pi/42) = 37.61.
    // Root 34.05: 37.61 - 3.5 = 34.11 clears it, 37.5 - 3.5 = 34 would not.
    CheckBallPosition(21, 41, 41, 34.05L, 48, 3.5L, alpha20, 0.1L);
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
    CheckBallPosition(20, 41, 41, 34.05L, 48, 3.5L, alpha20, 0.1L);
    EXPECT_TRUE(HasMessage("Warning: Dm ball   (3.5mm)")) << Messages();
}

} // namespace
