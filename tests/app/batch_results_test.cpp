// The text batch run judged by what a user gets from it: the exit code, the
// lines on standard error, the report file and nothing else left in the
// directory. The tables are copies of the shipped ones, one of them missing
// or damaged, in a table directory named by the run's configuration file.
#include "runprogram.h"

#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagedefaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

// The stage of File New with a spectrum of two steps: the nominal torque
// (72 kW at 100 1/min) for 1e6 cycles and half of it for 1e7. Both steps
// reach half the nominal torque, so N sum = N eq = 1.1e7.
void SpectrumStage()
{
    const Extended TN = 72.0L * 60000 / (100 * 2 * std::numbers::pi_v<Extended>);
    telmvar.RemarkLines[1] = "handout week 3"; // the report's head line 3
    GearPair.LoadSpectrumCount = 2;
    GearPair.LoadSpectrumKind = 1;
    GearPair.LoadSpectrum[1] = {1e6L, TN};
    GearPair.LoadSpectrum[2] = {1e7L, TN / 2};
    PutStageLoadSpectrum();
}

// Every step below half the nominal torque: no cycle counts as equivalent.
void SpectrumBelowHalfTheTorque()
{
    const Extended TN = 72.0L * 60000 / (100 * 2 * std::numbers::pi_v<Extended>);
    GearPair.LoadSpectrumCount = 1;
    GearPair.LoadSpectrumKind = 1;
    GearPair.LoadSpectrum[1] = {1e6L, TN / 4};
    PutStageLoadSpectrum();
}

// A groove ball bearing whose X and Y come from the normal clearance table.
void GrooveBallBearing()
{
    auto& b = PlanetBearings[1];
    b.BearingType = 1;
    b.Designation = "6208";
    b.d = 40;
    b.D = 80;
    b.B = 18;
    b.C = 32500;
    b.C0 = 19000;
    b.nPerm = 10000;
    b.BearingCount = 1;
    b.LifeFactorMode = 2;
    b.a23 = 1;
    b.XYTableChoice = 2;
}

void BearingWithoutDiameters()
{
    PlanetBearings[2].Designation = "6208";
    PlanetBearings[2].d = 0;
    PlanetBearings[2].D = 0;
}

// Patched: Patch at byte PatchAt (qyrlife.csv: header 257, record flag 1, LW 40, N0F, NNF 10, PF 8, N0H, NNH
// 10, PH 8).
enum class TableDamage { None, Missing, HeaderOnly, Empty, LastLineDropped, Patched };

struct BatchCase {
    const char* Name;
    void (*Stage)();
    const char* Table; // the table damaged
    TableDamage Damage;
    int ExitCode;
    const char* StderrPart;  // in the first line on standard error; empty: no failure line
    const char* ReportPart;  // in the report file
    const char* NotInReport; // a result row that must not be there
    std::size_t PatchAt = 0;
    const char* Patch = "";
};

