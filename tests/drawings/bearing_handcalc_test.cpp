// Sections of the shipped rows 6206 and NU206 read back from the DXF file,
// against values worked by hand:
//   6206: d 30, D 62, B 16, rs 1.1, d1 39.6, D1 52.4; ri 15, ra 31, r1 19.8,
//   r2 26.2; rm = 23; m = min(0.65*16, 0.85*16) = 10.4; rw = round(52)/10
//   = 5.2; to = 5.2 - (26.2 - 23) = 2.0, ti = 5.2 - (23 - 19.8) = 2.0;
//   groove q = 3.2/5.2, half chord e = sqrt(5.2^2 - 3.2^2) = 4.09878,
//   included angle 2 acos q = 104.04 deg, bulge tan(26.01 deg) = 0.48795.
//   NU206: d 30, D 62, B 16, rs 1.1: e = 16/6 = 2.66667, yi = 15 + 3.2 =
//   18.2, yo = 31 - 3.2 = 27.8, L = 16 - 5.33333 = 10.66667, k = 0.02*16 +
//   0.4 = 0.72, yr = 27.8 - 1.76 = 26.04.
#include "bearingtestsupport.h"

using namespace bearingtest;

namespace
{

class BearingHandCalc : public BearingFixture
{
};

TEST_F(BearingHandCalc, GrooveBallBearing6206)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    const WaelzLagerTyp r = RecordByDesignation(1, "rikula", "6206");
    ASSERT_DOUBLE_EQ(static_cast<double>(r.CatValue2), 1.1);
    const TDxfView v = Read(WriteBlock([&] { BearingDraw(r, 1); }));
    ASSERT_FALSE(v.lines.empty());
    EXPECT_EQ(v.lines[0], "audit errors=0 fixes=0");

    // Balls at (8, +-23), radius 5.2.
    const auto circles = v.Of("CIRCLE", "5");
    ASSERT_EQ(circles.size(), 2u);
    for (const auto& c : circles) {
        EXPECT_NEAR(c.v[0], 8, 1e-9);
        EXPECT_NEAR(std::fabs(c.v[1]), 23, 1e-9);
        EXPECT_NEAR(c.v[2], 5.2, 1e-9);
    }

    // Upper outer ring.
    const auto outer = PolylineFrom(v, 0, 26.2);
    const double quarter = Bulge(-M_PI / 2);
    const double expect[][3] = {
        {0, 26.2, 0},  {0, 29.9, quarter},       {1.1, 31, 0},      {14.9, 31, quarter}, {16, 29.9, 0},
        {16, 26.2, 0}, {12.0988, 26.2, 0.48795}, {3.9012, 26.2, 0}, {0, 26.2, 0}};
    ASSERT_EQ(outer.size(), 27u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_NEAR(outer[3 * i], expect[i][0], 5e-5) << "vertex " << i;
        EXPECT_NEAR(outer[3 * i + 1], expect[i][1], 5e-5) << "vertex " << i;
        EXPECT_NEAR(outer[3 * i + 2], expect[i][2], 5e-6) << "vertex " << i;
    }
    EXPECT_NEAR(4 * std::atan(outer[20]) * 180 / M_PI, 104.04, 0.005);

    // Inner ring groove of the same depth ti = 2.0, cut the other way.
    const auto inner = PolylineFrom(v, 0, 19.8);
    EXPECT_TRUE(HasVertex(inner, 12.0988, 19.8, -0.48795));
    EXPECT_TRUE(HasVertex(inner, 3.9012, 19.8, 0));

    // Hatch lines: the outer rings (beyond the pitch circle) at +45
    // degrees, the inner rings at -45, in both halves.
    int outerLines = 0, innerLines = 0;
    for (const auto& l : v.Of("LINE", "3")) {
        const double dx = l.v[2] - l.v[0], dy = l.v[3] - l.v[1];
        ASSERT_GT(std::fabs(dx), 1e-9);
        const double slope = dy / dx;
        if (std::fabs((l.v[1] + l.v[3]) / 2) > 23) {
            EXPECT_NEAR(slope, 1, 1e-9);
            ++outerLines;
        } else {
            EXPECT_NEAR(slope, -1, 1e-9);
            ++innerLines;
        }
    }
    EXPECT_GT(outerLines, 10);
    EXPECT_GT(innerLines, 10);
}

