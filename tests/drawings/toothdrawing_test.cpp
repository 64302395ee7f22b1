// The "Tooth drawing" menu. Gear 1 by hand: mn 2, z 20, x 0, no
// allowances: d 40, da 44, df 35, da0 44, so
//   item 1 window (-3 mn, d/2 - 2 mn, 3 mn, d/2 + 2 mn) = (-6, 16, 6, 24),
//   item 4 window +-(da0/2 + 1.5 mn) = +-25, teeth at 360 - 18 k + 9 deg,
//   item 2 with N teeth: first insert (1 - N) 180/z, then every 18 deg;
//   A = N 180/z = 27 deg for N = 3, so the bore sector runs 63..117 deg.
// Gear 2 is z 40 (or the ring -40 where a case says so).
#include "cadlogsupport.h"
#include "toothtestsupport.h"

#include "drawings/tooth/toothdrawing.h"
#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "graphics/graphservices.h"
#include "reports/engine/reportservices.h"

#include <cmath>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

// The prompts a command asked, in order, with the choice each proposed.
struct TAsked {
    std::string Prompt;
    int Proposed = 0;
};

class ToothDrawing : public CadLogFixtureT<ToothContourFixture>
{
  protected:
    void SetUp() override
    {
        CadLogFixtureT<ToothContourFixture>::SetUp();
        telmvar.FatalCalcError = false;
        LoadPair(40);
        asked_.clear();
        answers_.clear();
        // 0 stands for Cancel.
        graphservices.AskSelect = [this](const std::string& P, int, uint16_t& C) {
            asked_.push_back({P, C});
            const int a = Next();
            if (a == 0)
                telmvar.Aborted = true;
            else
                C = static_cast<uint16_t>(a);
        };
        graphservices.AskIntInRange = [this](const std::string& P, int32_t& V, int32_t, int32_t) {
            asked_.push_back({P, V});
            const int a = Next();
            if (a == 0)
                telmvar.Aborted = true;
            else
                V = a;
        };
        graphservices.AskDoubleInRange = [this](const std::string& P, Extended& V, Extended, Extended) {
            asked_.push_back({P, static_cast<int>(V)});
            const int a = Next();
            if (a == 0)
                telmvar.Aborted = true;
            else
                V = a;
        };
        reportservices.ShowMessageIfEnabled = [this](const std::string& T) { messages_.push_back(T); };
    }
    void TearDown() override { CadLogFixtureT<ToothContourFixture>::TearDown(); }
    int Next()
    {
        if (answers_.empty()) return 0;
        const int a = answers_.front();
        answers_.pop_front();
        return a;
    }
    static void LoadPair(int Z2)
    {
        Load(1, TToothGear{});
        Load(2, TToothGear{2, Z2});
        auto& g = GearPair;
        for (int i = 1; i <= 2; ++i) {
            const int s = g.z[i] < 0 ? -1 : 1;
            g.da[i] = g.da0[i] = g.d[i] + s * 4;
            g.df[i] = g.d[i] - s * 5;
            g.dB[i] = 0;
            g.b[i] = 20;
        }
        g.a = g.a_pic = (g.d[1] + g.d[2]) / 2;
        g.PicturePlanets = 3;
        confgraf(g.x_pic);
    }
    static std::vector<TCadCall> Inserts(const std::string& Name)
    {
        std::vector<TCadCall> r;
        for (const auto& c : CadCallLog())
            if (c.Kind == "insert" && c.Text == Name) r.push_back(c);
        return r;
    }
    std::vector<TAsked> asked_;
    std::deque<int> answers_;
    std::vector<std::string> messages_;
};

