// The ISO 286 tolerance unit and the carrier details. Expected values are
// worked by hand: 0.4 (0.45 D^(1/3) + 0.001 D) up to 500 mm, 0.4 (0.004 D
// + 2.1) above; the planet sets of the default stage at 2 pi i / q (three
// sets on a ring and sun whose tooth difference q divides), each inner
// planet on |rI| turned from its outer planet by the offset angle.
#include "productiontestsupport.h"

#include "drawings/production/carrierdetails.h"
#include "drawings/production/isotolerance.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "graphics/cad/caddeviceregistry.h"

#include <algorithm>
#include <map>

namespace
{

struct TIsoCase {
    const char* Name;
    double D;
    double Unit;
};

class IsoUnit : public ::testing::TestWithParam<TIsoCase>
{
};

// The boundary 500 belongs to the cube-root branch; a step past it jumps to
// the linear one. A formula swapped at the boundary fails one of the two.
TEST_P(IsoUnit, MatchesTheStandardFactorTimesFourTenths)
{
    const TIsoCase c = GetParam();
    EXPECT_NEAR(static_cast<double>(IsoToleranceUnit(c.D)), c.Unit, 5e-7);
    EXPECT_NEAR(static_cast<double>(IsoToleratedSize(c.D)), c.D + c.Unit, 5e-7);
}

INSTANTIATE_TEST_SUITE_P(Carrier, IsoUnit,
                         ::testing::Values(TIsoCase{"d500", 500, 1.628661},
                                           TIsoCase{"d500_001", 500.001, 1.640002},
                                           TIsoCase{"d50", 50, 0.683126}, TIsoCase{"zero", 0, 0}),
                         [](const auto& I) { return std::string(I.param.Name); });

class CarrierDetail : public CadLogFixture
{
};

TEST_F(CarrierDetail, LinkIsAnOblongWithHalfCirclesAndTwoBores)
{
    Open();
    DrawCarrierLink(10, 15, 20, 100);
    Close();
    const auto v = Calls("vertex");
    const double expected[5][3] = {{0, 20, 1}, {0, -20, 0}, {100, -20, 1}, {100, 20, 0}, {0, 20, 0}};
    ASSERT_EQ(v.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(v[k].V[0], expected[k][0], 1e-12);
        EXPECT_NEAR(v[k].V[1], expected[k][1], 1e-12);
        // Bulge tan(pi / 4) = 1: a half circle to the next vertex.
        EXPECT_NEAR(v[k].V[2], expected[k][2], 1e-12);
        EXPECT_EQ(v[k].Layer, 5);
    }
    const auto c = Calls("circle");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].V, (std::vector<double>{0, 0, 10}));
    EXPECT_EQ(c[1].V, (std::vector<double>{100, 0, 15}));
}

TEST_F(CarrierDetail, RingFormsDrawTheirTwoCircles)
{
    Open();
    DrawBoreRingDetail(2, 30, 50, -4); // circle 30 + 4, filled 50 - 2
    DrawHubRingDetail(12, 40, -5);     // circle 40 + 5, filled 12
    Close();
    const auto c = Calls("circle");
    ASSERT_EQ(c.size(), 4u);
    EXPECT_DOUBLE_EQ(c[0].V[2], 34);
    EXPECT_DOUBLE_EQ(c[1].V[2], 48);
    EXPECT_DOUBLE_EQ(c[2].V[2], 45);
    EXPECT_DOUBLE_EQ(c[3].V[2], 12);
    EXPECT_EQ(c[2].Layer, 5);
}

