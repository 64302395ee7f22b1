// Edge cases of the bearing sections, each against a hand-worked value:
// groove depth limits of the grooved rings, the ball size rule's tie, the
// overlapping rows of the self-aligning ball bearing, sharp corners, the
// spherical roller bearing's face rounding and missed raceway, the taper
// roller bearing's derived corner and parallel roller, the needle cage's
// rounded-off hatch spacing, unknown type codes, HatchMode after an early
// end, and degenerate records that must not put a non-number into the CAD
// layer or add a message.
#include "bearingtestsupport.h"

using namespace bearingtest;

namespace
{

class BearingEdge : public BearingFixture
{
  protected:
    // D 62, d 30, B 16, rs 1.1, d1 39.6, D1 52.4: the 6206 family.
    static TBearingDrawingData Base(int Type)
    {
        TBearingDrawingData b;
        b.TypeCode = Type;
        b.Designation = "X";
        b.D = 62;
        b.d = 30;
        b.B = 16;
        b.rs = 1.1L;
        b.d1 = 39.6L;
        b.D1 = 52.4L;
        return b;
    }
    TDxfView Draw(const TBearingDrawingData& b, const std::string& Args = "")
    {
        return Read(WriteBlock([&] { BearingDraw(b, 1); }), Args);
    }
};

TEST_F(BearingEdge, GrooveDeeperThanTheBallIsCutAtTheBallRadiusBelowOnly)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    // r 2, t 3 at y0 10, w 10. Below: t := 2, q = 0, half chord 2, a half
    // circle (bulge -1). Above: q = -0.5, 240 degrees (bulge tan 60),
    // half chord sqrt(4 - 1).
    const TDxfView below = Read(WriteBlock([] { DrawGroovedRingBelow(0, 10, 2, 0.5L, 3, 10, 3); }));
    const auto pb = PolylineFrom(below, 0, 10);
    EXPECT_TRUE(HasVertex(pb, 7, 10, -1));
    EXPECT_TRUE(HasVertex(pb, 3, 10, 0));
    const TDxfView above = Read(WriteBlock([] { DrawGroovedRingAbove(0, 10, 2, 0.5L, 3, 10, 3); }));
    const auto pa = PolylineFrom(above, 0, 10);
    EXPECT_TRUE(HasVertex(pa, 5 + std::sqrt(3.0), 10, std::sqrt(3.0)));
    EXPECT_TRUE(HasVertex(pa, 5 - std::sqrt(3.0), 10, 0));
}

TEST_F(BearingEdge, GrooveThatCannotBeFormedLeavesAClosedHatchedRingWithAStraightLand)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    ClearErrorMessages();
    // t 5 for r 2: q = -1.5.
    const TDxfView v = Read(WriteBlock([] { DrawGroovedRingAbove(0, 10, 2, 0.5L, 3, 10, 5); }));
    EXPECT_TRUE(CollectedMessages().empty());
    const auto p = PolylineFrom(v, 0, 10);
    const double quarter = Bulge(-M_PI / 2);
    const std::vector<double> expect = {0,       10, 0,    0, 12.5, quarter, 0.5, 13, 0,  9.5, 13,
                                        quarter, 10, 12.5, 0, 10,   10,      0,   0,  10, 0};
    ASSERT_EQ(p.size(), expect.size());
    for (size_t i = 0; i < p.size(); ++i)
        EXPECT_NEAR(p[i], expect[i], 1e-9) << i;
    EXPECT_FALSE(v.Of("LINE", "3").empty());
    // A ball radius of 0 draws nothing.
    const TDxfView none = Read(WriteBlock([] { DrawGroovedRingBelow(0, 10, 0, 0.5L, 3, 10, 1); }));
    EXPECT_TRUE(none.entities.empty());
}

TEST_F(BearingEdge, BallSizeTieTakesTheWidthRule)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    // ra - ri = 17: 0.65 * 17 = 11.05 = 0.85 * 13; rw = round(55.25)/10.
    TBearingDrawingData b = Base(1);
    b.D = 64;
    b.B = 13;
    b.D1 = 54;
    b.d1 = 40;
    const TDxfView v = Draw(b);
    const auto c = v.Of("CIRCLE", "5");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_NEAR(c[0].v[0], 6.5, 1e-9);
    EXPECT_NEAR(std::fabs(c[0].v[1]), 23.5, 1e-9);
    EXPECT_NEAR(c[0].v[2], 5.5, 1e-9);
}

