// The tooth graphics settings menu driven by scripted answers through the
// graphics layer's prompt hooks. A range prompt's script refuses answers
// outside the bounds it was given and takes the next one, as the real
// prompts ask again.
#include "toothtestsupport.h"

#include "drawings/tooth/toothgraphicsconfig.h"
#include "graphics/graphservices.h"

#include <deque>
#include <string>
#include <vector>

namespace
{

struct TAnswer {
    double Value = 0; // choice, count, flag (0/1) or number
    bool Cancel = false;
};

class ToothGraphicsConfig : public ToothContourFixture
{
  protected:
    void SetUp() override
    {
        ToothContourFixture::SetUp();
        TToothGear g2;
        g2.z = 40;
        Load(1, TToothGear{});
        Load(2, g2);
        auto& g = GearPair;
        g.a = 60;
        g.Aa = 0.05L;
        g.Aai = -0.03L;
        g.a_pic = 60;
        g.xevmin[1] = -0.2L;
        g.xevmax[1] = -0.1L;
        g.xemin[1] = -0.3L;
        g.xemax[1] = -0.25L;
        cadsettings.CadPolylineAllowed = false;
        // Radii that confgraf would never give: a recomputation shows.
        g.df_pic[1] = -1;
        graphservices.AskSelect = [this](const std::string& P, int Count, uint16_t& C) {
            asked_.push_back(P + " [" + std::to_string(C) + "]");
            items_.push_back(telmvar.TextItems[1]);
            const TAnswer a = Next();
            if (a.Cancel) {
                telmvar.Aborted = true;
                return;
            }
            ASSERT_LE(a.Value, Count);
            C = static_cast<uint16_t>(a.Value);
        };
        graphservices.AskYesNoFlag = [this](const std::string& P, bool& F) {
            asked_.push_back(P);
            const TAnswer a = Next();
            if (a.Cancel)
                telmvar.Aborted = true;
            else
                F = a.Value != 0;
        };
        graphservices.AskIntInRange = [this](const std::string& P, int32_t& V, int32_t Lo, int32_t Hi) {
            double v = 0;
            if (Range(P, v, Lo, Hi)) V = static_cast<int32_t>(v);
        };
        graphservices.AskDoubleInRange = [this](const std::string& P, Extended& V, Extended Lo, Extended Hi) {
            double v = 0;
            if (Range(P, v, static_cast<double>(Lo), static_cast<double>(Hi))) V = v;
        };
        graphservices.AskLengthInRange = graphservices.AskDoubleInRange;
    }
    void TearDown() override { ToothContourFixture::TearDown(); }
    TAnswer Next()
    {
        if (script_.empty()) return TAnswer{0, true};
        const TAnswer a = script_.front();
        script_.pop_front();
        return a;
    }
    bool Range(const std::string& P, double& V, double Lo, double Hi)
    {
        asked_.push_back(P);
        for (;;) {
            const TAnswer a = Next();
            if (a.Cancel) {
                telmvar.Aborted = true;
                return false;
            }
            if (a.Value >= Lo && a.Value <= Hi) {
                V = a.Value;
                return true;
            }
            ++refused_;
        }
    }
    void Run(std::initializer_list<TAnswer> Script)
    {
        script_ = Script;
        telmvar.Aborted = false;
        ConfigureToothGraphics();
        EXPECT_TRUE(script_.empty()) << "answers left over";
    }
    static TAnswer Cancel() { return TAnswer{0, true}; }

    std::deque<TAnswer> script_;
    std::vector<std::string> asked_;
    std::vector<std::string> items_;
    int refused_ = 0;
};

TEST_F(ToothGraphicsConfig, ReturnFirstOnlyRecomputesTheRadii)
{
    const auto before = GearPair.x_pic;
    Run({{5}});
    EXPECT_FALSE(telmvar.Aborted);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0], "Configuration tooth grahics [1]");
    EXPECT_EQ(items_[0], "Steps for involute and tooth shape");
    // d - 2 haP0 at x 0.
    EXPECT_NEAR(static_cast<double>(GearPair.df_pic[1]), 35, 1e-12);
    EXPECT_EQ(GearPair.x_pic[1], before[1]);
}