// Four slots in a ring of radius 10 with slot width 2: every sector starts
// at the ring point R (cos, sin)(i pi/2 - asin 0.2), seven vertices a sector
// (each slot arc is a run and an arc: two vertices; 4 x 7 - 3 shared ones),
// and the centre circle closes the picture. No slot count or no ring:
// nothing at all instead of a division by zero.
TEST_F(CarrierDetail, SlottedRingSectorsAndDegenerateInput)
{
    Open();
    DrawSlottedRingDetail(4, 3, 10, 0, 0, 2, 0, 1.5, -14, 0.2, 0.3, 0);
    const auto v = Calls("vertex");
    ASSERT_EQ(v.size(), 25u);
    const double phi = std::asin(0.2);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const double t = i * M_PI / 2;
        EXPECT_NEAR(v[6 * i].V[0], 10 * std::cos(t - phi), 1e-9);
        EXPECT_NEAR(v[6 * i].V[1], 10 * std::sin(t - phi), 1e-9);
        EXPECT_NEAR(v[6 * i + 6].V[0], 10 * std::cos(t + M_PI / 2 - phi), 1e-9);
    }
    for (const auto& x : v)
        for (double d : x.V)
            EXPECT_TRUE(std::isfinite(d));
    ASSERT_EQ(Calls("circle").size(), 1u);
    EXPECT_DOUBLE_EQ(Calls("circle")[0].V[2], 3);

    CadCallLog().clear();
    DrawSlottedRingDetail(0, 3, 10, 0, 0, 2, 0, 1.5, 14, 0.2, 0.3, 0);
    DrawSlottedRingDetail(-2, 3, 10, 0, 0, 2, 0, 1.5, 14, 0.2, 0.3, 0);
    DrawSlottedRingDetail(4, 3, 0, 0, 0, 2, 0, 1.5, 14, 0.2, 0.3, 0);
    Close();
    EXPECT_TRUE(Calls("vertex").empty());
    EXPECT_TRUE(Calls("circle").empty());
}

class PlanetSpacing : public DefaultStageCad
{
  protected:
    struct TArgs {
        int zH, zS, zPe, zPi, q;
        Extended mn, beta, rI, rE, offset;
    };
    static TArgs DefaultArgs()
    {
        const auto& g = PlanetaryGears;
        TArgs a{};
        a.zS = g.z[1];
        a.zPi = g.z[2];
        a.zPe = g.z[3];
        a.zH = g.z[4];
        a.q = GearPair.qp;
        a.mn = GearPair.mn;
        a.beta = DegToRad(GearPair.beta);
        a.rI = g.aInUse[1];
        a.rE = g.aInUse[3];
        // The angle at the stage centre between the two planets of a set,
        // from the triangle of the three centre distances.
        const Extended r1 = std::fabs(g.aInUse[1]), r3 = std::fabs(g.aInUse[3]), a2 = std::fabs(g.aInUse[2]);
        a.offset = std::acos((r1 * r1 + r3 * r3 - a2 * a2) / (2 * r1 * r3));
        return a;
    }
    static void Draw(const TArgs& a)
    {
        DrawPlanetSpacingDetail(a.zH, a.zS, a.zPe, a.mn, a.beta, a.rI, a.rE, a.offset, a.zPi, a.q);
    }
};

