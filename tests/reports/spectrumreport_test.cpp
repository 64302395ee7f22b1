// The load spectrum report and the output menu. The default stage carries
// the spectrum of the stage report test (1e5 cycles at the nominal 6875.5 Nm,
// 1e6 at 5000 and 1e7 at 2000 Nm) with the case-hardened life material of
// the shipped table (record 1): the hand values are those of the stage
// report and the spectrum-life tests - N sum = 1e5 + 1e6 + 1e7 = 1.11E7,
// N eq (items of at least half the nominal torque) = 1.1E6, and with
// pF = 8.738 TeqF = 1315 Nm on the 1637 Nm sun side, KA F = 0.80.
#include "gearpairreport_support.h"

#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/lifeparams.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "reports/engine/reportservices.h"
#include "reports/spectrum/loadspectrumreport.h"
#include "xbase/access/tableaccess.h"

#include <string>
#include <vector>

namespace
{

class SpectrumReport : public PairReportTest
{
  protected:
    void LoadedStage()
    {
        GearPair.LoadSpectrumCount = 3;
        GearPair.LoadSpectrum[1] = {1e5L, 6875.5L};
        GearPair.LoadSpectrum[2] = {1e6L, 5000};
        GearPair.LoadSpectrum[3] = {1e7L, 2000};
        GearPair.LoadSpectrumKind = 1;
        PutStageLoadSpectrum();
    }
    void Calculate()
    {
        CalcPlanetaryStage();
        ASSERT_FALSE(telmvar.FatalCalcError) << error0.ErrorTexts[1];
    }
};

TEST_F(SpectrumReport, DefaultStageAgreesWithTheHandValues)
{
    LoadedStage();
    Calculate();
    const std::string text = Report(9, [] { EXPECT_TRUE(PrintLoadSpectrumReport()); });
    ExpectGolden("spectrum_default.txt", text);
    EXPECT_TRUE(Has(text, "sum of load changes\tN sum\t\t1.11E7"));
    EXPECT_TRUE(Has(text, "equiv.number of load cycles\tN eq\t\t1.1E6"));
    EXPECT_TRUE(Has(text, "application factor tooth break\tKA F\t\t   0.80"));
    EXPECT_TRUE(Has(text, "equival.torque tooth root\tT eqF\tNm\t1315"));
    EXPECT_TRUE(Has(text, "tooth root lifetime exponent\tp F\t\t8.738"));
    // The limit torques of all three meshes, each in its column.
    EXPECT_TRUE(Has(text, "limit fatigue str. tooth root\tT nF\tNm\t"));
    ExpectGolden("spectrum_default.html", Report(7, [] { EXPECT_TRUE(PrintLoadSpectrumReport()); }));
}

TEST_F(SpectrumReport, ZeroTorqueAndFewCycles)
{
    LoadedStage();
    Calculate();
    // Items as they stand after the calculation: one with no torque and one
    // of a fraction of a load cycle.
    GearPair.LoadSpectrumCount = 4;
    GearPair.LoadSpectrum[4] = {0.4L, 0};
    const std::string text = Report(3, [] { PrintLoadSpectrumReport(); });
    const auto lines = Lines(text);
    bool found = false;
    for (const auto& l : lines)
        if (l.find("    0.000000") != std::string::npos && l.find(" 4 ") != std::string::npos) {
            found = true;
            // The torque cell holds "0", not an empty or a dashed cell.
            EXPECT_NE(l.find(" 0 "), std::string::npos) << l;
            EXPECT_EQ(l.find("E"), std::string::npos) << l;
        }
    EXPECT_TRUE(found) << text;
}

TEST_F(SpectrumReport, LimitTorqueNotFoundIsNotZero)
{
    LoadedStage();
    Calculate();
    PlanetaryGears.TnF[mPiPe] = 0; // the search of mesh 2 found no limit
    const std::string text = Report(9, [] { PrintLoadSpectrumReport(); });
    EXPECT_TRUE(Has(text, "limit fatigue str. tooth root\tT nF\tNm\t340.4\tnot found\t353.2\r\n")) << text;
}

TEST_F(SpectrumReport, LifeMaterialPastTheTableEndIsTheLastRecord)
{
    ASSERT_TRUE(DbfOpen("qyrlife.dbf"));
    const int last = DbfRecCount();
    DbfClose();
    LoadedStage();
    GearPair.LoadSpectrumKind = last;
    Calculate();
    const std::string lastClass = LifeParams.LW;
    SetUp();
    LoadedStage();
    GearPair.LoadSpectrumKind = last + 5;
    CalcPlanetaryStage();
    ASSERT_EQ(LifeParams.LW, lastClass) << "the calculation takes the last record";
    const std::string text = Report(9, [] { EXPECT_TRUE(PrintLoadSpectrumReport()); });
    EXPECT_TRUE(Has(text, "material class: " + lastClass));
    EXPECT_TRUE(Has(text, "DBF #" + std::to_string(last + 5) + " not found."));
}

TEST_F(SpectrumReport, WithoutTheLifeTableTheOutputIsFinishedEmpty)
{
    LoadedStage();
    Calculate();
    telmvar.DbfDir = TempDir.string() + "/"; // no table here
    const std::string text = Report(3, [] { PrintLoadSpectrumReport(); });
    EXPECT_TRUE(std::filesystem::exists(Temp("report.out")));
    EXPECT_EQ(text, "");
    ASSERT_FALSE(Messages.empty());
    EXPECT_TRUE(Has(Messages.front(), "qyrlife.dbf not found or no access !"));
}

TEST_F(SpectrumReport, MenuPreselectsTheNextOutput)
{
    std::vector<int> preselected, drawn;
    reportservices.AskSelect = [&](const std::string& Prompt, int Count, uint16_t& Choice) {
        EXPECT_EQ(Prompt, "output");
        EXPECT_EQ(Count, 3);
        EXPECT_EQ(telmvar.TextItems[2], "diagram of tooth root stress");
        preselected.push_back(Choice);
    };
    reportservices.DrawLoadSpectrumDiagram = [&](int Kind, int) { drawn.push_back(Kind); };
    // Without a spectrum the menu says so and does nothing else.
    LoadSpectrumOutputMenu(0, 1);
    EXPECT_TRUE(preselected.empty());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], "no load spectrum defined");

    LoadedStage();
    Calculate();
    for (int call = 0; call < 4; ++call)
        Report(9, [] { LoadSpectrumOutputMenu(0, 1); });
    EXPECT_EQ(preselected, (std::vector<int>{1, 2, 3, 1}));
    EXPECT_EQ(drawn, (std::vector<int>{1, 2}));

    // A direct choice is stored and not advanced; without the graphics
    // layer a diagram choice is refused with a message.
    reportservices.DrawLoadSpectrumDiagram = nullptr;
    Messages.clear();
    LoadSpectrumOutputMenu(3, 1);
    EXPECT_EQ(telmvar.DiagramKind, 3);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Has(Messages[0], "not available"));
}

TEST_F(SpectrumReport, CancelledMenuWritesNothing)
{
    reportservices.AskSelect = [](const std::string&, int, uint16_t&) { telmvar.Aborted = true; };
    LoadedStage();
    Calculate();
    const uint16_t before = telmvar.DiagramKind;
    EXPECT_EQ(Report(9, [] { LoadSpectrumOutputMenu(0, 1); }), "");
    EXPECT_EQ(telmvar.DiagramKind, before == 0 || before > 3 ? 1 : before);
}

} // namespace