TEST_F(ToothGraphicsConfig, StepsAndPolylineSwitch)
{
    Run({{1}, {0}, {50}, {1}, {2}, {300}, {60}, {5}});
    EXPECT_FALSE(telmvar.Aborted);
    const auto& g = GearPair;
    EXPECT_FALSE(g.DrawRootCurve);
    EXPECT_EQ(g.FilletResolution, 50);
    EXPECT_EQ(g.InvolutePoints, 1);
    EXPECT_EQ(g.RingToothShapes, 300);
    EXPECT_EQ(g.GearToothShapes, 60);
    EXPECT_TRUE(cadsettings.CadPolylineAllowed);
    // "Line" proposed although polylines were off before; the main menu
    // then proposes the item after the one just done.
    EXPECT_EQ(asked_[4], "drawing element for involute curve [1]");
    EXPECT_EQ(asked_.back(), "Configuration tooth grahics [2]");
    EXPECT_EQ(refused_, 0);
}

TEST_F(ToothGraphicsConfig, CoefficientsFromBacklashAndEnteredOutsideTheRangeRefused)
{
    // Gear 1: involute "min. backlash premach." (xevmax), tooth shape
    // proposed the same, chosen "min. backlash fin." (xemax); gear 2:
    // entered, 3.5 refused, then 0.4; tooth shape entered -0.2.
    Run({{2}, {2}, {5}, {7}, {3.5}, {0.4}, {7}, {-0.2}, {5}});
    const auto& g = GearPair;
    EXPECT_NEAR(static_cast<double>(g.x_pic[1]), -0.1, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.xv_pic[1]), -0.25, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.x_pic[2]), 0.4, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.xv_pic[2]), -0.2, 1e-12);
    EXPECT_EQ(refused_, 1);
    EXPECT_EQ(asked_[1], "gen.addend.modif.coef. involute gear 1 [7]");
    EXPECT_EQ(asked_[2], "gen.addend.modif.coef. tooth shape gear 1 [2]");
    EXPECT_EQ(items_[1], "mean torsional backlash premach. (xe = -0.15)");
    // "return" recomputed the radii at the new x_pic: df = 35 + 2 (-0.1) 2.
    EXPECT_NEAR(static_cast<double>(g.df_pic[1]), 34.6, 1e-12);
}

TEST_F(ToothGraphicsConfig, CentreDistanceChoicesAndRange)
{
    // "Max." is a + Aa; the menu proposes "Nom." the first time and the
    // last choice afterwards.
    Run({{3}, {2}, {3}, {3}, {5}});
    EXPECT_NEAR(static_cast<double>(GearPair.a_pic), 59.97, 1e-12);
    EXPECT_EQ(asked_[1], "Center distance [1]");
    EXPECT_EQ(asked_[3], "Center distance [2]");
    EXPECT_EQ(items_[1], "Nom. center distance  a = 60.000");

    // Entered: outside a +- mn (58 .. 62) refused and asked again.
    refused_ = 0;
    Run({{3}, {4}, {62.5}, {57.9}, {59}, {5}});
    EXPECT_EQ(refused_, 2);
    EXPECT_NEAR(static_cast<double>(GearPair.a_pic), 59, 1e-12);
}

TEST_F(ToothGraphicsConfig, AuxiliaryDiameters)
{
    Run({{4}, {2}, {5}});
    EXPECT_EQ(GearPair.DrawingConfiguration, 2);
    EXPECT_EQ(asked_[1], "drawing configuration [1]");
}

TEST_F(ToothGraphicsConfig, CancelInsideAnItemLeavesAbortedWithoutRecomputing)
{
    const int fillet = GearPair.FilletResolution;
    Run({{1}, {1}, Cancel()});
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(GearPair.FilletResolution, fillet);
    EXPECT_EQ(GearPair.df_pic[1], -1);

    // Cancel in the main menu: not aborted, nothing recomputed.
    Run({Cancel()});
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(GearPair.df_pic[1], -1);
}

} // namespace

namespace
{

TEST(ToothGraphicsDefaults, PictureSettingsOfAFreshPair)
{
    GearPair.PlanetSunChoice = 2;
    GearPair.MeshRotationAngle = 12;
    GearPair.DrawGearBody = true;
    GearPair.RingFixingHoles.Count = 8;
    GearPair.DrawingConfiguration = 2;
    InitGearPairData();
    EXPECT_EQ(GearPair.PlanetSunChoice, 1);
    EXPECT_EQ(GearPair.MeshRotationAngle, 0);
    EXPECT_FALSE(GearPair.DrawGearBody);
    EXPECT_FALSE(GearPair.RingFixingHoles.Enabled);
    EXPECT_EQ(GearPair.RingFixingHoles.Count, 0);
    // No auxiliary diameters unless asked for.
    EXPECT_EQ(GearPair.DrawingConfiguration, 1);
    EXPECT_EQ(GearPair.GearToothShapes, 30);
    EXPECT_EQ(GearPair.RingToothShapes, 200);
}

} // namespace
