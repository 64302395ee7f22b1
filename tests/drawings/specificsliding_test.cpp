// The specific sliding diagrams and their value table, on the default
// stage's external mesh S-Pi and internal mesh Pe-H: the sliding along the
// path of contact against the pair's own end values, the table rows of both
// variants, a radius of curvature of 0 on a tolerance curve, the labels of
// the tolerance curves, ezdxf's audit and the display lists.
#include "diagramfixture.h"

#include "common/testnames.h"
#include "common/validators.h"

#include "drawings/diagrams/specificslidingdiagram.h"
#include "foundation/guardedmath.h"
#include "gearpair/geometry/calcgearpair.h"
#include "graphics/cad/cadprimitives.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>

namespace
{

class SpecificSliding : public DiagramFixture
{
  protected:
    // The table (or any drawing) into a DXF file as the production drawing
    // writes it, read by ezdxf.
    std::optional<std::vector<std::string>> AsDxf(const std::function<void()>& Draw)
    {
        const std::string path = Temp("drawing.dxf");
        std::filesystem::remove(path);
        {
            TCadOutputScope scope;
            CadOpenOutput(1);
            EXPECT_FALSE(telmvar.Aborted);
            CadBeginDrawing(0, 0, 160, 60, 0);
            CadWriteTables(2);
            CadBeginEntities();
            Draw();
            CadEndSection();
            CadCloseOutput();
        }
        return Ezdxf("diagramdxf.py", path);
    }

    std::string OnScreen(const std::function<void()>& Draw)
    {
        TCadOutputScope scope;
        CadOpenOutput(3);
        CadBeginDrawing(0, 0, 160, 60, 0);
        CadWriteTables(2);
        CadBeginEntities();
        Draw();
        CadEndSection();
        CadCloseOutput();
        return DisplayList();
    }

    // "TEXT layer x y text" lines of a view as (layer, text).
    static std::vector<std::pair<std::string, std::string>> Texts(const std::vector<std::string>& View)
    {
        std::vector<std::pair<std::string, std::string>> t;
        for (const std::string& l : View) {
            if (l.rfind("TEXT ", 0) != 0) continue;
            std::istringstream in(l.substr(5));
            std::string layer, x, y;
            in >> layer >> x >> y;
            std::string text;
            std::getline(in, text);
            if (!text.empty() && text[0] == ' ') text.erase(0, 1);
            t.emplace_back(layer, text);
        }
        return t;
    }

    static int Lines(const std::vector<std::string>& View, const std::string& Layer)
    {
        return static_cast<int>(std::count_if(View.begin(), View.end(), [&](const std::string& l) {
            return l.rfind("LINE " + Layer + " ", 0) == 0;
        }));
    }

