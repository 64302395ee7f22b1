// What the stage calculation states: each mesh judged from its own faces,
// and no result of an earlier run or a table that could not be read standing
// in for one that was not calculated.
#include "planetary_fixture.h"
#include "table_files.h"

#include "common/testmessages.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stagecalc.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace
{

using StageResults = StageTest;

// Helical stage, beta 13 degrees, every face 100 wide without chamfers or
// offset. Overlap ratio by hand: 100 sin 13 / (pi 6.5) = 22.4951 / 20.4204
// = 1.101602.
constexpr double HelicalEpsBeta = 1.101602;

void HelicalStageOfEqualFaces()
{
    GearPair.beta = 13;
    PlanetaryGears.ToothAlignment[gS] = 1;
    for (int k = 1; k <= 4; ++k) {
        PlanetaryGears.b[k] = 100;
        PlanetaryGears.bcha[k] = 0;
    }
    for (int m = mSPi; m <= mPeH; ++m)
        PlanetaryGears.bctr[m] = 0;
}

struct BeforeCase {
    const char* Name;
    // Whatever the pair record holds when the stage starts.
    void (*Before)();
};

const BeforeCase BeforeCases[] = {
    {"FreshStart", [] {}},
    {"PairRecordStartValue", [] { GearPair.b_effH = 88; }},
    {"NarrowPairLeftBehind", [] { GearPair.b_effH = 5; }},
    {"EarlierStageOfNarrowerFaces",
     [] {
         for (int k = 1; k <= 4; ++k)
             PlanetaryGears.b[k] = 60;
         CalcPlanetaryStage();
         for (int k = 1; k <= 4; ++k)
             PlanetaryGears.b[k] = 100;
     }},
};

TEST_F(StageResults, EachMeshTakesTheOverlapRatioOfItsOwnFaces)
{
    const double expected = 100 * std::sin(13 * std::numbers::pi / 180) / (std::numbers::pi * 6.5);
    ASSERT_NEAR(expected, HelicalEpsBeta, 1e-6);
    for (const auto& c : BeforeCases) {
        SetUp();
        HelicalStageOfEqualFaces();
        c.Before();
        CalcPlanetaryStage();
        ASSERT_FALSE(telmvar.FatalCalcError) << c.Name << ": " << Messages();
        for (int m = mSPi; m <= mPeH; ++m) {
            EXPECT_NEAR(D(PlanetaryGears.eps_beta[m]), expected, 1e-12) << c.Name << " mesh " << m;
            EXPECT_NEAR(D(PlanetaryGears.b_effH[m]), 100, 1e-12) << c.Name << " mesh " << m;
        }
        for (const auto& message : CollectedMessages())
            EXPECT_EQ(message.Text.find("eps.beta"), std::string::npos) << c.Name << ": " << message.Text;
    }
}

// The shipped life table, a spectrum of two steps on the default stage.
void StageWithSpectrum()
{
    GearPair.LoadSpectrumCount = 2;
    GearPair.LoadSpectrumKind = 1;
    // The nominal torque 72 kW at 100 1/min, then half of it.
    const Extended TN = 72.0L * 60000 / (100 * 2 * std::numbers::pi_v<Extended>);
    GearPair.LoadSpectrum[1] = {1e6L, TN};
    GearPair.LoadSpectrum[2] = {1e7L, TN / 2};
    PutStageLoadSpectrum();
}

struct TableCase {
    const char* Name;
    // Sets up the table directory the calculation reads.
    void (*Tables)(const TableDir&);
    void (*Stage)();
    const char* Fatal;
};

void NoTables(const TableDir&) {}
void BrokenLifeRow(const TableDir& t)
{
    t.MakeLifeTable({{"broken", "0", "0", "0", "0", "0", "0"}});
}
void DeepGrooveBallBearing()
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

const TableCase TableCases[] = {
    {"LifeTableMissing", NoTables, StageWithSpectrum, "QYRLIFE.DBF not found"},
    {"LifeTableRowWithoutSNLine", BrokenLifeRow, StageWithSpectrum,
     "QYRLIFE.DBF record 1 holds no S-N line: field N0F is 0"},
    {"XYFactorTableMissing", NoTables, DeepGrooveBallBearing,
     "Fatal  : X, Y of bearing 1 not read from rikula_n.hdf !"},
    {"BearingNamedButUndefined", NoTables,
     [] {
         PlanetBearings[2].Designation = "6208";
         PlanetBearings[2].d = 0;
     },
     "Fatal  : rolling bearing undefined !"},
};

TEST_F(StageResults, WhatCannotBeCalculatedStopsTheStageByName)
{
    for (const auto& c : TableCases) {
        SetUp();
        TableDir tables;
        tables.Use();
        c.Tables(tables);
        c.Stage();
        CalcPlanetaryStage();
        EXPECT_TRUE(telmvar.FatalCalcError) << c.Name;
        EXPECT_EQ(error0.FatalText, c.Fatal) << c.Name << ": " << Messages();
        EXPECT_TRUE(HasMessage(c.Fatal)) << c.Name << ": " << Messages();
    }
}

TEST_F(StageResults, TheSpectrumWithTheShippedTableCalculates)
{
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
    StageWithSpectrum();
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError) << error0.FatalText << " | " << Messages();
    // Sum of the cycles 1e6 + 1e7; both steps reach half the nominal torque.
    for (int m = mSPi; m <= mPeH; ++m) {
        EXPECT_NEAR(D(PlanetaryGears.Nsum[m]), 1.1e7, 1e-3) << m;
        EXPECT_NEAR(D(PlanetaryGears.Neq[m]), 1.1e7, 1e-3) << m;
    }
}

TEST_F(StageResults, AMeshMessageTheStageChecksDoNotRepeatStaysNamedAfterItsMesh)
{
    // The project names life material 99, the shipped table has fewer rows:
    // the last row is taken, and the stage says so for every mesh.
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
    StageWithSpectrum();
    GearPair.LoadSpectrumKind = 99;
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    for (const char* mesh : {"S-Pi", "Pi-Pe", "Pe-H"})
        EXPECT_TRUE(HasMessage(std::string("DBF #99 not found. (") + mesh + ")")) << Messages();
    // The meshes' own judgements are not among them: the stage's checks
    // name the gears instead of the pair's "(1)" and "(2)".
    for (const auto& message : CollectedMessages())
        EXPECT_EQ(message.Text.find("SH<1 (1)"), std::string::npos) << message.Text;
}

} // namespace