TEST_F(BearingEdge, SelfAligningBallBearingRows)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    // alpha 0: both rows at B/2 = 8, rw = 0.25 * 16 = 4, beta = acos(0) =
    // 90: the first ball visible from 90 to 270, hidden from 270 to 90.
    TBearingDrawingData b = Base(2);
    const TDxfView v0 = Draw(b);
    int visible = 0, hidden = 0;
    for (const auto& a : v0.Of("ARC", "5"))
        visible += std::fabs(a.v[0] - 8) < 1e-9 && std::fabs(a.v[2] - 4) < 1e-9 &&
                   std::fabs(a.v[3] - 90) < 1e-7 && std::fabs(a.v[4] - 270) < 1e-7;
    for (const auto& a : v0.Of("ARC", "2"))
        hidden +=
            std::fabs(a.v[0] - 8) < 1e-9 && std::fabs(a.v[3] - 270) < 1e-7 && std::fabs(a.v[4] - 90) < 1e-7;
    EXPECT_EQ(visible, 2);
    EXPECT_EQ(hidden, 2);

    // alpha 10: e = 8 - tan 10 * 23 = 3.944473 below 4: rw = 0.95 e.
    b.alpha = 10;
    const double e = 8 - std::tan(10 * M_PI / 180) * 23;
    const TDxfView v10 = Draw(b);
    int first = 0;
    for (const auto& c : v10.Of("CIRCLE", "5"))
        first += std::fabs(c.v[0] - e) < 1e-9 && std::fabs(c.v[2] - 0.95 * e) < 1e-9;
    EXPECT_EQ(first, 2);
}

TEST_F(BearingEdge, AngularContactOuterRingWithoutSecondCornerHasASharpCorner)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    TBearingDrawingData b = Base(8);
    b.rs2 = 0;
    const TDxfView v = Draw(b);
    const auto p = PolylineFrom(v, 0, 26.2);
    ASSERT_GE(p.size(), 15u);
    // (w - c2, R) and (w, R - c2) coincide at (16, 31): one vertex.
    EXPECT_NEAR(p[9], 16, 1e-9);
    EXPECT_NEAR(p[10], 31, 1e-9);
    EXPECT_FALSE(std::fabs(p[12] - 16) < 1e-9 && std::fabs(p[13] - 31) < 1e-9) << "the corner twice";
}

TEST_F(BearingEdge, SphericalRollerFaceRoundingAndMissedRaceway)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    TBearingDrawingData b = Base(7);
    b.alpha = 10;
    // g = 0.5 up to B = 33.33, else 0.015 B: the outer ring starts at r2 + g.
    for (const auto& [B, g] : {std::pair{33.33, 0.5}, std::pair{40.0, 0.6}}) {
        b.B = B;
        const TDxfView v = Draw(b);
        EXPECT_FALSE(PolylineFrom(v, 0, 26.2 + g).empty()) << B;
        EXPECT_FALSE(PolylineFrom(v, 0, -(26.2 + g)).empty()) << B;
    }
    // alpha 0, B 55: Rs = 23 + 4 = 27, the raceway centre lies at x = 27.5,
    // farther from the face than Rs: the inner ring keeps a land at r1, or
    // at rm - hr/2 = 19 without a land diameter.
    b.B = 55;
    b.alpha = 0;
    ClearErrorMessages();
    for (const auto& [d1, land] : {std::pair{39.6, 19.8}, std::pair{0.0, 19.0}}) {
        b.d1 = d1;
        const TDxfView v = Draw(b, "check 55 31");
        const auto p = PolylineFrom(v, 0, 15 + 1.1);
        EXPECT_TRUE(HasVertex(p, 0, land, 0)) << d1;
        EXPECT_TRUE(HasVertex(p, 55, land, 0)) << d1;
        EXPECT_TRUE(v.Has("check failures 0")) << d1;
    }
    EXPECT_TRUE(CollectedMessages().empty());
}

TEST_F(BearingEdge, TaperRollerDerivedCornerAndParallelRoller)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    // 30206: T 17.25, B 16, C 14, rs 1.1. rs3 = 0: c3 = 0.07 * min(16,
    // 17.25) = 1.12; the cup's outer corner starts at C - c3.
    WaelzLagerTyp r = RecordByDesignation(6, "kerola", "30206");
    TBearingDrawingData b = BearingDrawingData(r);
    ASSERT_DOUBLE_EQ(static_cast<double>(b.T), 17.25);
    ASSERT_DOUBLE_EQ(static_cast<double>(b.OuterRingWidth), 14);
    ASSERT_DOUBLE_EQ(static_cast<double>(b.B), 16);
    for (const auto& [rs3, c3] : {std::pair{0.0, 1.12}, std::pair{0.5, 0.5}}) {
        b.rs3 = rs3;
        const TDxfView v = Draw(b);
        bool corner = false;
        for (const auto& p : v.Of("POLYLINE", "5"))
            corner |= HasVertex(p.v, 14 - c3, 31, Bulge(-M_PI / 2));
        EXPECT_TRUE(corner) << rs3;
    }
    // alpha 2: the roller axis (alpha - 2) is parallel to the bearing axis
    // and the centre line, at (alpha + alpha - 4)/2 = 0, is horizontal.
    b.alpha = 2;
    const TDxfView v = Draw(b, "check 17.25 31");
    const auto centre = v.Of("LINE", "1");
    ASSERT_EQ(centre.size(), 2u);
    for (const auto& l : centre)
        EXPECT_NEAR(l.v[1], l.v[3], 1e-9);
    EXPECT_TRUE(v.Has("check failures 0"));
}

