// The production data tables read back call by call. Expected numbers are
// worked by hand: roll angle 57.3 tan(arccos(db / D)); the backlash scale
// k = 100 / (2 Aa tan(alpha) - Asni1 - Asni2) and its zero line
// k (Aa tan(alpha) - Asni1) + 5; the addendum modification printed as its
// mean plus-minus half its range.
#include "productiontestsupport.h"

#include "drawings/production/productiontables.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "graphics/cad/cadhatch.h"
#include "reports/engine/reportservices.h"

#include <algorithm>
#include <map>

namespace
{

class ProductionTables : public DefaultStageCad
{
  protected:
    void SetUp() override
    {
        DefaultStageCad::SetUp();
        saved_ = reportservices.ShowMessageIfEnabled;
        reportservices.ShowMessageIfEnabled = [this](const std::string& T) { shown_.push_back(T); };
    }
    void TearDown() override
    {
        reportservices.ShowMessageIfEnabled = saved_;
        DefaultStageCad::TearDown();
    }
    // The texts of the row whose first cell is Label: the cells on the same
    // baseline, left to right, without the blank every cell starts with.
    static std::vector<std::string> Row(const std::string& Label)
    {
        const auto texts = Calls("text");
        for (const auto& t : texts) {
            if (TrimBlanks(t.Text) != Label) continue;
            std::vector<TCadCall> same;
            for (const auto& u : texts)
                if (std::fabs(u.V[1] - t.V[1]) < 1e-9 && u.V[0] >= t.V[0]) same.push_back(u);
            std::sort(same.begin(), same.end(),
                      [](const TCadCall& a, const TCadCall& b) { return a.V[0] < b.V[0]; });
            std::vector<std::string> cells;
            for (const auto& u : same)
                cells.push_back(TrimBlanks(u.Text));
            return cells;
        }
        return {};
    }
    static bool HasText(const std::string& Text)
    {
        const auto texts = Calls("text");
        return std::any_of(texts.begin(), texts.end(),
                           [&](const TCadCall& t) { return TrimBlanks(t.Text) == Text; });
    }
    std::vector<std::string> shown_;