    static bool HasTextStarting(const std::vector<std::string>& View, const std::string& Start)
    {
        for (const auto& [layer, text] : Texts(View))
            if (text.rfind(Start, 0) == 0) return true;
        return false;
    }
};

// ---------------------------------------------------------------------------
// The sliding itself.

struct TMeshCase {
    const char* Name;
    int Mesh;
    bool Internal;
    Extended RingTip; // 0: as the stage has it
};

// The default ring's tip reaches the planet's interference point: contact
// starts where the planet's radius of curvature is 0, and the pair stores
// its unbounded root sliding as -999. A ring tip of 402 mm keeps clear.
const TMeshCase MeshCases[] = {{"external S-Pi", 1, false, 0},
                               {"internal Pe-H", 3, true, 0},
                               {"internal Pe-H ring tip clear of interference", 3, true, -402}};

class SlidingOfTheMesh : public SpecificSliding, public ::testing::WithParamInterface<TMeshCase>
{
};

// The sliding along the path of contact ends at the values the pair
// calculation gives for the ends of contact: gear 1 at its root (A) and
// tip (E), gear 2 at its tip (A) and root (E). Two formulas, one answer.
TEST_P(SlidingOfTheMesh, AtTheEndsOfContactItIsThePairsOwnEndValues)
{
    const TMeshCase& c = GetParam();
    LoadDefaultMesh(c.Mesh);
    TGearPairData& g = GearPair;
    if (c.RingTip != 0) {
        g.DimensionInputMode[2] = 3;
        g.da[2] = c.RingTip;
        CalcGearPair();
    }
    ASSERT_FALSE(telmvar.FatalCalcError);
    ASSERT_EQ(g.z[2] < 0, GetParam().Internal);
    const Extended rho1 = std::sqrt(g.dw[1] * g.dw[1] - g.db[1] * g.db[1]) / 2;
    const Extended rho2 = std::sqrt(g.dw[2] * g.dw[2] - g.db[2] * g.db[2]) / 2;
    if (g.zeta_f1 == -999) {
        EXPECT_NEAR(rho1, g.g_alphaa, 1e-9L) << "stored as unbounded only at the interference point";
        EXPECT_LT(SpecificSlidingAt(1, -g.g_alphaa, rho1, rho2, g.u), -999);
    } else {
        EXPECT_NEAR(SpecificSlidingAt(1, -g.g_alphaa, rho1, rho2, g.u), g.zeta_f1, 1e-6L);
    }
    EXPECT_NEAR(SpecificSlidingAt(2, -g.g_alphaa, rho1, rho2, g.u), g.zeta_a2, 1e-6L);
    EXPECT_NEAR(SpecificSlidingAt(1, g.g_alphae, rho1, rho2, g.u), g.zeta_a1, 1e-6L);
    EXPECT_NEAR(SpecificSlidingAt(2, g.g_alphae, rho1, rho2, g.u), g.zeta_f2, 1e-6L);
    // Rolling without sliding at the pitch point.
    const Extended u = g.dw[2] / g.dw[1];
    EXPECT_NEAR(SpecificSlidingAt(1, 0, rho1, rho2, u), 0, 1e-15L);
    EXPECT_NEAR(SpecificSlidingAt(2, 0, rho1, rho2, u), 0, 1e-15L);
}

INSTANTIATE_TEST_SUITE_P(Diagram, SlidingOfTheMesh, ::testing::ValuesIn(MeshCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST_F(SpecificSliding, HandWorkedPoints)
{
    // External: rhoC 10 and 30, u 3. At x = 2: rho1 12, rho2 28;
    //   gear 1 1 - 28 / 12 / 3 = 0.222222, gear 2 1 - 12 / 28 x 3 = -0.285714.
    // Internal (u -3): rho2 = 30 + 2 = 32;
    //   gear 1 1 + 32 / 12 / -3 = 0.111111, gear 2 1 + 12 / 32 x -3 = -0.125.
    GearPair.z[2] = 60;
    EXPECT_NEAR(SpecificSlidingAt(1, 2, 10, 30, 3), 0.2222222222L, 1e-9L);
    EXPECT_NEAR(SpecificSlidingAt(2, 2, 10, 30, 3), -0.2857142857L, 1e-9L);
    GearPair.z[2] = -60;
    EXPECT_NEAR(SpecificSlidingAt(1, 2, 10, 30, -3), 0.1111111111L, 1e-9L);
    EXPECT_NEAR(SpecificSlidingAt(2, 2, 10, 30, -3), -0.125L, 1e-9L);
}

// ---------------------------------------------------------------------------
// The table.

struct TTableCase {
    const char* Name;
    int Mode;
    int ValueRows;                                            // before the angles
    std::vector<std::pair<std::string, std::string>> EndRows; // layer, name
};

const TTableCase TableCases[] = {
    {"nominal",
     0,
     12,
     {{"18", "zeta A1"},
      {"18", "zeta A1min"},
      {"21", "zeta A2"},
      {"21", "zeta A2max"},
      {"18", "zeta E1"},
      {"18", "zeta E1max"},
      {"21", "zeta E2"},
      {"21", "zeta E2min"}}},
    {"tolerances",
     1,
     8,
     {{"18", "zeta A1"},
      {"18", "zeta A1min"},
      {"18", "zeta A1max"},
      {"21", "zeta A2"},
      {"21", "zeta A2min"},
      {"21", "zeta A2max"},
      {"18", "zeta E1"},
      {"18", "zeta E1min"},
      {"18", "zeta E1max"},
      {"21", "zeta E2"},
      {"21", "zeta E2min"},
      {"21", "zeta E2max"}}},
};

class SlidingTable : public SpecificSliding, public ::testing::WithParamInterface<TTableCase>
{
};

TEST_P(SlidingTable, RowsInTheirOrderAndLayers)
{
    const TTableCase& c = GetParam();
    LoadDefaultMesh(1);
    telmvar.RemarkLines[1] = "remark one";
    const auto view = AsDxf([&] { WriteSpecificSlidingTable(c.Mode, "S-Pi"); });
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf");
    ASSERT_FALSE(view->empty());
    EXPECT_EQ(view->front(), "audit errors=0 fixes=0");
    const auto texts = Texts(*view);
    const auto z1 = std::find_if(texts.begin(), texts.end(),
                                 [](const auto& t) { return t.second.rfind("z1 = ", 0) == 0; });
    ASSERT_NE(z1, texts.end());
    const auto alpha =
        std::find_if(z1, texts.end(), [](const auto& t) { return t.second.rfind("alpha = ", 0) == 0; });
    ASSERT_NE(alpha, texts.end());
    EXPECT_EQ(alpha - z1, c.ValueRows);
    EXPECT_EQ(z1->first, "19");
    EXPECT_EQ(z1->second, "z1 = " + std::to_string(GearPair.z[1]));
    // alpha, alpha wt, the empty line, then the end values.
    ASSERT_GE(texts.end() - alpha, 3 + static_cast<long>(c.EndRows.size()));
    // ezdxf reads the drawing's code page 437 degree sign as UTF-8.
    EXPECT_EQ(alpha->second, "alpha = 20 \xC2\xB0");
    EXPECT_EQ((alpha + 1)->second.rfind("alpha wt = ", 0), 0u);
    std::vector<std::pair<std::string, std::string>> ends;
    for (auto t = alpha + 3; t != texts.end(); ++t)
        ends.emplace_back(t->first, t->second.substr(0, t->second.find(" = ")));
    EXPECT_EQ(ends, c.EndRows);
    EXPECT_TRUE(HasTextStarting(*view, "remark one"));
    // The curves of both gears and the contact ends.
    EXPECT_GT(Lines(*view, "18"), 50 * (c.Mode == 1 ? 3 : 1));
    EXPECT_GT(Lines(*view, "21"), 50 * (c.Mode == 1 ? 3 : 1));
    EXPECT_EQ(Lines(*view, "5"), c.Mode == 1 ? 6 : 2);
}

INSTANTIATE_TEST_SUITE_P(Diagram, SlidingTable, ::testing::ValuesIn(TableCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

// ---------------------------------------------------------------------------
// The tolerance diagram's own rules.

// The maximum state's path of contact made to start exactly where gear 1's
// radius of curvature is 0: the diagram ends there, as the nominal one does,
// instead of dividing by it.
TEST_F(SpecificSliding, ZeroRadiusOnAToleranceCurveEndsTheDiagram)
{
    LoadDefaultMesh(1);
    TGearPairData& g = GearPair;
    g.g_alphaa_max = Cathetus(g.dw_amax[1] / 2, g.db[1] / 2);
    const auto view = AsDxf([] { DrawSpecificSlidingToleranceDiagram("S-Pi", 16, 12, 100, 90); });
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf");
    EXPECT_EQ(view->front(), "audit errors=0 fixes=0");
    EXPECT_GT(Lines(*view, "18"), 50) << "the nominal curve of gear 1 is drawn";
    EXPECT_EQ(Lines(*view, "21"), 0) << "gear 2 comes after the end";
    EXPECT_EQ(Lines(*view, "5"), 0) << "no contact ends";
    EXPECT_FALSE(HasTextStarting(*view, "A1max"));
    EXPECT_EQ(diagramstate.DiagPlotWidth, 160) << "layout put back";
}

// A min/max label is written where it stands apart from the nominal end
// value by more than a thirtieth of the whole sliding range. With the
// range set to 0.3: 0.005 apart is not labelled, 0.02 apart is.
TEST_F(SpecificSliding, ToleranceLabelsStandApartFromTheNominalValue)
{
    LoadDefaultMesh(1);
    TGearPairData& g = GearPair;
    const Extended rho1 = Cathetus(g.dw_amax[1] / 2, g.db[1] / 2);
    const Extended rho2 = Cathetus(g.dw_amax[2] / 2, g.db[2] / 2);
    const Extended a1max = SpecificSlidingAt(1, -g.g_alphaa_max, rho1, rho2, g.u);
    g.zeta_f2_amin = g.zeta_f1_amin = -0.2L;
    g.zeta_a2_amax = g.zeta_a1_amax = 0.1L;
    struct {
        Extended Apart;
        bool Labelled;
    } cases[] = {{0.005L, false}, {0.02L, true}};
    for (const auto& c : cases) {
        g.zeta_f1 = a1max - c.Apart;
        const auto view = AsDxf([] { DrawSpecificSlidingToleranceDiagram("S-Pi", 16, 12, 100, 90); });
        if (!view) QYR7_VALIDATOR_MISSING("ezdxf");
        EXPECT_EQ(HasTextStarting(*view, "A1max = "), c.Labelled) << static_cast<double>(c.Apart);
    }
}

// ---------------------------------------------------------------------------
// Display lists.

TEST_F(SpecificSliding, DisplayLists)
{
    LoadDefaultMesh(1);
    ExpectGolden("sliding_nominal.txt", OnScreen([] { WriteSpecificSlidingTable(0, "S-Pi"); }));
    LoadDefaultMesh(3);
    ExpectGolden("sliding_tolerances.txt", OnScreen([] { WriteSpecificSlidingTable(1, "Pe-H"); }));
}

} // namespace