TEST_F(BearingEdge, SmallNeedlesGetTheHatchersOwnSpacing)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    // K10x13x10: needle 1.5, round(0.15) = 0: still hatched.
    const WaelzLagerTyp r = RecordByDesignation(10, "nadelk", "K10x13x10");
    const TDxfView v = Read(WriteBlock([&] { BearingDraw(r, 1); }));
    EXPECT_GE(v.Of("LINE", "3").size(), 8u);
}

TEST_F(BearingEdge, UnknownTypeWritesOnlyTheDesignation)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    for (int type : {0, 11, -1}) {
        TBearingDrawingData b = Base(type);
        b.Designation = "6206";
        const TDxfView v = Draw(b);
        ASSERT_EQ(v.entities.size(), 1u) << type;
        const TEntity& t = v.entities[0];
        EXPECT_EQ(t.type, "TEXT");
        EXPECT_EQ(t.layer, "19");
        EXPECT_EQ(t.text, "6206");
        EXPECT_NEAR(t.v[0], 0, 1e-9);
        EXPECT_NEAR(t.v[1], 0.51 * 62, 1e-9);
        EXPECT_NEAR(t.v[2], 62.0 / 35, 1e-9);
    }
}

TEST_F(BearingEdge, HatchModeIsOneAfterEveryEarlyEnd)
{
    // Early ends at an angle of 90 degrees (types 2, 6, 7), in the needle
    // bush's mode-2 hatching when the hatcher aborts, and on Aborted.
    for (int type : {2, 6, 7}) {
        TBearingDrawingData b = Base(type);
        b.alpha = 90;
        b.T = 17.25L;
        b.OuterRingWidth = 14;
        SetHatchMode(2);
        WriteBlock([&] { BearingDraw(b, 1); });
        EXPECT_EQ(hatchstate.HatchMode, 1) << type;
    }
    for (int type : {1, 5}) {
        SetHatchMode(2);
        WriteBlock([&] {
            telmvar.Aborted = true;
            BearingDraw(Base(type), 1);
        });
        EXPECT_EQ(hatchstate.HatchMode, 1) << type;
        telmvar.Aborted = false;
    }
}

TEST_F(BearingEdge, CylindricalRollerBearing45Or135WideKeepsItsRings)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    for (double B : {45.0, 135.0}) {
        TBearingDrawingData b = Base(5);
        b.Designation = "NU2345";
        b.B = B;
        b.D = 400;
        b.d = 200;
        const TDxfView v = Draw(b);
        // Two rings per half, each one polyline (hatched without a second
        // outline of chords).
        EXPECT_EQ(v.Of("POLYLINE", "5").size(), 4u) << B;
        EXPECT_FALSE(v.Of("LINE", "3").empty()) << B;
    }
}

// Degenerate records: every type, drawn as computed, with no coordinate
// that is not a number in the file and no message.
struct TDegenerate {
    const char* name;
    Extended D, d, B, rs, d1, D1;
};

class BearingDegenerate : public BearingEdge, public ::testing::WithParamInterface<TDegenerate>
{
};

TEST_P(BearingDegenerate, NoNonNumberReachesTheFileAndNoMessage)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    const TDegenerate c = GetParam();
    for (int type = 1; type <= 10; ++type) {
        TBearingDrawingData b = Base(type);
        b.D = c.D;
        b.d = c.d;
        b.B = c.B;
        b.rs = c.rs;
        b.d1 = c.d1;
        b.D1 = c.D1;
        b.T = c.B;
        b.OuterRingWidth = c.B;
        b.alpha = type == 6 ? 14 : type == 7 ? 10 : 0;
        ClearErrorMessages();
        const TDxfView v = Draw(b, "check 1 1");
        EXPECT_TRUE(CollectedMessages().empty()) << type << " " << CollectedMessages().front().Text;
        ASSERT_FALSE(v.lines.empty());
        EXPECT_EQ(v.lines[0], "audit errors=0 fixes=0") << type;
        for (const auto& l : v.lines)
            if (l.rfind("check nan", 0) == 0) ADD_FAILURE() << type << ": " << l;
        EXPECT_EQ(hatchstate.HatchMode, 1) << type;
    }
}

INSTANTIATE_TEST_SUITE_P(Records, BearingDegenerate,
                         ::testing::Values(TDegenerate{"OuterBelowBore", 20, 30, 16, 1.1L, 39.6L, 52.4L},
                                           TDegenerate{"ZeroWidth", 62, 30, 0, 1.1L, 39.6L, 52.4L},
                                           TDegenerate{"NegativeWidth", 62, 30, -5, 1.1L, 39.6L, 52.4L},
                                           TDegenerate{"ThinCupWall", 62, 30, 16, 0.05L, 39.6L, 52.4L},
                                           TDegenerate{"NoLands", 62, 30, 16, 1.1L, 0, 0},
                                           TDegenerate{"ZeroRoller", 30, 30, 16, 1.1L, 30, 30},
                                           TDegenerate{"AllZero", 0, 0, 0, 0, 0, 0}),
                         [](const ::testing::TestParamInfo<TDegenerate>& i) {
                             return std::string(i.param.name);
                         });

} // namespace