TEST_F(ToothDrawing, WindowsOfTheHandCheckedGear)
{
    struct {
        int Item, Teeth;
        double X1, Y1, X2, Y2;
    } cases[] = {
        {1, 2, -6, 16, 6, 24},
        {2, 2, -7, 16, 7, 24},
        {3, 2, -7, 16, 7, 27},
        {4, 2, -25, -25, 25, 25},
        {6, 2, -4, -4, 4, 4},
        // Eight of twenty teeth: phi = 0.8 pi beyond 0.7 pi, the square of
        // the tip diameter.
        {2, 8, -44, -44, 44, 44},
    };
    for (const auto& c : cases) {
        const TToothDrawingWindow w = ToothDrawingWindow(c.Item, 1, c.Teeth);
        EXPECT_NEAR(double(w.X1), c.X1, 1e-12) << c.Item;
        EXPECT_NEAR(double(w.Y1), c.Y1, 1e-12) << c.Item;
        EXPECT_NEAR(double(w.X2), c.X2, 1e-12) << c.Item;
        EXPECT_NEAR(double(w.Y2), c.Y2, 1e-12) << c.Item;
    }
}

TEST_F(ToothDrawing, GearWheelInsertsOneToothPerPitch)
{
    ComposeToothDrawing(5, 1, 4, 1, 1);
    const auto teeth = Inserts("EVOLV1");
    ASSERT_EQ(teeth.size(), 20u);
    for (std::size_t k = 0; k < teeth.size(); ++k)
        EXPECT_NEAR(teeth[k].V[2], 369.0 - 18.0 * k, 1e-9) << k;
    EXPECT_TRUE(asked_.empty()) << "a direct call asks nothing";
}

TEST_F(ToothDrawing, GapOfThreeTeethWithBoreSector)
{
    GearPair.dB[1] = 20;
    answers_ = {3};
    ComposeToothDrawing(5, 1, 2, 1, 4);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].Prompt, "Plot no. teeth");
    const auto teeth = Inserts("EVOLV1");
    ASSERT_EQ(teeth.size(), 3u);
    EXPECT_NEAR(teeth[0].V[2], -18, 1e-9);
    EXPECT_NEAR(teeth[1].V[2], 0, 1e-9);
    EXPECT_NEAR(teeth[2].V[2], 18, 1e-9);
    EXPECT_TRUE(Inserts("DMESS1").empty());
    // The bore corners of the sector, at radius dB/2 = 10.
    std::vector<double> corners;
    for (const auto& v : Calls("vertex"))
        if (std::fabs(std::hypot(v.V[0], v.V[1]) - 10) < 1e-9)
            corners.push_back(std::atan2(v.V[1], v.V[0]) * 180 / M_PI);
    ASSERT_EQ(corners.size(), 2u);
    EXPECT_NEAR(corners[0], 63, 1e-9);
    EXPECT_NEAR(corners[1], 117, 1e-9);
}

TEST_F(ToothDrawing, GapOfTwoTeethHoldsTheBall)
{
    GearPair.dB[1] = 20;
    ComposeToothDrawing(5, 1, 2, 1, 1);
    const auto teeth = Inserts("EVOLV1");
    ASSERT_EQ(teeth.size(), 2u);
    EXPECT_NEAR(teeth[0].V[2], 9, 1e-9);
    EXPECT_NEAR(teeth[1].V[2], -9, 1e-9);
    const auto ball = Inserts("DMESS1");
    ASSERT_EQ(ball.size(), 1u);
    EXPECT_EQ(ball[0].V[0], 0);
    EXPECT_EQ(ball[0].V[1], 0);
    EXPECT_EQ(ball[0].V[2], 0);
    for (const auto& v : Calls("vertex"))
        EXPECT_GT(std::fabs(std::hypot(v.V[0], v.V[1]) - 10), 1e-6) << "no bore sector with two teeth";
}