const BatchCase Cases[] = {
    {"LifeTableMissing", SpectrumStage, "qyrlife.dbf", TableDamage::Missing, 4,
     "cannot be calculated: QYRLIFE.DBF not found", "QYRLIFE.DBF not found", "N sum"},
    {"LifeTableEmptyFile", SpectrumStage, "qyrlife.dbf", TableDamage::Empty, 4,
     "cannot be calculated: QYRLIFE.DBF cannot be opened: qyrlife.dbf is not a dBASE database",
     "QYRLIFE.DBF cannot", "N sum"},
    {"LifeTableCutAfterItsHeader", SpectrumStage, "qyrlife.dbf", TableDamage::HeaderOnly, 4,
     "cannot be calculated: QYRLIFE.DBF ends before record 1", "QYRLIFE.DBF ends before record 1", "N sum"},
    {"FactorTableMissing", GrooveBallBearing, "rikula_n.hdf", TableDamage::Missing, 4,
     "cannot be calculated: Fatal  : X, Y of bearing 1 not read from rikula_n.hdf !", "rikula_n.hdf", "L10"},
    {"FactorTableLastLineDropped", GrooveBallBearing, "rikula_n.hdf", TableDamage::LastLineDropped, 4,
     "cannot be calculated: Fatal  : X, Y of bearing 1 not read from rikula_n.hdf !", "rikula_n.hdf", "L10"},
    {"BearingNamedButUndefined", BearingWithoutDiameters, "", TableDamage::None, 4,
     "cannot be calculated: Fatal  : rolling bearing undefined !", "Fatal  : rolling bearing undefined !",
     "center distance"},
    // Warnings of the strength step come first in the list; the line quotes
    // the condition that stopped the run.
    {"FatalQuotedBeforeEarlierWarnings", SpectrumBelowHalfTheTorque, "", TableDamage::None, 4,
     "cannot be calculated: Fatal  : Neq = 0 !", "Fatal  : Neq = 0 !", "center distance"},
    // No material has these; a header 97 bytes (a record) too long, 0x162, reads record 2 as 1.
    {"LifeHeaderLongerThanItsFields", SpectrumStage, "qyrlife.dbf", TableDamage::Patched, 4,
     "QYRLIFE.DBF header of 354 bytes does not match its 7 fields", "QYRLIFE.DBF header", "N sum", 8, "\x62"},
    {"LifePittingExponentOne", SpectrumStage, "qyrlife.dbf", TableDamage::Patched, 4,
     "QYRLIFE.DBF record 1: pH 1 outside 2 .. 1000", "pH 1 outside", "N sum", 257 + 89, "       1"},
    {"LifeLowerCornerBeforeUpper", SpectrumStage, "qyrlife.dbf", TableDamage::Patched, 4,
     "QYRLIFE.DBF record 1: NnH 10000 not above N0H 100000", "NnH 10000", "N sum", 257 + 79, "     10000"},
    {"LifeRootExponentHuge", SpectrumStage, "qyrlife.dbf", TableDamage::Patched, 4,
     "QYRLIFE.DBF record 1: pF 1e+308 outside 2 .. 1000", "pF 1e+308", "N sum", 257 + 61, "   1e308"},
    // Read as 2147483647, 2 and 9 (8.738 in a field of one decimal: 8.7) they changed T 0F with exit 0.
    {"LifeCyclesBeyond32Bits", SpectrumStage, "qyrlife.dbf", TableDamage::Patched, 4,
     "QYRLIFE.DBF record 1 field NNF: 1e308 exceeds the integer range", "field NNF", "N sum", 257 + 51,
     "     1e308"},
    {"LifeCyclesOf2To32", SpectrumStage, "qyrlife.dbf", TableDamage::Patched, 4,
     "QYRLIFE.DBF record 1 field NNH: 4294967296 exceeds the integer range", "field NNH", "N sum", 257 + 79,
     "4294967296"},
    {"LifeCyclesFraction", SpectrumStage, "qyrlife.dbf", TableDamage::Patched, 4,
     "QYRLIFE.DBF record 1 field N0F: 1.5 is no whole number of load cycles", "field N0F", "N sum", 257 + 41,
     "       1.5"},
    {"LifeExponentWiderThanItsField", SpectrumStage, "qyrlife.dbf", TableDamage::Patched, 4,
     "QYRLIFE.DBF record 1 field PF: 8.738 has 3 decimals, the field (N 8.1) holds 1", "field PF", "N sum",
     32 * 4 + 17, "\x01"},
    // One line with the cause, not the engine's lines and "not found" for a file that is there.
    {"LifeHeaderOfNoTable", SpectrumStage, "qyrlife.dbf", TableDamage::Patched, 4,
     "QYRLIFE.DBF cannot be opened: qyrlife.dbf is not a dBASE database", "QYRLIFE.DBF cannot", "N sum", 0,
     "X"},
    // LW declared F (byte 32 + 11); a version byte that calls for a memo file (the engine's lines at every
    // read).
    {"LifeClassOfTypeFloat", SpectrumStage, "qyrlife.dbf", TableDamage::Patched, 4,
     "QYRLIFE.DBF field LW is of type F, the material class is read as text (C)", "field LW", "N sum", 43,
     "F"},
    {"LifeTableCallingForAMemoFile", SpectrumStage, "qyrlife.dbf", TableDamage::Patched, 4,
     "version byte 0x83 calls for the memo file", "QYRLIFE.DBF cannot", "N sum", 0, "\x83"},
    // The default example at helix 15 deg, mn 2, z 34, 9, 20, -100: mn (z1 + z2) / (2 cos 15 deg) gives
    // 44.52 (S-Pi) + 30.02 (Pi-Pe) < 82.82 (Pe-H), the planets cannot mesh; checked after a dozen others.
    {"AnErrorAfterTwelveTextsIsListed",
     [] {
         TFileFault f;
         ASSERT_TRUE(ReadProjectData(QYR7_SOURCE_DIR "/examples/default.qy7", f));
         GearPair.beta = 15, GearPair.mn = 2, PlanetaryGears.z = {34, 9, 20, -100};
     },
     "", TableDamage::None, 0, "", "Error  : a SP <> a PH !", "Fatal"},
    {"ShippedTablesGiveTheSpectrum", SpectrumStage, "", TableDamage::None, 0, "", "N sum\t\t1.1E7",
     "QYRLIFE"},
    {"CommentLineUnderTheProjectFile", SpectrumStage, "", TableDamage::None, 0, "",
     "qy7\r\nhandout week 3\r\n\r\n\r\n \r\n", "QYRLIFE"},
};

