// Order and stop rules of the pair calculation frame.

#include "gearpair/geometry/calcgearpair.h"

#include <gtest/gtest.h>

#include "common/testmessages.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"

namespace
{

int lifeCalls = 0;
bool lifeAborts = false;

void RecordLife(Extended, Extended)
{
    ++lifeCalls;
    AddErrorMessage("life step ran");
    if (lifeAborts) telmvar.Aborted = true;
}

bool KeepFactors()
{
    return true;
}

class Frame : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        SetGearDefaults();
        InitGearPairData();
        lifeCalls = 0;
        lifeAborts = false;
        SetLoadSpectrumFactorsProc(&KeepFactors);
        SetLoadSpectrumLifeProc(&RecordLife);
    }
    void TearDown() override
    {
        SetLoadSpectrumFactorsProc(nullptr);
        SetLoadSpectrumLifeProc(nullptr);
    }
};

TEST_F(Frame, StartsWithAnEmptyMessageList)
{
    AddErrorMessage("left over from before");
    telmvar.FatalCalcError = true;
    telmvar.Aborted = true;
    CalcGearPair();
    EXPECT_FALSE(HasMessage("left over from before"));
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(Frame, WithoutLoadSpectrumNoLifeStep)
{
    GearPair.LoadSpectrumCount = 0;
    GearPair.T[1] = 1000;
    CalcGearPair();
    EXPECT_EQ(lifeCalls, 0);
}

TEST_F(Frame, NoTorqueNoLifeStep)
{
    GearPair.LoadSpectrumCount = 3;
    GearPair.T[1] = 0;
    GearPair.P = 0; // with a power the load capacity step derives the torque from it
    CalcGearPair();
    EXPECT_EQ(lifeCalls, 0);
}

TEST_F(Frame, LifeStepMessagesOutlastTheFinalRun)
{
    // The spectrum's own messages (a falling spectrum, a material row the
    // table lacks) say something about the results shown: they stay when
    // the limit-load trials' messages are dropped.
    GearPair.LoadSpectrumCount = 3;
    GearPair.T[1] = 1000;
    CalcGearPair();
    EXPECT_EQ(lifeCalls, 1);
    EXPECT_TRUE(HasMessage("life step ran"));

    lifeAborts = true;
    CalcGearPair();
    EXPECT_EQ(lifeCalls, 2);
    EXPECT_TRUE(HasMessage("life step ran"));
}

TEST_F(Frame, ApplicationFactorsFromTheSpectrumOnlyWhenChosen)
{
    auto& g = GearPair;
    g.LoadSpectrumCount = 3;
    g.T[1] = 1000;
    g.KA_H = 1.25L;
    g.KA_F = 1.5L;
    g.LoadSpectrumKA_H = 1.1L;
    g.LoadSpectrumKA_F = 1.2L;
    CalcGearPair();
    EXPECT_EQ(ApplicationFactorH(g), 1.25L);
    EXPECT_EQ(ApplicationFactorF(g), 1.5L);
    // The spectrum's factors are in force, the entered ones stay for the
    // next calculation and the file.
    g.KaFromLoadSpectrum = 1;
    CalcGearPair();
    EXPECT_EQ(ApplicationFactorH(g), 1.1L);
    EXPECT_EQ(ApplicationFactorF(g), 1.2L);
    EXPECT_EQ(g.KA_H, 1.25L);
    EXPECT_EQ(g.KA_F, 1.5L);
}

TEST_F(Frame, FatalGeometryStopsBeforeTheLoadSteps)
{
    GearPair.LoadSpectrumCount = 3;
    GearPair.T[1] = 1000;
    GearPair.mn = 0;
    CalcGearPair();
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_TRUE(HasMessage("Fatal  : mn <= 0!"));
    EXPECT_EQ(lifeCalls, 0);
}

TEST_F(Frame, GeometryAloneLeavesTheMessagesOfTheCaller)
{
    AddErrorMessage("caller's message");
    CalcGeometry();
    EXPECT_TRUE(HasMessage("caller's message"));
}

} // namespace