// The menu comes back with the next item proposed, "return" after
// "Config"; items 7 and 8 ask no gear.
TEST_F(ToothDrawing, MenuProposesTheNextItem)
{
    // tooth of gear 1; Config (its own menu cancelled); tooth contact at
    // 5 deg; Cancel.
    answers_ = {1, 1, 9, 0, 7, 5, 0};
    ComposeToothDrawing(5, 0, 0, 1, 0);
    const std::vector<std::pair<std::string, int>> want = {
        {"Tooth drawing", 1},  {"Select gear ...", 1},
        {"Tooth drawing", 2},  {"", 0},
        {"Tooth drawing", 10}, {"angle of rotation gear 1 [deg]", 0},
        {"Tooth drawing", 8},
    };
    ASSERT_EQ(asked_.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k) {
        if (want[k].first.empty()) continue; // the configuration's own menu
        EXPECT_EQ(asked_[k].Prompt, want[k].first) << k;
        EXPECT_EQ(asked_[k].Proposed, want[k].second) << k;
    }
    EXPECT_EQ(GearPair.MeshRotationAngle, 5);
    EXPECT_EQ(Inserts("EVOLV1").size(), 3u) << "the tooth contact of gear 1 and 2";
    EXPECT_EQ(Inserts("EVOLV2").size(), 4u);
}

TEST_F(ToothDrawing, ToothGapOfARingIsTheWholeRingWithoutSectionPrompt)
{
    LoadPair(-40);
    GearPair.RingToothShapes = 4;
    answers_ = {3, 2, 0};
    ComposeToothDrawing(5, 0, 0, 1, 0);
    ASSERT_EQ(asked_.size(), 3u);
    EXPECT_EQ(asked_[1].Prompt, "Select gear ...");
    EXPECT_EQ(asked_[2].Prompt, "Tooth drawing");
    EXPECT_EQ(asked_[2].Proposed, 4);
    EXPECT_EQ(Inserts("EVOLV2").size(), 40u) << "the ring";
    EXPECT_EQ(Inserts("RAD1").size(), 4u) << "the pinion rolling in it";
}

TEST_F(ToothDrawing, PlanetArrangementAsksCountSunAndAngle)
{
    answers_ = {8, 4, 2, 0, 0};
    ComposeToothDrawing(5, 0, 0, 1, 0);
    ASSERT_GE(asked_.size(), 4u);
    EXPECT_EQ(asked_[1].Prompt, "no. planet wheels q");
    EXPECT_EQ(asked_[2].Prompt, "select gear");
    EXPECT_EQ(telmvar.TextItems[1], "sun wheel =  40 teeth, planet wheels =  20 teeth");
    EXPECT_EQ(telmvar.TextItems[2], "sun wheel =  20 teeth, planet wheels =  40 teeth");
    EXPECT_EQ(asked_[3].Prompt, "angle of rotation gear 1 [deg]");
    // Cancel at the angle: nothing drawn, the answers before are kept.
    EXPECT_TRUE(CadCallLog().empty());
    EXPECT_EQ(GearPair.PicturePlanets, 4);
    EXPECT_EQ(GearPair.PlanetSunChoice, 2);
}

TEST_F(ToothDrawing, CancelAnywhereDrawsNothing)
{
    const std::vector<std::deque<int>> scripts = {{0}, {1, 0}, {2, 1, 0}, {7, 0}, {3, 1, 0}};
    for (const auto& s : scripts) {
        CadCallLog().clear();
        asked_.clear();
        answers_ = s;
        ComposeToothDrawing(5, 0, 0, 1, 0);
        EXPECT_TRUE(CadCallLog().empty()) << s.size();
        EXPECT_EQ(asked_.size(), s.size());
        EXPECT_TRUE(telmvar.Aborted);
    }
}

// A preset item with Mode 0 would repeat forever with no menu to leave.
TEST_F(ToothDrawing, PresetItemIsDrawnOnceInEveryMode)
{
    for (int mode : {0, 1, 4}) {
        CadCallLog().clear();
        asked_.clear();
        answers_ = {1, 1, 1, 1};
        ComposeToothDrawing(5, 1, 4, 1, mode);
        EXPECT_EQ(Inserts("EVOLV1").size(), 20u) << mode;
        for (const auto& a : asked_)
            EXPECT_NE(a.Prompt, "Tooth drawing") << mode;
    }
}

