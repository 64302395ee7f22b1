// Front views, carrier and axial section of the stage, checked against
// hand-worked places and against the meshing of the teeth: on the line of
// centres a tooth of one wheel must face a tooth space of the other.
//
// Default stage: zS 21, zPi 15, zPe 15, zH -63, mn 6.5, three sets;
// a1 = 117, |a3| = 156, the offset angle arccos(0.78125) = 38.625 deg.
#include "meshphasesupport.h"
#include "productiontestsupport.h"

#include "../graphics/cadvalidators.h"
#include "common/validators.h"
#include "drawings/bearings/bearingdraw.h"
#include "drawings/stage/carrier.h"
#include "drawings/stage/frontviews.h"
#include "drawings/stage/stagesection.h"
#include "drawings/stage/stagewheels.h"
#include "gearpair/assembly.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/graphservices.h"
#include "planetary/bearings/planetbearing.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace
{

constexpr double Deg = 3.14159265358979323846 / 180;

class StageViews : public DefaultStageCad
{
  protected:
    std::vector<TCadCall> Inserts(const std::string& Name) const
    {
        std::vector<TCadCall> r;
        for (const auto& c : CadCallLog())
            if (c.Kind == "insert" && c.Text == Name) r.push_back(c);
        return r;
    }
    // Another stage: tooth numbers and planet sets, recalculated.
    void Stage(int zS, int zPi, int zPe, int zH, int q)
    {
        PlanetaryGears.z[gS] = zS;
        PlanetaryGears.z[gPi] = zPi;
        PlanetaryGears.z[gPe] = zPe;
        PlanetaryGears.z[gH] = zH;
        GearPair.qp = q;
        CalcPlanetaryStage();
        ClearErrorMessages();
    }
};

TEST_F(StageViews, PlanetsStandWhereTheHandWorkedCentresAre)
{
    Open();
    DrawFrontView();
    Close();
    const auto pe = Inserts("RADPE");
    const auto pi = Inserts("RADPI");
    ASSERT_EQ(pe.size(), 3u);
    ASSERT_EQ(pi.size(), 3u);
    const double outer[3][2] = {{0, -156}, {135.100, 78}, {-135.100, 78}};
    const double inner[3][2] = {{73.034, -91.406}, {42.643, 108.952}, {-115.677, -17.546}};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(pe[k].V[0], outer[k][0], 5e-4);
        EXPECT_NEAR(pe[k].V[1], outer[k][1], 5e-4);
        EXPECT_NEAR(pi[k].V[0], inner[k][0], 5e-4);
        EXPECT_NEAR(pi[k].V[1], inner[k][1], 5e-4);
        EXPECT_NEAR(std::hypot(pi[k].V[0] - pe[k].V[0], pi[k].V[1] - pe[k].V[1]), 97.5, 1e-6) << "a(Pi-Pe)";
    }
    // The carrier arms turn with the sets; the sun has no bore: a centre mark.
    const auto arms = Inserts("CARRIER");
    ASSERT_EQ(arms.size(), 3u);
    EXPECT_NEAR(arms[1].V[2], 30, 1e-9);
}

struct TMeshStage {
    const char* Name;
    int zS, zPi, zPe, zH, q;
};

class StageMeshPhase : public StageViews, public ::testing::WithParamInterface<TMeshStage>
{
};

// Tooth centres from the insert angles: the tooth block of an external gear
// has its tooth on +y, the ring's its tooth on -y, and a wheel's k-th
// copy is turned by s/2 - k s (s = 360/z).
TEST_P(StageMeshPhase, EveryToothFacesAToothSpaceOnTheLineOfCentres)
{
    const TMeshStage m = GetParam();
    Stage(m.zS, m.zPi, m.zPe, m.zH, m.q);
    ASSERT_FALSE(telmvar.FatalCalcError);
    Open();
    DrawFrontView();
    Close();
    TStageInserts w;
    const auto ring = Inserts("RADH");
    const auto sun = Inserts("RADS");
    w.Pe = Inserts("RADPE");
    w.Pi = Inserts("RADPI");
    ASSERT_EQ(ring.size(), 1u);
    ASSERT_EQ(sun.size(), 1u);
    ASSERT_EQ(w.Pe.size(), static_cast<size_t>(m.q));
    ASSERT_EQ(w.Pi.size(), static_cast<size_t>(m.q));
    w.Ring = ring[0];
    w.Sun = sun[0];
    const auto sums = MeshPhaseSums(w, m.zS, m.zPi, m.zPe, m.zH);
    for (int k = 0; k < m.q; ++k) {
        SCOPED_TRACE(k);
        EXPECT_LT(FromHalf(sums[k][0]), 1e-9) << "Pe-H";
        EXPECT_LT(FromHalf(sums[k][1]), 1e-9) << "Pi-Pe";
        EXPECT_LT(FromHalf(sums[k][2]), 1e-9) << "S-Pi";
    }
}

