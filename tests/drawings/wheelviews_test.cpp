// The per-gear view dispatch: which mesh is loaded into the gear-pair
// variables, which pair gear the stage gear becomes, and which composer is
// called with which item and caption. The composers are recorded through
// the dispatch's call table.
#include "stagekinematicssupport.h"

#include "foundation/messagecollector.h"
#include "foundation/textutil.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stagecalc.h"

#include <string>
#include <vector>

namespace
{

struct TComposerCall {
    std::string Composer; // "tooth", "production" or "" (nothing drawn)
    int Device = 0, Gear = 0, Item = 0;
    std::string Caption;
    int z1 = 0, z2 = 0; // the pair loaded when the composer ran
};

struct DispatchCase {
    const char* Name;
    int View, Wheel, Selector;
    int zS, zPi, zPe;
    // The mesh loaded (pair tooth numbers in pair order).
    int z1, z2;
    TComposerCall Want;
};

// zH -63 throughout; Pe-H always loads (Pe, H).
const DispatchCase DispatchCases[] = {
    // S with more teeth than Pi is the wheel of the pair.
    {"SunOfThirtyIsPairGear2", 3, 1, 0, 30, 20, 20, 20, 30, {"production", 3, 2, 7, "-"}},
    {"PlanetOfTwentyIsPairGear1", 3, 2, 0, 30, 20, 20, 20, 30, {"production", 3, 1, 7, "-"}},
    {"SunOfEighteenIsPairGear1", 3, 1, 0, 18, 30, 30, 18, 30, {"production", 3, 1, 7, "-"}},
    {"SunCaptionInPairOrder", 7, 1, 1, 30, 20, 20, 20, 30, {"production", 3, 2, 4, "Pi-S"}},
    // Sun and inner planet load S-Pi whatever the selector says.
    {"SunWithSelector2LoadsSPi", 5, 1, 2, 21, 15, 15, 15, 21, {"tooth", 3, 2, 4, ""}},
    {"PlanetWithSelector3LoadsSPi", 6, 2, 3, 21, 15, 15, 15, 21, {"tooth", 3, 1, 6, ""}},
    {"OuterPlanetSelector2LoadsPiPe", 2, 3, 2, 21, 15, 16, 15, 16, {"tooth", 3, 2, 3, ""}},
    {"OuterPlanetFewerTeethIsPiPeGear1", 12, 3, 2, 21, 20, 16, 16, 20, {"production", 3, 1, 12, "Pe-Pi"}},
    {"OuterPlanetSelector0LoadsPeH", 2, 3, 0, 21, 15, 15, 15, -63, {"tooth", 3, 1, 3, ""}},
    {"OuterPlanetSelector3LoadsPeH", 8, 3, 3, 21, 15, 15, 15, -63, {"production", 3, 1, 5, "Pe-H"}},
    // The ring's tooth gap is the involute gap (item 2).
    {"RingGapIsTheInvoluteGap", 2, 4, 0, 21, 15, 15, 15, -63, {"tooth", 3, 2, 2, ""}},
    {"RingFlankTolerances", 9, 4, 3, 21, 15, 15, 15, -63, {"production", 3, 2, 6, "Pe-H"}},
    {"RingRollAngle", 10, 4, 3, 21, 15, 15, 15, -63, {"production", 3, 2, 9, "Pe-H"}},
    {"RingToothThickness", 11, 4, 0, 21, 15, 15, 15, -63, {"production", 3, 2, 11, "-"}},
    // Wheel 0 is the mesh as a whole: tooth contact with pair gear 1.
    {"ContactSPi", 1, 0, 1, 30, 20, 20, 20, 30, {"tooth", 3, 1, 7, ""}},
    {"ContactPiPe", 1, 0, 2, 21, 20, 16, 16, 20, {"tooth", 3, 1, 7, ""}},
    {"ContactPeH", 1, 0, 3, 21, 15, 15, 15, -63, {"tooth", 3, 1, 7, ""}},
    {"FileDeviceIsPassedOn", 3, 4, 0, 21, 15, 15, 15, -63, {"production", 0, 2, 7, "-"}},
    // Views 0, 4 and beyond 12 load and calculate only.
    {"View4LoadsOnly", 4, 1, 1, 21, 15, 15, 15, 21, {"", 0, 0, 0, ""}},
    {"View0LoadsOnly", 0, 3, 3, 21, 15, 15, 15, -63, {"", 0, 0, 0, ""}},
    {"View13LoadsOnly", 13, 3, 2, 21, 15, 16, 15, 16, {"", 0, 0, 0, ""}},
    // A selector the gear overrules: the caption names the mesh drawn.
    {"OverruledSelectorCaptionNamesTheMeshDrawn",
     3,
     1,
     3,
     21,
     15,
     15,
     15,
     21,
     {"production", 3, 2, 7, "Pi-S"}},
};

class WheelViewCalls : public DefaultStageDrawing
{
  protected:
    void SetUp() override
    {
        DefaultStageDrawing::SetUp();
        calls_.clear();
        wheelviewcomposers.ComposeToothDrawing = [this](int Device, int Gear, int Item, int Section,
                                                        int Mode) {
            EXPECT_EQ(Section, 1) << "transverse section";
            EXPECT_EQ(Mode, 1) << "no questions";
            calls_.push_back({"tooth", Device, Gear, Item, "", GearPair.z[1], GearPair.z[2]});
        };
        wheelviewcomposers.ComposeProductionDrawing = [this](int Device, int Gear, int Item,
                                                             const std::string& Caption) {
            calls_.push_back({"production", Device, Gear, Item, Caption, GearPair.z[1], GearPair.z[2]});
        };
    }
    std::vector<TComposerCall> calls_;
};

class WheelViews : public WheelViewCalls, public ::testing::WithParamInterface<DispatchCase>
{
};

TEST_P(WheelViews, LoadsTheMeshAndCallsTheComposer)
{
    const DispatchCase& c = GetParam();
    auto& z = PlanetaryGears.z;
    z[gS] = c.zS;
    z[gPi] = c.zPi;
    z[gPe] = c.zPe;
    GearPair.z[1] = GearPair.z[2] = 0;
    const int device = c.Want.Composer.empty() ? 3 : c.Want.Device;
    WheelViewDispatch(device, c.View, c.Wheel, c.Selector);
    EXPECT_EQ(GearPair.z[1], c.z1) << "pair gear 1 of the loaded mesh";
    EXPECT_EQ(GearPair.z[2], c.z2) << "pair gear 2 of the loaded mesh";
    if (c.Want.Composer.empty()) {
        EXPECT_TRUE(calls_.empty()) << "nothing is drawn";
        return;
    }
    ASSERT_EQ(calls_.size(), 1u);
    const TComposerCall& got = calls_[0];
    EXPECT_EQ(got.Composer, c.Want.Composer);
    EXPECT_EQ(got.Device, c.Want.Device);
    EXPECT_EQ(got.Gear, c.Want.Gear) << "pair gear";
    EXPECT_EQ(got.Item, c.Want.Item) << "item of the composer's menu";
    EXPECT_EQ(got.Caption, c.Want.Caption);
    EXPECT_EQ(got.z1, c.z1) << "the mesh was loaded before drawing";
    EXPECT_EQ(got.z2, c.z2);
}

INSTANTIATE_TEST_SUITE_P(Cases, WheelViews, ::testing::ValuesIn(DispatchCases),
                         [](const ::testing::TestParamInfo<DispatchCase>& I) {
                             return std::string(I.param.Name);
                         });

TEST_F(WheelViewCalls, FatalErrorShowsTheMessageListAndLoadsNothing)
{
    ResetError0();
    AddFatalMessage("Fatal  : zS = 0 !");
    ASSERT_TRUE(telmvar.FatalCalcError);
    std::string shown;
    uhelperr.MessageListAsText = [&](const std::string& Text) { shown = Text; };
    int asked = 0;
    reportservices.AskSelect = [&](const std::string&, int, uint16_t&) { ++asked; };
    GearPair.z[1] = 999;
    WheelViewDispatch(3, 3, 1, 1);
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(GearPair.z[1], 999) << "no mesh is loaded";
    EXPECT_NE(shown.find("zS = 0"), std::string::npos) << "the headless list is recorded as text";
    EXPECT_EQ(asked, 0) << "no modal list";

    // A batch run (/NOGUI) shows nothing at all.
    shown.clear();
    textutil.CommandLineParams = {"x.qy7", "/NOGUI"};
    WheelViewDispatch(3, 3, 1, 1);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(calls_.empty());
}

TEST_F(WheelViewCalls, MissingComposerSaysSoAndAborts)
{
    struct {
        int View;
        const char* Message;
    } cases[] = {
        {2, "The tooth drawing is not available in this version"},
        {7, "The production drawing is not available in this version"},
    };
    std::vector<std::string> boxes;
    reportservices.ShowMessageBox = [&](const std::string& Text) { boxes.push_back(Text); };
    ResetWheelViewComposers();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.View);
        telmvar.Aborted = false;
        boxes.clear();
        WheelViewDispatch(3, c.View, 4, 0);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], c.Message);
        EXPECT_TRUE(telmvar.Aborted);
        EXPECT_EQ(GearPair.z[2], -63) << "the mesh was still loaded";
    }
}

} // namespace