class BatchResults : public ::testing::TestWithParam<BatchCase>
{
  protected:
    void SetUp() override
    {
        dir = FreshDir("results");
        InitProgramDefaults();
        SetDefaultInput();
    }
    void TearDown() override { fs::remove_all(dir); }

    // Copies of the shipped tables, the damaged one as the case says, and a
    // configuration that makes them the table directory.
    void Tables(const BatchCase& C)
    {
        const fs::path tables = dir / "tables";
        fs::create_directories(tables);
        for (const auto& e : fs::directory_iterator(QYR7_DATA_DIR)) {
            const std::string ext = e.path().extension().string();
            if (ext == ".dbf" || ext == ".hdf") fs::copy_file(e.path(), tables / e.path().filename());
        }
        const fs::path damaged = tables / C.Table;
        switch (C.Damage) {
        case TableDamage::None:
            break;
        case TableDamage::Missing:
            fs::remove(damaged);
            break;
        case TableDamage::Empty:
            WriteWholeFile(damaged, "");
            break;
        case TableDamage::LastLineDropped: {
            std::string whole = ReadWholeFile(damaged);
            while (!whole.empty() && (whole.back() == '\n' || whole.back() == '\r'))
                whole.pop_back();
            WriteWholeFile(damaged, whole.substr(0, whole.rfind('\n') + 1));
            break;
        }
        case TableDamage::Patched:
            WriteWholeFile(damaged, ReadWholeFile(damaged).replace(C.PatchAt, std::strlen(C.Patch), C.Patch));
            break;
        case TableDamage::HeaderOnly: {
            // The dBASE header states its own length in bytes 8 and 9.
            const std::string whole = ReadWholeFile(damaged);
            ASSERT_GT(whole.size(), 10u);
            const std::size_t header =
                static_cast<unsigned char>(whole[8]) | static_cast<unsigned char>(whole[9]) << 8;
            ASSERT_LT(header, whole.size());
            WriteWholeFile(damaged, whole.substr(0, header));
            break;
        }
        }
        std::string cfg = "qyr7 Configuration\r\nVersion 1.0\r\n";
        for (int l = 1; l <= 5; ++l)
            cfg += "Layer\r\n" + std::to_string(l) + "\r\nColour\r\n2\r\n";
        cfg += "Text font CAD\r\nArial\r\nTextwidth/height CAD\r\n1\r\nFont angle\r\n0\r\n";
        cfg += "CAD Directory\r\n" + dir.string() + "/\r\nDBF Directory\r\n" + tables.string() + "/\r\n";
        WriteWholeFile(dir / "qyr7.cfg", cfg);
    }

    std::set<std::string> Entries() const
    {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.insert(e.path().filename().string());
        return names;
    }

    fs::path dir;
};

TEST_P(BatchResults, ExitCodeStandardErrorReportAndNothingLeftBehind)
{
    const BatchCase& c = GetParam();
    c.Stage();
    ASSERT_TRUE(WriteProjectData((dir / "stage.qy7").string()));
    Tables(c);
    const std::set<std::string> before = Entries();
    const TProgramRun run = RunProgram(dir, {"stage.qy7", "/I", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Err;

    // One line of the program says why it failed (a table the library
    // could not open adds the library's own lines before it); then one line
    // per message the report's list had no room for.
    std::size_t leftOut = 0, failures = 0;
    for (const auto& line : run.ErrLines()) {
        if (line.rfind("wqyr7: left out of the message list: ", 0) == 0)
            ++leftOut;
        else if (line.rfind("wqyr7: ", 0) == 0)
            failures += *c.StderrPart && line.find(c.StderrPart) != std::string::npos ? 1 : 100;
    }
    EXPECT_EQ(failures, *c.StderrPart ? 1u : 0u) << run.Err;

    const std::string report = ReadWholeFile(dir / "stage.txt");
    EXPECT_NE(report.find(c.ReportPart), std::string::npos) << report;
    EXPECT_EQ(report.find(c.NotInReport), std::string::npos) << report;
    // Every text the list leaves out is counted in it.
    const std::string more = "... and " + std::to_string(leftOut) + " more message";
    EXPECT_EQ(report.find(more) != std::string::npos, leftOut > 0) << more << "\n" << report;

    // The report is the one new file; the project is as it was written.
    std::set<std::string> after = Entries();
    after.erase("stage.txt");
    EXPECT_EQ(after, before);
}

void PrintTo(const BatchCase& C, std::ostream* Out)
{
    *Out << C.Name;
}

std::string CaseName(const ::testing::TestParamInfo<BatchCase>& Info)
{
    return Info.param.Name;
}

INSTANTIATE_TEST_SUITE_P(Tables, BatchResults, ::testing::ValuesIn(Cases), CaseName);

} // namespace