INSTANTIATE_TEST_SUITE_P(Stages, StageMeshPhase,
                         ::testing::Values(TMeshStage{"Default", 21, 15, 15, -63, 3},
                                           TMeshStage{"Q3", 20, 16, 18, -74, 3},
                                           TMeshStage{"Q4", 22, 15, 16, -70, 4}),
                         [](const auto& I) { return std::string(I.param.Name); });

// The outer planet's mark reads the pair-gear indicator: a value left by an
// earlier drawing must not move it. zPe 18 (even), zS 20 > zPi 16: indicator
// 1, the mark half a pitch right of straight below (-90 + 10 deg).
TEST_F(StageViews, OuterPlanetMarkDoesNotDependOnWhatWasDrawnBefore)
{
    Stage(20, 16, 18, -74, 3);
    ASSERT_FALSE(telmvar.FatalCalcError);
    std::vector<std::vector<double>> marks[2];
    for (int before : {1, 2}) {
        GearPair.PairGearOrder = static_cast<int16_t>(before);
        Open();
        CadBeginBlocks();
        DefineFrontViewBlocks(1);
        CadEndSection();
        Close();
        for (const auto& c : CadCallLog())
            if (c.Kind == "circle" && c.Layer == 5 && std::fabs(c.V[2] - 0.15 * 6.5) < 1e-12)
                marks[before - 1].push_back(c.V);
    }
    ASSERT_EQ(marks[0].size(), 4u) << "ring, outer planet, inner planet, sun";
    EXPECT_EQ(marks[0], marks[1]);
    const double r = std::hypot(marks[0][1][0], marks[0][1][1]);
    EXPECT_NEAR(std::atan2(marks[0][1][1], marks[0][1][0]) / Deg, -80, 1e-9);
    EXPECT_NEAR(r, std::fabs(static_cast<double>(PlanetaryGears.dw[1][mPeH])) / 2, 1e-9);
    // Inner planet 16 and sun 20 are even: half a pitch left of below.
    EXPECT_NEAR(std::atan2(marks[0][2][1], marks[0][2][0]) / Deg, -90 - 180.0 / 16, 1e-9);
    EXPECT_NEAR(std::atan2(marks[0][3][1], marks[0][3][0]) / Deg, -90 - 180.0 / 20, 1e-9);
    EXPECT_EQ(GearPair.PairGearOrder, 1);
}

TEST_F(StageViews, WheelsWithoutTeethOrAnAbortedDrawingInsertNothing)
{
    Open();
    PlanetaryGears.z[gPi] = 0;
    DrawToothRing(gPi);
    PlanetaryGears.z[gPi] = 15;
    telmvar.Aborted = true;
    DrawToothRing(gPi);
    telmvar.Aborted = false;
    DrawToothRing(gH);
    Close();
    const auto teeth = Inserts("EVOLV4");
    ASSERT_EQ(teeth.size(), 63u);
    // The ring's copies run the other way: 360 + s/2, then a step of -s.
    EXPECT_NEAR(teeth[0].V[2], 360 - 180.0 / 63, 1e-9);
    EXPECT_NEAR(teeth[1].V[2], 360 + 360.0 / 63 - 180.0 / 63, 1e-9);
    EXPECT_TRUE(Inserts("EVOLV2").empty());
    for (const auto& c : CadCallLog())
        for (double v : c.V)
            ASSERT_TRUE(std::isfinite(v)) << c.Kind;
}

