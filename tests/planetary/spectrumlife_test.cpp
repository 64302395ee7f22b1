// Service life under a load spectrum. Expected values are hand reductions of
// the spectra with the S-N lines (T^p * N = const), worked out apart from the
// program: K_A = (sum (Ti/T1)^p * Ni / Neq)^(1/p), corners by (N/N0)^(1/p).
#include "planetary_fixture.h"
#include "table_files.h"

#include "common/testlocales.h"
#include "common/testmessages.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/lifeparams.h"
#include "planetary/loadspectrum/spectrumlife.h"
#include "platform/headless/platform_headless.h"

#include <cmath>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace
{

// The S-N line constants that are also the program's defaults.
const std::vector<std::string> DefaultLine = {"default line", "1000",     "3000000", "8.7",
                                              "100000",       "50000000", "8.7"};

class SpectrumLife : public StageTest
{
  protected:
    void SetUp() override
    {
        StageTest::SetUp();
        tables.Use();
        GearPair.T[1] = 1000;
        GearPair.LoadSpectrumKind = 1;
    }

    void Spectrum(const std::vector<TLoadSpectrumItem>& items)
    {
        GearPair.LoadSpectrumCount = 0;
        for (const auto& it : items)
            GearPair.LoadSpectrum[++GearPair.LoadSpectrumCount] = it;
    }

    TableDir tables;
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
};

TEST_F(SpectrumLife, OneItemAtTheNominalTorqueIsTheNominalLoad)
{
    tables.MakeLifeTable({DefaultLine});
    Spectrum({{1e6L, 1000}});
    CalcLoadSpectrumLife(2000, 1500);
    const auto& g = GearPair;
    EXPECT_DOUBLE_EQ(D(g.Nsum), 1e6);
    EXPECT_DOUBLE_EQ(D(g.Neq), 1e6);
    EXPECT_NEAR(D(g.LoadSpectrumKA_F), 1.0, 1e-12);
    EXPECT_NEAR(D(g.LoadSpectrumKA_H), 1.0, 1e-12);
    EXPECT_NEAR(D(g.TeqF), 1000, 1e-9);
    EXPECT_NEAR(D(g.TeqH), 1000, 1e-9);
    EXPECT_NEAR(D(g.TnF), 2000, 1e-9);
    // 2000 * 3000^(1/8.7)
    EXPECT_NEAR(D(g.T0F), 5019.9467, 1e-3);
    EXPECT_NEAR(D(g.TnH), 1500, 1e-9);
    // 1500 * (1e6 / 1e5)^(1/8.7)
    EXPECT_NEAR(D(g.T0H), 1954.4915, 1e-3);
    // Neq between the corners: 1000 * 1000^(1/8.7) and 1000 * (1/3)^(1/8.7)
    EXPECT_NEAR(D(g.T0Feq), 2212.2163, 1e-3);
    EXPECT_NEAR(D(g.TnFeq), 881.3704, 1e-3);
    EXPECT_NEAR(D(g.T0Heq), 1302.9943, 1e-3);
    EXPECT_NEAR(D(g.TnHeq), 637.8464, 1e-3);
    EXPECT_NEAR(D(PlanetaryStage.MeanLoadFactor), 1.0, 1e-12);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_EQ(LifeParams.LW, "default line");
}

TEST_F(SpectrumLife, FallingSpectrumWithTheDefaultLines)
{
    tables.MakeLifeTable({DefaultLine});
    // 1200 Nm for 1e5, nominal for 1e6, 600 Nm for 4e6 and 400 Nm (below half
    // the nominal torque: not in Neq) for 1e7 cycles.
    Spectrum({{1e5L, 1200}, {1e6L, 1000}, {4e6L, 600}, {1e7L, 400}});
    CalcLoadSpectrumLife(2000, 1500);
    const auto& g = GearPair;
    EXPECT_DOUBLE_EQ(D(g.Nsum), 1.51e7);
    EXPECT_DOUBLE_EQ(D(g.Neq), 5.1e6);
    // (1.2^8.7*1e5 + 1e6 + 0.6^8.7*4e6 + 0.4^8.7*1e7) / 5.1e6 = 0.30182, ^(1/8.7)
    EXPECT_NEAR(D(g.LoadSpectrumKA_F), 0.871345, 1e-6);
    EXPECT_NEAR(D(g.LoadSpectrumKA_H), 0.871345, 1e-6);
    EXPECT_NEAR(D(g.TeqF), 871.3451, 1e-3);
    EXPECT_NEAR(D(g.T0F), 4374.1060, 1e-3);
    EXPECT_NEAR(D(g.T0H), 2053.7799, 1e-3);
    EXPECT_NEAR(D(g.T0Feq), 2187.0530, 1e-3);
    // Neq above NnF: the equivalent torque is the endurance corner.
    EXPECT_NEAR(D(g.TnFeq), 871.3451, 1e-3);
    EXPECT_NEAR(D(g.T0Heq), 1369.1866, 1e-3);
    EXPECT_NEAR(D(g.TnHeq), 670.2490, 1e-3);
    // (sum Ti^3 Ni / Nsum)^(1/3) / T1
    EXPECT_NEAR(D(PlanetaryStage.MeanLoadFactor), 0.561754, 1e-6);
    EXPECT_FALSE(HasMessage("Lastkoll: T2 > T1"));
}

// The shipped lines against the life factors of ISO 6336-3 (Y_NT, root) and
// ISO 6336-2 (Z_NT, pitting): upper corner N0 with factor f0, lower corner Nn
// with 1. The root stress grows with the torque and the contact stress with
// its square root, so the torque line's exponent is ln(Nn / N0) / ln f0 for
// the root and ln(Nn / N0) / (2 ln f0) for pitting. The results are hand
// reductions of the spectrum below with the exponents rounded as the table
// holds them; Neq = 5.1e6 lies between the pitting corners of records 1 to 4
// and beyond the lower one of records 5 to 7.
struct TStandardLine {
    int N0F;
    double f0F;
    int NnF;
    int N0H;
    double f0H;
    int NnH;
    double KA_F, KA_H, T0H, T0Heq, TnHeq;
};

const TStandardLine ShippedLines[] = {
    // Eh, IF case hardened; the same with some pitting allowed
    {1000, 2.5, 3000000, 100000, 1.6, 50000000, 0.872021, 0.830489, 2257.9651, 1505.3100, 587.9922},
    {1000, 2.5, 3000000, 600000, 1.6, 1000000000, 0.872021, 0.856347, 1684.6442, 1123.0961, 438.7070},
    // St, V, GGG and GTS perlitic; the same with some pitting allowed
    {10000, 2.5, 3000000, 100000, 1.6, 50000000, 0.822474, 0.830489, 2257.9651, 1505.3100, 587.9922},
    {10000, 2.5, 3000000, 600000, 1.6, 1000000000, 0.822474, 0.856347, 1684.6442, 1123.0961, 438.7070},
    // NT, NV gas nitrided; NV nitrocarburized; GG, GGG ferritic
    {1000, 1.6, 3000000, 100000, 1.3, 2000000, 0.973605, 0.811999, 2425.2026, 1372.2915, 811.9987},
    {1000, 1.1, 3000000, 100000, 1.1, 2000000, 1.145127, 0.961615, 1852.4393, 1163.5494, 961.6145},
    {1000, 1.1, 3000000, 100000, 1.3, 2000000, 1.145127, 0.811999, 2425.2026, 1372.2915, 811.9987},
};

TEST_F(SpectrumLife, EveryLineOfTheShippedTableIsThatOfTheStandard)
{
    telmvar.DbfDir = QYR7_DATA_DIR;
    Spectrum({{1e5L, 1200}, {1e6L, 1000}, {4e6L, 600}, {1e7L, 400}});
    int record = 0;
    for (const TStandardLine& r : ShippedLines) {
        SCOPED_TRACE(++record);
        GearPair.LoadSpectrumKind = record;
        CalcLoadSpectrumLife(2000, 1500);
        ASSERT_FALSE(telmvar.Aborted);
        const auto& l = LifeParams;
        const auto& g = GearPair;
        EXPECT_EQ(std::make_tuple(l.N0F, l.NnF, l.N0H, l.NnH), std::make_tuple(r.N0F, r.NnF, r.N0H, r.NnH));
        EXPECT_NEAR(l.pF, std::log(double(r.NnF) / r.N0F) / std::log(r.f0F), 5e-4);
        EXPECT_NEAR(l.pH, std::log(double(r.NnH) / r.N0H) / (2 * std::log(r.f0H)), 5e-4);
        EXPECT_NEAR(D(g.LoadSpectrumKA_F), r.KA_F, 1e-6);
        EXPECT_NEAR(D(g.LoadSpectrumKA_H), r.KA_H, 1e-6);
        EXPECT_NEAR(D(g.T0H), r.T0H, 1e-3);
        EXPECT_NEAR(D(g.T0Heq), r.T0Heq, 1e-3);
        EXPECT_NEAR(D(g.TnHeq), r.TnHeq, 1e-3);
    }
    // A row without its line here would go unchecked.
    ASSERT_TRUE(DbfOpen("qyrlife.dbf"));
    EXPECT_EQ(DbfRecCount(), record);
    DbfClose();
}

// Under a decimal comma the C library read 8.738 as 8.
TEST_F(SpectrumLife, NumbersOfTheTableReadTheSameUnderADecimalComma)
{
    const testlocales::ScopedLocale german("de_DE.UTF-8");
    ASSERT_TRUE(german.Ok());
    tables.MakeLifeTable({{"points", "1000", "3000000", "8.738", "100000", "50000000", "13.222"}});
    ASSERT_TRUE(ReadLifeMaterial());
    const auto& p = LifeParams;
    EXPECT_EQ(std::make_tuple(p.N0F, p.NnF, p.pF, p.N0H, p.NnH, p.pH),
              std::make_tuple(1000, 3000000, 8.738, 100000, 50000000, 13.222));
}

// A table directory with a final backslash opens its tables, in place and, read-only, from the copy.
TEST_F(SpectrumLife, TableDirectoryEndingInABackslashOpensItsTables)
{
    tables.MakeLifeTable({DefaultLine});
    telmvar.DbfDir += "\\";
    Spectrum({{1e6L, 1000}});
    for (const auto mode : {std::filesystem::perms::owner_all, std::filesystem::perms::owner_read}) {
        std::filesystem::permissions(tables.Path("qyrlife.dbf"), mode);
        ResetLifeMaterialRead();
        LifeParams.LW = "";
        CalcLoadSpectrumLife(2000, 1500);
        EXPECT_EQ(LifeParams.LW + (telmvar.Aborted ? " aborted" : ""), "default line");
    }
    EXPECT_EQ(headless.HeadlessMessages().AskedQuestions().size(), 0u);
}

TEST_F(SpectrumLife, HalfTheNominalTorqueCountsJustBelowDoesNot)
{
    tables.MakeLifeTable({DefaultLine});
    Spectrum({{1e6L, 1000}, {2e6L, 500}, {4e6L, 499.999L}});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_DOUBLE_EQ(D(GearPair.Neq), 3e6);
    EXPECT_DOUBLE_EQ(D(GearPair.Nsum), 7e6);
    // The item below half still enters the sum of step 5.
    const double sf = (1e6 + std::pow(0.5, 8.7) * 2e6 + std::pow(0.499999, 8.7) * 4e6) / 3e6;
    EXPECT_NEAR(D(GearPair.LoadSpectrumKA_F), std::pow(sf, 1 / 8.7), 1e-9);
}

TEST_F(SpectrumLife, NeqAtTheEnduranceCornerIsTheMiddleCase)
{
    tables.MakeLifeTable({DefaultLine});
    Spectrum({{3e6L, 1000}});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_NEAR(D(GearPair.TnFeq), D(GearPair.TeqF), 1e-9);
    // 1000 * 3000^(1/8.7)
    EXPECT_NEAR(D(GearPair.T0Feq), 2509.9733, 1e-3);
}

TEST_F(SpectrumLife, NeqAtTheUpperCornerWithTheDefaults)
{
    tables.MakeLifeTable({DefaultLine});
    Spectrum({{1000, 1000}});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_NEAR(D(GearPair.T0Feq), D(GearPair.TeqF), 1e-9);
    EXPECT_NEAR(D(GearPair.TnFeq), 1000 / 2.509973346, 1e-6);
    // Below the pitting line's upper corner: the equivalent torque is T0Heq.
    EXPECT_NEAR(D(GearPair.T0Heq), 1000, 1e-9);
    // 1000 / 500^(1/8.7)
    EXPECT_NEAR(D(GearPair.TnHeq), 489.5235, 1e-3);
}

TEST_F(SpectrumLife, RisingTorquesAreReportedAndTheCalculationGoesOn)
{
    tables.MakeLifeTable({DefaultLine});
    Spectrum({{1e5L, 800}, {1e5L, 900}, {1e5L, 700}, {1e5L, 1000}});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_TRUE(HasMessage("Lastkoll: T2 > T1"));
    EXPECT_FALSE(HasMessage("Lastkoll: T3 > T2"));
    EXPECT_TRUE(HasMessage("Lastkoll: T4 > T3"));
    EXPECT_GT(D(GearPair.TeqF), 0);
    EXPECT_FALSE(telmvar.FatalCalcError);
}

TEST_F(SpectrumLife, EveryTorqueBelowHalfIsFatal)
{
    tables.MakeLifeTable({DefaultLine});
    GearPair.TeqF = 123;
    Spectrum({{1e6L, 400}, {1e6L, 300}});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_TRUE(HasMessage("Fatal  : Neq = 0 !"));
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_DOUBLE_EQ(D(GearPair.Nsum), 2e6);
    EXPECT_DOUBLE_EQ(D(GearPair.Neq), 0);
    EXPECT_DOUBLE_EQ(D(GearPair.TeqF), 123);
}

TEST_F(SpectrumLife, NominalTorqueZeroIsAnError)
{
    tables.MakeLifeTable({DefaultLine});
    GearPair.T[1] = 0;
    Spectrum({{1e6L, 400}});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_TRUE(HasMessage("Error  : T1 = 0 !"));
    EXPECT_TRUE(telmvar.FatalCalcError);
}

TEST_F(SpectrumLife, NoItemsComputesNothing)
{
    GearPair.TeqF = 77;
    Spectrum({});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_DOUBLE_EQ(D(GearPair.TeqF), 77);
    EXPECT_EQ(error0.ErrorCount, 0);
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(SpectrumLife, MissingTableStopsTheCalculationAndChangesNoResult)
{
    GearPair.TeqF = 77;
    Spectrum({{1e6L, 1000}});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_TRUE(HasMessage("QYRLIFE.DBF not found"));
    EXPECT_TRUE(telmvar.Aborted);
    // The old results are no results of this spectrum: reports must not
    // show them.
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_DOUBLE_EQ(D(GearPair.TeqF), 77);
}

TEST_F(SpectrumLife, EmptyTableIsLikeAMissingOne)
{
    tables.MakeLifeTable({});
    Spectrum({{1e6L, 1000}});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_TRUE(HasMessage("QYRLIFE.DBF not found"));
    EXPECT_TRUE(telmvar.Aborted);
}

TEST_F(SpectrumLife, RowWithoutAnSNLineKeepsTheMaterialInUse)
{
    tables.MakeLifeTable({{"broken", "0", "0", "0", "0", "0", "0"}});
    LifeParams.LW = "kept";
    Spectrum({{1e6L, 1000}});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_TRUE(HasMessage("QYRLIFE.DBF record 1 holds no S-N line: field N0F is 0")) << Messages();
    EXPECT_EQ(LifeParams.LW, "kept");
    EXPECT_EQ(LifeParams.N0F, 1000);
}

// A table short of the S-N line's fields is named with the count it holds,
// a message that starts as the other damaged tables' of the help file do.
TEST_F(SpectrumLife, ATableShortOfFieldsIsNamedWithItsFieldCount)
{
    tables.Make("qyrlife.dbf", {{"LW", 'C', 30, 0, 0}, {"N0F", 'N', 10, 0, 0}}, {{"short", "1000"}});
    Spectrum({{1e6L, 1000}});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(HasMessage("QYRLIFE.DBF holds 2 fields, 7 needed")) << Messages();
}

TEST_F(SpectrumLife, ARecordBeyondTheEndTakesTheLastOne)
{
    tables.MakeLifeTable({DefaultLine, {"second", "2000", "4000000", "6", "200000", "60000000", "10"}});
    GearPair.LoadSpectrumKind = 9;
    Spectrum({{1e6L, 1000}});
    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_TRUE(HasMessage("DBF #9 not found."));
    EXPECT_EQ(LifeParams.LW, "second");
    EXPECT_EQ(LifeParams.N0F, 2000);
    EXPECT_DOUBLE_EQ(LifeParams.pH, 10);
}

TEST_F(SpectrumLife, SelectingALifeMaterialTakesThePickedRow)
{
    tables.MakeLifeTable({DefaultLine, {"second", "2000", "4000000", "6", "200000", "60000000", "10"}});
    GearPair.LoadSpectrumKind = 1;
    headless.HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        auto& b = dynamic_cast<TDbfBrowserModel&>(m);
        EXPECT_EQ(b.RecordNo, 1);
        EXPECT_EQ(b.Title2, "select material and heat treatment");
        EXPECT_EQ(telmvar.HelpNumber, 6510) << "the life table's help entry while it is shown";
        b.RecordNo = 2;
        return platform::DialogResult::Ok;
    });
    SelectLifeMaterial(1);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(GearPair.LoadSpectrumKind, 2);
    EXPECT_EQ(LifeParams.LW, "second");
    EXPECT_EQ(LifeParams.NnH, 60000000);
    EXPECT_FALSE(dbf4.tzdbf.Active());
}