TEST_F(PlanetSpacing, DefaultStageSetsLabelsAndAngles)
{
    const TArgs a = DefaultArgs();
    ASSERT_EQ(a.q, 3);
    ASSERT_EQ((-a.zH - a.zS) % a.q, 0) << "the hand values assume equally spaced sets";
    Open();
    Draw(a);
    Close();

    std::map<std::string, TCadCall> texts;
    for (const auto& t : Calls("text"))
        texts[t.Text] = t;
    const Extended L = 0.4L * a.mn * a.zPe + 1.2L * std::fabs(a.rE);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const double theta = 2 * M_PI * i / 3;
        const std::string e = std::to_string(i + 1) + "e", in = std::to_string(i + 1) + "i";
        ASSERT_TRUE(texts.count(e) && texts.count(in));
        EXPECT_NEAR(texts[e].V[0], std::fabs(a.rE) * std::cos(theta), 1e-9);
        EXPECT_NEAR(texts[e].V[1], std::fabs(a.rE) * std::sin(theta), 1e-9);
        EXPECT_NEAR(texts[in].V[0], std::fabs(a.rI) * std::cos(theta + a.offset), 1e-9);
        EXPECT_NEAR(texts[in].V[1], std::fabs(a.rI) * std::sin(theta + a.offset), 1e-9);
        EXPECT_EQ(texts[e].Layer, 4);
    }

    // Arcs of radius L step 120 degrees from set to set; arcs of 0.94 L
    // span each set's offset angle from its outer planet.
    int spacing = 0, offsets = 0;
    const double off = static_cast<double>(RadToDeg(a.offset));
    for (const auto& c : Calls("arc")) {
        double span = c.V[3] - c.V[2];
        while (span < 0)
            span += 360;
        if (std::fabs(c.V[4] - static_cast<double>(L)) < 1e-9) {
            ++spacing;
            EXPECT_NEAR(span, 120, 1e-9);
        } else if (std::fabs(c.V[4] - 0.94 * static_cast<double>(L)) < 1e-9) {
            ++offsets;
            EXPECT_NEAR(span, off, 1e-9);
        }
    }
    EXPECT_EQ(spacing, 3);
    EXPECT_EQ(offsets, 3);
    // The spacing dimension reads 120 degrees in the configured angle form.
    const auto all = Calls("text");
    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                            [](const TCadCall& t) { return t.Text == TrimBlanks(AngleToText(120)); }),
              3);
}

// A ring or outer centre circle given positive draws the same; no planet
// set draws only the centre lines and circles.
TEST_F(PlanetSpacing, SignsOfRingAreIgnoredAndNoSetsDrawOnlyCircles)
{
    TArgs a = DefaultArgs();
    auto record = [&](const TArgs& x) {
        CadCallLog().clear();
        Draw(x);
        std::vector<std::string> out;
        for (const auto& c : CadCallLog()) {
            std::ostringstream s;
            s.precision(12);
            s << c.Kind << c.Layer << c.Text;
            for (double d : c.V)
                s << " " << d;
            out.push_back(s.str());
        }
        return out;
    };
    Open();
    a.zH = -std::abs(a.zH);
    a.rE = -std::fabs(a.rE);
    const auto negative = record(a);
    a.zH = -a.zH;
    a.rE = -a.rE;
    EXPECT_EQ(record(a), negative);

    a.q = 0;
    record(a);
    EXPECT_EQ(Calls("line").size(), 2u);
    EXPECT_EQ(Calls("circle").size(), 2u);
    EXPECT_TRUE(Calls("text").empty());
    Close();
}

} // namespace

namespace
{

// All five details into one DXF: the polylines with their half-circle
// bulges, the angle dimensions and the filled circles pass ezdxf's
// auditor and every coordinate is a number.
TEST_F(PlanetSpacing, DetailsPassTheDxfAuditor)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    RegisterCadWriters();
    {
        TCadOutputScope scope;
        CadOpenOutput(1);
        ASSERT_FALSE(telmvar.Aborted);
        CadBeginDrawing(-200, -200, 400, 200, 0);
        CadWriteTables(2);
        CadBeginEntities();
        Draw(DefaultArgs());
        SetCadOffset(250, 0);
        DrawSlottedRingDetail(3, 10, 40, 0, 0, 8, 0, 6, 55, 0.3L, 0.4L, 0);
        DrawBoreRingDetail(5, 30, 60, -8);
        DrawHubRingDetail(12, 45, 3);
        SetCadOffset(0, -150);
        DrawCarrierLink(15, 20, 40, 120);
        SetCadOffset(0, 0);
        CadDeviceReady();
        CadEndSection();
        CadCloseOutput();
    }
    const std::string out = RunPython("tablesdxf.py", dir_ + "/drawing.dxf");
    EXPECT_NE(out.find("audit errors=0 fixes=0\n"), std::string::npos) << out;
    EXPECT_NE(out.find("nonfinite 0\n"), std::string::npos) << out;
    EXPECT_NE(out.find("count POLYLINE 5 2\n"), std::string::npos) << out;
    EXPECT_NE(out.find("count ARC 3 "), std::string::npos) << out;
}

} // namespace