// Three sets of the default stage: planet numbers and 120 degree angles;
// four sets do not assemble (63 - 21 = 42) and none: no numbers, no angles,
// and no fatal calculation error from a drawing.
TEST_F(StageViews, DimensionedViewNumbersThePlanetsWhereTheyAssemble)
{
    for (int q : {3, 4, 0}) {
        SCOPED_TRACE(q);
        GearPair.qp = q;
        telmvar.FatalCalcError = false;
        Open();
        DrawDimensionedFrontView();
        Close();
        std::vector<std::string> texts;
        for (const auto& c : CadCallLog())
            if (c.Kind == "text") texts.push_back(c.Text.substr(c.Text.find_first_not_of(' ')));
        if (q == 3) {
            EXPECT_EQ(std::count(texts.begin(), texts.end(), "1"), 1);
            EXPECT_EQ(std::count(texts.begin(), texts.end(), "3"), 1);
            EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                                    [](const std::string& t) { return t.rfind("120", 0) == 0; }),
                      3);
        } else {
            EXPECT_TRUE(texts.empty());
        }
        EXPECT_FALSE(telmvar.FatalCalcError);
    }
}

struct TSectionBearing {
    const char* Name;
    int Type;
    int Count;
    int Arrangement;
    double X1, A1, X2, A2; // expected inserts; NaN: none
};

class SectionBearings : public StageViews, public ::testing::WithParamInterface<TSectionBearing>
{
};

// The outer planet is 60 wide in the default stage (b[3]); bearing width B 16,
// taper total width T 17.25.
TEST_P(SectionBearings, BearingBlocksSitOnThePlanetAsTheirKindWants)
{
    const TSectionBearing c = GetParam();
    auto& r = PlanetBearings[2];
    r.BearingType = c.Type;
    r.Designation = c.Type == 6 ? "30206" : c.Type == 5 ? "NJ 206" : "6206";
    r.d = 30;
    r.D = 62;
    r.B = 16;
    r.CatValue6 = 17.25;
    r.BearingCount = c.Count;
    r.Arrangement = c.Arrangement;
    const double b = static_cast<double>(PlanetaryGears.b[gPe]);
    Open();
    DrawStageSection();
    Close();
    const auto ins = Inserts("LAGER2");
    const std::vector<std::pair<double, double>> want =
        std::isnan(c.X2) ? std::vector<std::pair<double, double>>{{c.X1, c.A1}}
                         : std::vector<std::pair<double, double>>{{c.X1, c.A1}, {c.X2, c.A2}};
    ASSERT_EQ(ins.size(), want.size());
    for (size_t k = 0; k < want.size(); ++k) {
        const double x = want[k].first > 900    ? b / 2 - (want[k].first - 1000)
                         : want[k].first < -900 ? -b / 2 + (want[k].first + 1000)
                                                : want[k].first;
        EXPECT_NEAR(ins[k].V[0], x, 1e-9) << k;
        EXPECT_NEAR(ins[k].V[1], static_cast<double>(PlanetaryGears.aInUse[mPeH]), 1e-9);
        EXPECT_NEAR(ins[k].V[2], want[k].second, 1e-9) << k;
    }
    EXPECT_TRUE(Inserts("LAGER1").empty()) << "no bearing chosen for the inner planet";
}

// X positions: plain numbers are absolute; 1000 + w means b/2 - w, -1000 + w
// means -b/2 + w.
INSTANTIATE_TEST_SUITE_P(
    Section, SectionBearings,
    ::testing::Values(TSectionBearing{"SingleBall", 1, 1, 2, -8, 0, NAN, 0},
                      TSectionBearing{"SingleTaperCentredOnItsTotalWidth", 6, 1, 2, -8.625, 0, NAN, 0},
                      TSectionBearing{"TaperPairO", 6, 2, 2, -1000 + 17.25, 180, 1000 + 17.25, 0},
                      TSectionBearing{"TaperPairX", 6, 2, 1, -1000, 0, 1000, 180},
                      TSectionBearing{"NJPairO", 5, 2, 2, -1000 + 16, 180, 1000 + 16, 0},
                      TSectionBearing{"BallPairSideBySide", 1, 2, 2, -1000, 0, 1000 + 16, 0}),
    [](const auto& I) { return std::string(I.param.Name); });