TEST_F(SpectrumLife, CancelledSelectionChangesNothing)
{
    tables.MakeLifeTable({DefaultLine, {"second", "2000", "4000000", "6", "200000", "60000000", "10"}});
    GearPair.LoadSpectrumKind = 1;
    headless.HeadlessDialogs().QueueResult(platform::DialogResult::Cancel);
    SelectLifeMaterial(1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(GearPair.LoadSpectrumKind, 1);
    EXPECT_EQ(LifeParams.LW, "");
}

TEST_F(SpectrumLife, BrowsingInModeZeroKeepsTheChoice)
{
    tables.MakeLifeTable({DefaultLine, {"second", "2000", "4000000", "6", "200000", "60000000", "10"}});
    headless.HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        dynamic_cast<TDbfBrowserModel&>(m).RecordNo = 2;
        return platform::DialogResult::Ok;
    });
    SelectLifeMaterial(0);
    EXPECT_EQ(GearPair.LoadSpectrumKind, 1);
    EXPECT_EQ(LifeParams.LW, "");
}

// A life table changed between two calculations to the same size and the
// same modification time, to the nanosecond: only pF of its row differs.
struct TTableChange {
    const char* Name;
    bool NewFile; // written beside and renamed over it, or edited in place
};

class ChangedLifeTable : public SpectrumLife, public ::testing::WithParamInterface<TTableChange>
{
};