TEST_F(ToothDrawing, FatalCalculationErrorDrawsNothing)
{
    telmvar.FatalCalcError = true;
    ComposeToothDrawing(5, 1, 4, 1, 1);
    ComposeToothDrawing(5, 0, 0, 1, 0);
    EXPECT_TRUE(CadCallLog().empty());
    EXPECT_TRUE(asked_.empty());
}

TEST_F(ToothDrawing, UnwritableTemporaryPathClosesTheOutput)
{
    telmvar.TempDir = dir_ + "/missing/deeper";
    ComposeToothDrawing(3, 1, 4, 1, 1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "file write error  -  temporary path !");
    EXPECT_FALSE(CadOutputIsOpen());
}

// A device that fails in the middle of the pinion block.
class TThrowingDevice final : public TCadDevice
{
  public:
    void Line(Extended, Extended, Extended, Extended) override {}
    void BeginBlock(const std::string& Name) override
    {
        if (Name == "RAD1") throw std::runtime_error("disk full");
    }
};

TEST_F(ToothDrawing, AuxiliaryDiametersComeBackWhenABlockWriteThrows)
{
    LoadPair(-40);
    GearPair.DrawingConfiguration = 2;
    RegisterCadDeviceFactory(5, [](std::ostream&) { return std::make_unique<TThrowingDevice>(); });
    EXPECT_THROW(ComposeToothDrawing(5, 2, 5, 1, 1), std::runtime_error);
    EXPECT_EQ(GearPair.DrawingConfiguration, 2);
    EXPECT_FALSE(CadOutputIsOpen());
}

TEST_F(ToothDrawing, RingAndPlanetPicturesNeedDrawnPitchCircles)
{
    LoadPair(-40);
    Open();
    GearPair.dw_pic[1] = 0;
    DrawRingGearWithPinion();
    DrawPlanetArrangement(3, 1, 0);
    EXPECT_TRUE(CadCallLog().empty());
    confgraf(GearPair.x_pic);
    // Shape counts from a file: 0 takes 200 and keeps it, beyond 20000 is
    // drawn with 20000 and left as it was.
    GearPair.RingToothShapes = 0;
    DrawRingGearWithPinion();
    EXPECT_EQ(Inserts("RAD1").size(), 200u);
    EXPECT_EQ(GearPair.RingToothShapes, 200);
    CadCallLog().clear();
    GearPair.RingToothShapes = 1000000;
    DrawRingGearWithPinion();
    EXPECT_EQ(Inserts("RAD1").size(), 20000u);
    EXPECT_EQ(GearPair.RingToothShapes, 1000000);
    for (const auto& c : CadCallLog())
        for (double v : c.V)
            ASSERT_TRUE(std::isfinite(v));
    Close();
}

// Three planets of z 20 around the sun of z 40 at the centre distance 60:
// (dw1 + dw2)/2 = 60 from the centre, the first straight below the centre.
TEST_F(ToothDrawing, PlanetsStandAroundTheSun)
{
    Open();
    DrawPlanetArrangement(0, 1, 0);
    const auto sun = Inserts("RAD2");
    const auto planets = Inserts("RAD1");
    ASSERT_EQ(sun.size(), 1u);
    ASSERT_EQ(planets.size(), 3u);
    // Even tooth numbers: (180/20) 40/80 + 180/40 = 9 deg.
    EXPECT_NEAR(sun[0].V[2], 9, 1e-9);
    EXPECT_NEAR(planets[0].V[0], 0, 1e-9);
    EXPECT_NEAR(planets[0].V[1], -60, 1e-9);
    EXPECT_NEAR(std::hypot(planets[1].V[0], planets[1].V[1]), 60, 1e-9);
    // 180 - 9 + (80/40 + 1) 120 deg for the second planet.
    EXPECT_NEAR(planets[0].V[2], 171, 1e-9);
    EXPECT_NEAR(planets[1].V[2], 171 + 360, 1e-9);
    Close();
}

} // namespace