// Ring faces: narrower than the sun only from the outside down to the sun's
// tip circle; the lower tip line only beside a narrower outer planet.
TEST_F(StageViews, RingSectionFollowsTheFaceWidths)
{
    auto& g = PlanetaryGears;
    hatchstate.HatchRandSeed = 7;
    for (int narrow : {0, 1}) {
        SCOPED_TRACE(narrow);
        g.b[gH] = narrow ? g.b[gS] - 10 : g.b[gS] + 10;
        g.b[gPe] = narrow ? g.b[gH] : g.b[gH] - 20;
        Open();
        DrawStageSection();
        Close();
        const double bH = static_cast<double>(g.b[gH]);
        const double R = -static_cast<double>(g.df[gH]);
        const double tip = std::fabs(static_cast<double>(g.da[gH])) / 2;
        int sideFaces = 0, lowerTip = 0;
        for (const auto& c : CadCallLog()) {
            if (c.Kind != "line" || c.Layer != 5) continue;
            const double outer = std::max(std::fabs(c.V[1]), std::fabs(c.V[3]));
            if (std::fabs(std::fabs(c.V[0]) - bH / 2) < 1e-9 && c.V[0] == c.V[2] &&
                std::fabs(outer - 0.56 * R) < 1e-9) {
                ++sideFaces;
                const double inner = std::min(std::fabs(c.V[1]), std::fabs(c.V[3]));
                if (narrow)
                    EXPECT_NEAR(inner, static_cast<double>(g.da[gS]) / 2, 1e-9);
                else
                    EXPECT_NEAR(std::fabs(c.V[1] - c.V[3]), 2 * 0.56 * R, 1e-9);
            }
            if (std::fabs(c.V[1] + tip) < 1e-9 && std::fabs(c.V[3] + tip) < 1e-9) ++lowerTip;
        }
        EXPECT_EQ(sideFaces, narrow ? 4 : 2);
        EXPECT_EQ(lowerTip, narrow ? 0 : 2);
    }
}

// Carrier forms and the hub rule; the pins stand at the front view's planet
// centres turned by +90 degrees; pins or a hub of diameter 0 are left out.
TEST_F(StageViews, CarrierPinsAndHub)
{
    auto& st = PlanetaryStage;
    st.dshPi = 30;
    st.dshPe = 35;
    PlanetaryGears.dshS = 50;
    st.dcarrier = 80;
    st.lcarrier = 40;
    struct {
        int Form;
        bool Shaft;
        int Hubs;
    } cases[] = {{1, true, 1}, {2, true, 1}, {3, true, 0}, {7, true, 0}, {2, false, 0}};
    Open();
    DrawFrontView();
    Close();
    const auto pe = Inserts("RADPE");
    const auto pi = Inserts("RADPI");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Form);
        st.CarrierForm = c.Form;
        st.CarrierShaft = c.Shaft;
        Open();
        DrawCarrier();
        Close();
        std::vector<TCadCall> hubs, outerPins, innerPins;
        for (const auto& k : CadCallLog()) {
            if (k.Kind == "circle" && k.V[0] == 0 && k.V[1] == 0 && std::fabs(k.V[2] - 40) < 1e-12)
                hubs.push_back(k);
        }
        EXPECT_EQ(static_cast<int>(hubs.size()), c.Hubs);
        if (c.Form == 7) {
            // Only the circle |a3| + 0.4 d(Pe) and the pins.
            int outline = 0;
            for (const auto& k : CadCallLog())
                if (k.Kind == "circle" &&
                    std::fabs(k.V[2] - (156 + 0.4 * static_cast<double>(PlanetaryGears.d[gPe]))) < 1e-9)
                    ++outline;
            EXPECT_EQ(outline, 1);
        }
    }
    // Pins from the recorded front view places: (x, y) turned by +90 deg is (-y, x).
    st.CarrierForm = 7;
    st.CarrierShaft = false;
    Open();
    DrawCarrier();
    Close();
    std::vector<std::pair<double, double>> filled;
    std::string kinds;
    for (const auto& k : CadCallLog())
        kinds += k.Kind + " ";
    for (size_t n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        bool outer = false, inner = false;
        const double ox = -pe[n].V[1], oy = pe[n].V[0], ix = -pi[n].V[1], iy = pi[n].V[0];
        for (const auto& k : CadCallLog()) {
            if (k.V.size() < 2) continue;
            outer = outer || (std::fabs(k.V[0] - ox) < 1e-9 && std::fabs(k.V[1] - oy) < 1e-9);
            inner = inner || (std::fabs(k.V[0] - ix) < 1e-9 && std::fabs(k.V[1] - iy) < 1e-9);
        }
        EXPECT_TRUE(outer) << kinds;
        EXPECT_TRUE(inner);
    }
    st.dshPi = st.dshPe = 0;
    PlanetaryGears.dshS = 0;
    st.CarrierForm = 2;
    st.CarrierShaft = true;
    Open();
    DrawCarrier();
    Close();
    for (const auto& k : CadCallLog()) {
        if (k.Kind == "circle" || k.Kind == "vertex") {
            for (double v : k.V) {
                ASSERT_TRUE(std::isfinite(v));
            }
        }
    }
}