TEST_F(BearingHandCalc, CylindricalRollerBearingNU206)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    const WaelzLagerTyp r = RecordByDesignation(5, "zyrola", "NU206");
    EXPECT_EQ(CylindricalRollerDesign(r.Designation), 1);
    const TDxfView v = Read(WriteBlock([&] { BearingDraw(r, 1); }));
    ASSERT_FALSE(v.lines.empty());
    EXPECT_EQ(v.lines[0], "audit errors=0 fixes=0");
    const double e = 16.0 / 6, yi = 18.2, yo = 27.8, L = 16 - 2 * e, k = 0.72, yr = 26.04;

    // Roller corner arcs: centres e + k and B - e - k, yo - k and yi + k.
    int corners = 0;
    for (const auto& a : v.Of("ARC", "5")) {
        EXPECT_NEAR(a.v[2], k, 1e-9);
        const bool x = std::fabs(a.v[0] - (e + k)) < 1e-9 || std::fabs(a.v[0] - (16 - e - k)) < 1e-9;
        const bool y =
            std::fabs(std::fabs(a.v[1]) - (yo - k)) < 1e-9 || std::fabs(std::fabs(a.v[1]) - (yi + k)) < 1e-9;
        corners += x && y;
    }
    EXPECT_EQ(corners, 8);

    // Centre line overhangs the roller by L/10 at the pitch radius 23.
    bool centre = false;
    for (const auto& l : v.Of("LINE", "1"))
        centre |= std::fabs(l.v[0] - (e - 0.1 * L)) < 1e-9 && std::fabs(l.v[2] - (16 - e + 0.1 * L)) < 1e-9 &&
                  std::fabs(l.v[1] - 23) < 1e-9;
    EXPECT_TRUE(centre);

    // Design 1: ribbed outer ring from yr, its track at yo; plain inner
    // ring with its track at yi.
    const auto outer = PolylineFrom(v, 0, yr);
    ASSERT_FALSE(outer.empty());
    EXPECT_TRUE(HasVertex(outer, 16 - e, yr, 0));
    EXPECT_TRUE(HasVertex(outer, 16 - e, yo - k, Bulge(M_PI / 2)));
    EXPECT_TRUE(HasVertex(outer, 16 - e - k, yo, 0));
    EXPECT_TRUE(HasVertex(outer, e + k, yo, Bulge(M_PI / 2)));
    const double v12 = std::tan(12 * M_PI / 180) * e;
    const auto inner = PolylineFrom(v, 0, yi - v12);
    ASSERT_FALSE(inner.empty());
    EXPECT_TRUE(HasVertex(inner, 16 - e, yi, 0));
    EXPECT_TRUE(HasVertex(inner, e, yi, 0));
}

TEST(BearingDesign, CylindricalRollerDesignFromUpperCasedDesignation)
{
    const struct {
        const char* designation;
        int design;
    } cases[] = {{"NU206", 1}, {"nu206", 1}, {"nup206", 4}, {"NUP206", 4}, {"NJ206", 3},
                 {"nj206", 3}, {"N 206", 2}, {"NN3006", 2}, {"", 2},       {"N", 2}};
    for (const auto& c : cases)
        EXPECT_EQ(CylindricalRollerDesign(c.designation), c.design) << c.designation;
}

TEST(BearingDesign, PositiveIntPowerGivesTheHalfSign)
{
    EXPECT_EQ(PositiveIntPower(-1, 0), 1);
    EXPECT_EQ(PositiveIntPower(-1, 1), -1);
    EXPECT_EQ(PositiveIntPower(-1, 2), 1);
    EXPECT_EQ(PositiveIntPower(2.5L, 3), 15.625L);
    EXPECT_EQ(PositiveIntPower(7, -2), 1);
}

} // namespace