TEST_P(ChangedLifeTable, IsReadAgain)
{
    tables.MakeLifeTable({DefaultLine});
    Spectrum({{1e6L, 1000}});
    CalcLoadSpectrumLife(2000, 1500);
    ASSERT_DOUBLE_EQ(LifeParams.pF, 8.7);

    const std::string path = tables.Path("qyrlife.dbf");
    struct stat before {
    };
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    // PF is N 8.3, the first of the two "8.700" of the row.
    const std::size_t at = bytes.find("   8.700");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 8, "   9.500");
    const std::string target = GetParam().NewFile ? path + ".new" : path;
    std::fstream out(target, std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (GetParam().NewFile) std::filesystem::rename(target, path);
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    struct stat after {
    };
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    ASSERT_EQ(after.st_size, before.st_size);
    ASSERT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    ASSERT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

    CalcLoadSpectrumLife(2000, 1500);
    EXPECT_DOUBLE_EQ(LifeParams.pF, 9.5);
    EXPECT_DOUBLE_EQ(LifeParams.pH, 8.7);
    EXPECT_FALSE(telmvar.Aborted);
}

INSTANTIATE_TEST_SUITE_P(Changes, ChangedLifeTable,
                         ::testing::Values(TTableChange{"EditedInPlace", false},
                                           TTableChange{"ReplacedByANewFile", true}),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