// One DXF of every stage view with the blocks they use: ezdxf's auditor has
// nothing to say, no insert names a block that is not there, and the wheel
// places of "pgear" read back as worked by hand.
TEST_F(StageViews, DxfOfTheStageViewsPassesTheAuditor)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("no ezdxf");
    auto& r = PlanetBearings[2];
    r.BearingType = 6;
    r.Designation = "30206";
    r.d = 30;
    r.D = 62;
    r.B = 16;
    r.CatValue6 = 17.25;
    r.CatValue8 = 14;
    r.BearingCount = 2;
    r.Arrangement = 2;
    PlanetaryStage.CarrierForm = 1;
    PlanetaryStage.dshPi = PlanetaryStage.dshPe = 30;
    hatchstate.HatchRandSeed = 11;
    {
        TCadOutputScope scope;
        CadOpenOutput(1);
        ASSERT_FALSE(telmvar.Aborted);
        CadBeginDrawing(-400, -400, 400, 400, 0);
        CadWriteTables(0);
        CadBeginBlocks();
        DefineFrontViewBlocks(0);
        CadBeginBlock("LAGER2");
        BearingDraw(2, 0);
        CadEndBlock();
        CadEndSection();
        CadBeginEntities();
        CadInsertBlock("pgear", 0, 0, 0, 1, 1);
        DrawDimensionedFrontView();
        DrawStageSection();
        DrawCarrier();
        CadDeviceReady();
        CadEndSection();
        CadCloseOutput();
    }
    ASSERT_FALSE(telmvar.Aborted);
    const std::string out = RunPython("stagedxf.py", telmvar.ProjectName + ".dxf");
    EXPECT_EQ(out, "audit errors=0 fixes=0\n"
                   "RADPE 0.000 -156.000\n"
                   "RADPI 73.034 -91.406\n"
                   "RADPE 135.100 78.000\n"
                   "RADPI 42.643 108.952\n"
                   "RADPE -135.100 78.000\n"
                   "RADPI -115.677 -17.546\n");
}

// The carrier as an STL solid (device 6): admesh finds no degenerate facet,
// and the hub stands lcarrier above the plate of the face width b(H). Then
// a plain drawing keeps its own height: the hub's raised z range ends with
// its drawing.
TEST_F(StageViews, CarrierSolidHasNoDegenerateFacetAndTheHubOnTop)
{
    auto& st = PlanetaryStage;
    st.CarrierForm = 2;
    st.CarrierShaft = true;
    st.dshPi = 30;
    st.dshPe = 0; // not entered: no outer pins
    PlanetaryGears.dshS = 50;
    st.dcarrier = 80;
    st.lcarrier = 40;
    const double bH = static_cast<double>(PlanetaryGears.b[gH]);
    RegisterCadWriters();
    // The STL output asks for the solid's height: the ring's face width.
    graphservices.AskLengthInRange = [bH](const std::string&, Extended& Value, Extended, Extended) {
        Value = bH;
    };
    for (int pass : {0, 1}) {
        SCOPED_TRACE(pass);
        CadOpenOutput(6);
        ASSERT_FALSE(telmvar.Aborted);
        CadBeginDrawing(-300, -300, 300, 300, bH);
        CadWriteTables(0);
        CadEndSection();
        CadBeginEntities();
        if (pass == 0)
            DrawCarrier();
        else
            CadCircle(0, 0, 10);
        CadEndSection();
        CadCloseOutput();
        const TAdmeshView v = AdmeshRead(telmvar.ProjectName + ".stl");
        if (!v.ToolFound) QYR7_VALIDATOR_MISSING("no admesh");
        EXPECT_EQ(v.Degenerate, 0) << v.Output;
        EXPECT_GT(v.Facets, 0) << v.Output;
        EXPECT_NEAR(v.Max[2] - v.Min[2], pass == 0 ? bH + 40 : bH, 1e-3) << v.Output;
    }
}

} // namespace