  private:
    std::function<void(const std::string&)> saved_;
};

// Mesh Pe-H: gear 1 the outer planet (spur, external), gear 2 the ring.
TEST_F(ProductionTables, GearDataOfPlanetAndRing)
{
    LoadMeshByName("Pe-H");
    ASSERT_LT(GearPair.z[2], 0);
    auto& g = GearPair;
    Open();
    WriteGearDataTable(0, 1, 0, 200, 2.5);
    EXPECT_EQ(Row("tooth alignment").back(), "-") << "a spur gear's alignment is a dash";
    EXPECT_EQ(Row("profile shift coeff.").size(), 3u);
    EXPECT_TRUE(Row("profile shift coeff.(-)").empty());
    const auto root1 = Row("root diameter");
    ASSERT_EQ(root1.size(), 3u);
    EXPECT_EQ(root1[2].find(" +"), std::string::npos);

    CadCallLog().clear();
    WriteGearDataTable(0, 2, 0, 200, 2.5);
    Close();
    // The ring: magnitudes, the root allowance with " +", the "(-)" labels.
    const auto root = Row("root diameter");
    ASSERT_EQ(root.size(), 3u);
    const Extended allowance = g.df[2] - g.df_min[2];
    ASSERT_GT(allowance, 0) << "the ring's root circle grows with its allowance";
    EXPECT_EQ(root[2], TrimBlanks(FormatLengthFixed(6, 2, -g.df[2])) + " +" +
                           TrimBlanks(FormatLengthFixed(1, 2, allowance)));
    EXPECT_EQ(Row("tip diameter")[2], TrimBlanks(FormatLengthFixed(6, 3, -g.da[2])));
    ASSERT_EQ(Row("profile shift coeff.(-)").size(), 3u);
    const auto xe = Row("gen.addend.modif.coef.(-)");
    ASSERT_EQ(xe.size(), 3u);
    // mean +- half range: the printed band runs from xemin to xemax, not
    // twice as wide.
    const Extended mean = (g.xemin[2] + g.xemax[2]) / 2, half = std::fabs(g.xemax[2] - g.xemin[2]) / 2;
    ASSERT_GT(half, 0);
    EXPECT_EQ(xe[2],
              TrimBlanks(FormatFloatFixed(1, 3, mean)) + "\xF1" + TrimBlanks(FormatFloatFixed(1, 3, half)));
    EXPECT_EQ(Row("no complem.gear").back(), g.PartNumber[1]);
}

// mn 2, z 20, x 0: da 44 gives 34.868071 degrees, d 40 gives 20.855494;
// the ring's |da| 76 on |db| 75.175410 gives 8.510 (0 when the negative
// diameters are compared as they are stored).
TEST_F(ProductionTables, RollAnglesByHand)
{
    auto& g = GearPair;
    const Extended db = 40 * std::cos(DegToRad(20));
    g.da[1] = 44;
    g.dFamax[1] = 44;
    g.d[1] = 40;
    g.db[1] = db;
    g.dNa[1] = 43;
    g.dNf[1] = 37; // inside the base circle: roll angle 0
    g.da[2] = -76;
    g.dFamax[2] = -76;
    g.d[2] = -80;
    g.dNa[2] = -77;
    g.dNf[2] = -80;
    g.db[2] = -75.175410L;
    Open();
    WriteRollAngleTable(1, 0, 40, 3);
    EXPECT_EQ(Row("da"), (std::vector<std::string>{"da", "44.00", "34.87"}));
    EXPECT_EQ(Row("d"), (std::vector<std::string>{"d", "40.00", "20.86"}));
    EXPECT_EQ(Row("dNf").back(), "0.00");
    CadCallLog().clear();
    WriteRollAngleTable(2, 0, 40, 3);
    Close();
    EXPECT_EQ(Row("da"), (std::vector<std::string>{"da", "76.00", "8.51"}));
}

// alpha 20, Aa 0.030, Aai -0.030, Asni -0.080 / -0.100: Jmax 0.021838,
// k 495.446318, zero line 50.045537, the jn max panel from 5 to 105.
TEST_F(ProductionTables, BacklashDiagramScaleByHand)
{
    auto& g = GearPair;
    g.alpha = 20;
    g.Aa = 0.030L;
    g.Aai = -0.030L;
    g.Asne[1] = -0.040L;
    g.Asni[1] = -0.080L;
    g.Asne[2] = -0.050L;
    g.Asni[2] = -0.100L;
    g.Tsn[1] = 0.040L;
    g.Tsn[2] = 0.050L;
    ASSERT_TRUE(BacklashDiagramDrawable());
    Open();
    WriteBacklashTable("S-Pi");
    Close();
    const double k = 495.446318, x0 = 50.045537, jmax = 0.021838;
    // The panel outline: lines at x 5 and 105 between y 15 and 25.
    int ends = 0;
    for (const auto& l : Calls("line"))
        if (l.Layer == 5 && std::fabs(l.V[0] - l.V[2]) < 1e-9 && std::min(l.V[1], l.V[3]) == 15 &&
            std::max(l.V[1], l.V[3]) == 25) {
            EXPECT_TRUE(std::fabs(l.V[0] - 5) < 1e-5 || std::fabs(l.V[0] - 105) < 1e-5) << l.V[0];
            ++ends;
        }
    EXPECT_EQ(ends, 2);
    std::map<std::string, double> marks;
    for (const auto& t : Calls("text"))
        // Centred marks of height 2.0 and width 1.4: the text starts half
        // its length of 1.4 units a character left of its position.
        if (t.V[1] < 15) marks[t.Text] = t.V[0] + 0.7 * t.Text.size();
    ASSERT_TRUE(marks.count("0") && marks.count("s1 max") && marks.count("s2 max"));
    EXPECT_NEAR(marks["0"], x0, 1e-5);
    EXPECT_NEAR(marks["s1 max"], x0 - k * (jmax / 2 + 0.040), 1e-4);
    EXPECT_NEAR(marks["s2 max"], x0 + k * (jmax / 2 + 0.050), 1e-4);
    EXPECT_TRUE(HasText("tooth thickness tolerance and backlash  S-Pi"));
    EXPECT_TRUE(HasText("2 Aae tan(al) = 0.022 mm"));
    EXPECT_TRUE(HasText("jn max = 2 Aae tan(al) - Asni1 - Asni2"));
    EXPECT_EQ(hatchstate.HatchMode, 1);
    EXPECT_TRUE(shown_.empty());
}

// Aa 0, no lower tooth thickness allowances, Aai < 0: the largest backlash
// is 0, which once divided the scale by zero although not all four
// allowances are 0. The message is shown and nothing drawn.
TEST_F(ProductionTables, BacklashDiagramWithoutScaleDrawsNothing)
{
    auto& g = GearPair;
    g.alpha = 20;
    g.Aa = 0;
    g.Aai = -0.030L;
    g.Asni[1] = g.Asni[2] = 0;
    g.Asne[1] = g.Asne[2] = 0;
    EXPECT_FALSE(BacklashDiagramDrawable());
    Open();
    WriteBacklashTable("S-Pi");
    Close();
    EXPECT_TRUE(CadCallLog().empty() || Calls("line").empty());
    EXPECT_TRUE(Calls("text").empty());
    EXPECT_EQ(shown_, (std::vector<std::string>{"not for tolerance = 0 !"}));
}

// With a machining allowance the sheet has premachining rows; without one
// it leaves them out. Kind 0 (a preset entry) has the gear rows only.
TEST_F(ProductionTables, MeasurementSheetPremachiningRows)
{
    LoadMeshByName("S-Pi");
    auto& g = GearPair;
    const struct {
        int kind;
        const char* pre;
        const char* fin;
    } kinds[] = {{1, "dim.ov/betw.balls premach.", "dim.ov/betw.balls fin."},
                 {2, "dim.ov/betw.pins premach.", "dim.ov/betw.pins fin."},
                 {3, "span measure premach.", "span measure fin."}};
    Open();
    for (const auto& c : kinds) {
        SCOPED_TRACE(c.kind);
        for (Extended q : {0.0L, 0.2L}) {
            g.q[1] = q;
            CadCallLog().clear();
            WriteGearMeasurementSheet(1, c.kind);
            EXPECT_EQ(Row(c.pre).empty(), q == 0);
            EXPECT_EQ(Row(c.fin).size(), 3u);
        }
    }
    CadCallLog().clear();
    WriteGearMeasurementSheet(1, 0);
    EXPECT_TRUE(Row("dim.ov/betw.balls fin.").empty());
    EXPECT_EQ(Row("complem.gear part No.").back(), g.PartNumber[2]);
    Close();
}

// The ring's measurement rows: the max row takes the values of the
// smallest addendum modification (between balls the dimension shrinks as
// the teeth get thicker), by magnitude.
TEST_F(ProductionTables, RingMeasurementRowsAreSwapped)
{
    LoadMeshByName("Pe-H");
    auto& g = GearPair;
    g.MdK_xevmin[2] = -101.5L;
    g.MdK_xevmax[2] = -101.2L;
    g.MdK_xemin[2] = -101.0L;
    g.MdK_xemax[2] = -100.8L;
    Open();
    WriteMeasurementColumns(2, 0, 1, 100, 180, 2.8);
    Close();
    const auto rows = Calls("text");
    std::vector<std::vector<std::string>> mk;
    for (const auto& t : rows)
        if (TrimBlanks(t.Text) == "MK max" || TrimBlanks(t.Text) == "MK min") {
            std::vector<std::string> r;
            for (const auto& u : rows)
                if (std::fabs(u.V[1] - t.V[1]) < 1e-9 && u.V[0] > t.V[0]) r.push_back(TrimBlanks(u.Text));
            mk.push_back(r);
        }
    ASSERT_EQ(mk.size(), 2u);
    EXPECT_EQ(mk[0], (std::vector<std::string>{"101.500", "101.000"}));
    EXPECT_EQ(mk[1], (std::vector<std::string>{"101.200", "100.800"}));
    EXPECT_TRUE(Row("dim.ov/betw.balls").size() >= 2);
    EXPECT_FALSE(HasText("MK nom")) << "the short form has no nominal rows";
}

// Codes outside their name tables print no name instead of reading past
// the table; the bedding table is left out for methods 2 and 3.
TEST_F(ProductionTables, CodesOutsideTheirTablesAndBedding)
{
    auto& g = GearPair;
    EXPECT_EQ(FlankToleranceStandardText(2), "");
    EXPECT_EQ(FlankToleranceStandardText(-1), "");
    EXPECT_EQ(HeatTreatmentText(8), "");
    EXPECT_EQ(HeatTreatmentText(2), "case-hard.");
    EXPECT_EQ(CentreDistanceFieldText(0), "");
    EXPECT_EQ(CentreDistanceFieldText(9), "");
    EXPECT_EQ(CentreDistanceFieldText(1), "js 4");
    g.ToleranceStandard = 7;
    g.HeatTreatment[1] = 99;
    g.AaField = 0;
    Open();
    WriteFlankToleranceTable(1, 0, 0, 90, 3.5);
    WriteMaterialTable(0, 0, 2);
    WriteGearDataSheet(1);
    EXPECT_FALSE(Row("ff").empty()) << "an unknown standard lists the DIN rows";
    const auto tempering = Row("Tempering:");
    ASSERT_EQ(tempering.size(), 4u);
    EXPECT_EQ(tempering[2], "") << "no name for the unknown code";
    EXPECT_EQ(tempering[3], HeatTreatmentText(g.HeatTreatment[2]));
    for (int method : {1, 2, 3, 4}) {
        g.CalcMethod = method;
        CadCallLog().clear();
        WriteBeddingTable(0, 0, 2);
        EXPECT_EQ(Calls("text").empty(), method == 2 || method == 3) << method;
    }
    Close();
}

// Inches: one decimal more and the inch unit.
TEST_F(ProductionTables, InchSystem)
{
    LoadMeshByName("S-Pi");
    wtelmvar.UnitSystem = 1;
    Open();
    WriteRollAngleTable(1, 0, 40, 3);
    const auto head = Row(GearPair.PartNumber[1]);
    ASSERT_EQ(head.size(), 3u);
    EXPECT_EQ(head[1], "DIA. in");
    const std::string da = Row("da")[1];
    EXPECT_EQ(da.size() - da.find('.') - 1, 3u) << da;
    EXPECT_NEAR(std::stod(da), static_cast<double>(std::fabs(GearPair.da[1]) / 25.4L), 0.0006);
    CadCallLog().clear();
    WriteBasicRackTable(0, 0, 2);
    EXPECT_EQ(Row("hfP0=ha")[1], "in");
    Close();
}

} // namespace
