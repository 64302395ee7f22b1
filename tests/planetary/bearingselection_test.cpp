// The planet bearing commands played through the headless platform over a
// private copy of the shipped catalogue tables: the bore the catalogue is
// opened on, the guided life check with its question, the bearing count
// and configuration questions, the planet's bore afterwards, the reset.
#include "common/askedboxes.h"
#include "planetary_fixture.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "planetary/bearings/bearingcatalogue.h"
#include "planetary/bearings/bearingselection.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "platform/headless/platform_headless.h"
#include "xbase/access/tableaccess.h"
#include "xbase/xbaselib.h"
#include "xbase/xbasestate.h"

#include "common/tempdir.h"
#include <cmath>
#include <filesystem>
#include <optional>
#include <regex>
#include <vector>

namespace
{

namespace fs = std::filesystem;
using platform::MessageAnswer;

TEST(NextStandardBore, RoundsUpToTheNextEntryOfTheList)
{
    const struct {
        double x, bore;
    } cases[] = {
        {24.3, 30},                                           // round(24.8) = 25, the next greater entry 30
        {22.507, 25},                                         // the default stage's pin
        {0, 10},                                              // round(0.5) = 0 (half to even)
        {25.0, 30},                                           // round(25.5) = 26
        {8.9, 10},    {9.4, 12},                              // round(9.9) = 10: strictly greater than 10
        {10.0, 12},   {559.4, 600}, {599.4, 600}, {700, 600}, // past the list: its last entry
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_DOUBLE_EQ(D(NextStandardBore(c.x)), c.bore);
    }
}

TEST(NextStandardBore, GuidedRangeIncludesItsEnds)
{
    EXPECT_TRUE(LifeWithinGuidedRange(1));
    EXPECT_TRUE(LifeWithinGuidedRange(5));
    EXPECT_TRUE(LifeWithinGuidedRange(3));
    EXPECT_FALSE(LifeWithinGuidedRange(0.999L));
    EXPECT_FALSE(LifeWithinGuidedRange(5.001L));
}

class BearingSelection : public StageTest
{
  protected:
    void SetUp() override
    {
        StageTest::SetUp();
        InitXbaseLibrary();
        dir = testdirs::MakeTempDir("brgsel");
        fs::create_directory(dir + "/temp");
        for (const auto& e : fs::directory_iterator(QYR7_DATA_DIR)) {
            const auto ext = e.path().extension();
            if (ext == ".dbf" || ext == ".hdf") fs::copy_file(e.path(), fs::path(dir) / e.path().filename());
        }
        telmvar.DbfDir = dir;
        telmvar.TempDir = dir + "/temp";
        CalcPlanetaryStage();
        ASSERT_FALSE(telmvar.FatalCalcError);
        telmvar.Aborted = false;
        telmvar.DataModified = false;
    }
    void TearDown() override
    {
        DoneXbaseLibrary();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    // The type list answer, then the browser's pick of a record.
    void ChooseType(int type) { headless.HeadlessPrompts().QueueSelection(type - 1); }
    void Pick(int32_t record, double openedOnBore = 0)
    {
        headless.HeadlessDialogs().QueueScript([=](platform::DialogModel& m) {
            auto& b = dynamic_cast<TDbfBrowserModel&>(m);
            if (openedOnBore != 0) {
                EXPECT_DOUBLE_EQ(static_cast<double>(TextToFloat(b.Table->SField(2))), openedOnBore);
            }
            b.RecordNo = record;
            return platform::DialogResult::Ok;
        });
    }
    const std::vector<platform::MessageBoxesImplHeadless::Asked>& Questions()
    {
        return headless.HeadlessMessages().AskedQuestions();
    }

    std::string dir;
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
};

TEST_F(BearingSelection, CatalogueOpensOnTheStandardBoreAboveThePin)
{
    // Nominal planet load 67160 N over a face width of 10 mm:
    // (16/pi * 67160 * 10 / 300)^(1/3) = 22.507 mm, opened on bore 25.
    PlanetaryStage.FlPN[1] = 67160;
    PlanetaryGears.b[gPi] = 10;
    EXPECT_NEAR(D(PlanetPinDiameter(1)), 22.507, 0.0005);
    telmvar.HelpLevel = 0;
    ChooseType(5);
    Pick(4, 25);
    SelectPlanetBearing(1);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(headless.HeadlessPrompts().Selections().at(0).Prompt, "bearing type for Pi");
    EXPECT_EQ(PlanetBearings[1].Designation, "NU205");
}

struct GuidedCase {
    const char* Name;
    int HelpLevel;
    std::vector<int32_t> Picks;         // zyrola records offered in turn
    std::vector<MessageAnswer> Answers; // to the life question
    std::size_t Questions;
    bool Aborted;
    const char* Chosen; // "" = the bearing before the command
};

class GuidedLifeCheck : public BearingSelection, public ::testing::WithParamInterface<GuidedCase>
{
};

TEST_P(GuidedLifeCheck, QuestionAndOutcome)
{
    const GuidedCase& c = GetParam();
    telmvar.HelpLevel = static_cast<uint16_t>(c.HelpLevel);
    // The project had a bearing; its planet data are what a cancel restores.
    ChooseType(5);
    Pick(16); // NU217, C/P in the guided range under the default stage's load
    const uint16_t level = telmvar.HelpLevel;
    telmvar.HelpLevel = 0;
    SelectPlanetBearing(2);
    telmvar.HelpLevel = level;
    CalcPlanetaryStage();
    ASSERT_EQ(PlanetBearings[2].Designation, "NU217");
    const WaelzLagerTyp bearing = PlanetBearings[2];
    const Extended dB = PlanetaryGears.dB[gPe], dsh = PlanetaryStage.dshPe;
    const auto FlPN = PlanetaryStage.FlPN, mP = PlanetaryStage.mP, FfP = PlanetaryStage.FfP;
    telmvar.DataModified = false;
    headless.HeadlessMessages().Reset();

    ChooseType(5);
    for (int32_t r : c.Picks)
        Pick(r);
    for (MessageAnswer a : c.Answers)
        headless.HeadlessMessages().QueueAnswer(a);
    SelectPlanetBearing(2);

    EXPECT_EQ(telmvar.Aborted, c.Aborted);
    ASSERT_EQ(Questions().size(), c.Questions);
    for (const auto& q : Questions()) {
        EXPECT_TRUE(std::regex_match(
            q.Request.Text,
            std::regex("life expectation L10h = [0-9.]+ hours  S dyn = [0-9.]+   continue \\?")))
            << q.Request.Text;
        EXPECT_EQ(q.Request.Buttons, platform::MessageButtons::YesNoCancel);
    }
    if (std::string(c.Chosen).empty()) {
        // Cancel: the rejected bearing leaves no trace.
        EXPECT_EQ(PlanetBearings[2], bearing);
        EXPECT_EQ(PlanetaryGears.dB[gPe], dB);
        EXPECT_EQ(PlanetaryStage.dshPe, dsh);
        EXPECT_EQ(PlanetaryStage.FlPN, FlPN);
        EXPECT_EQ(PlanetaryStage.mP, mP);
        EXPECT_EQ(PlanetaryStage.FfP, FfP);
        EXPECT_FALSE(telmvar.DataModified);
    } else {
        EXPECT_EQ(PlanetBearings[2].Designation, c.Chosen);
        EXPECT_EQ(D(PlanetaryGears.dB[gPe]), D(PlanetBearings[2].D))
            << "the planet's bore is the outer diameter";
        EXPECT_TRUE(telmvar.DataModified);
    }
    EXPECT_EQ(headless.HeadlessDialogs().PendingAnswers(), 0u);
}

const GuidedCase guidedCases[] = {
    {"UnguidedTakesAShortLife", 0, {4}, {}, 0, false, "NU205"},
    {"InRangeAsksNothing", 1, {14}, {}, 0, false, "NU215"}, // C/P 1.54
    {"ShortLifeYesAccepts", 1, {4} /* C/P 0.34 */, {MessageAnswer::Yes}, 1, false, "NU205"},
    {"LongLifeYesAccepts", 1, {24} /* C/P 6.26 */, {MessageAnswer::Yes}, 1, false, "NU230"},
    {"NoOffersANewPick", 1, {4, 14}, {MessageAnswer::No}, 1, false, "NU215"},
    {"CancelRestoresEverything", 1, {4}, {MessageAnswer::Cancel}, 1, true, ""},
    {"CancelAfterNoRestoresToo", 1, {4, 24}, {MessageAnswer::No, MessageAnswer::Cancel}, 2, true, ""},
};

INSTANTIATE_TEST_SUITE_P(Scripts, GuidedLifeCheck, ::testing::ValuesIn(guidedCases),
                         [](const ::testing::TestParamInfo<GuidedCase>& i) {
                             return std::string(i.param.Name);
                         });

TEST_F(BearingSelection, XYFactorSourceAskedAfterAGrooveBallBearingPick)
{
    // 6205: C 14510 N, C0 7671 N; Fa/C0 = 0.056 is row 3 of every table and
    // Fa/Fr = 0.5 lies above each e there: L10 = (C / (X2 Fr + Y2 Fa))^3.
    const Extended Fa = 0.056L * 7671, Fr = 2 * Fa;
    const struct {
        int Before;
        std::optional<int> Item;
        std::vector<std::string> Typed;
        int After;
        double X, Y;
    } cases[] = {{2, 0, {"150", "0.5", "1.5"}, 1, 0.5, 1.5},
                 {4, 1, {}, 2, 0.56, 1.71},
                 {2, 2, {}, 3, 0.46, 1.52},
                 {2, 3, {}, 4, 0.44, 1.30},
                 {2, 4, {}, 5, 0.56, 1.71},
                 {4, std::nullopt, {}, 4, 0.44, 1.30},  // Cancel (no item) keeps the source
                 {1, std::nullopt, {}, 1, 0.56, 1.71}}; // and the normal X, Y just read
    auto& prompts = headless.HeadlessPrompts();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Before * 10 + c.After);
        PlanetBearings[1].XYTableChoice = c.Before;
        Pick(6);
        prompts.QueueSelection(c.Item);
        for (const std::string& t : c.Typed)
            prompts.QueueText(t);
        SelectBearingFromCatalogue(1, 1, 1, 25, Fr, Fa, 1000, 1, 2, 0);
        const WaelzLagerTyp& R = PlanetBearings[1];
        EXPECT_FALSE(telmvar.Aborted);
        EXPECT_EQ(prompts.Selections().back().Selected, c.Before - 1);
        EXPECT_EQ(R.XYTableChoice, c.After);
        EXPECT_NEAR(D(R.X), c.X, 1e-12);
        EXPECT_NEAR(D(R.Y), c.Y, 1e-12);
        const double L10 = std::pow(14510 / (c.X * D(Fr) + c.Y * D(Fa)), 3);
        EXPECT_NEAR(D(R.L10), L10, 1e-9 * L10);
    }
    EXPECT_EQ(prompts.TextPrompts().at(2).Prompt, "load distribution factor axial dynamic  Y");
    EXPECT_EQ(Questions().at(0).Request.Text, "Valid Data are: 0 .. 100 !");
}

TEST_F(BearingSelection, EscapeInTheTableAfterANoRestoresTheBearing)
{
    telmvar.HelpLevel = 1;
    const WaelzLagerTyp before = PlanetBearings[1];
    ChooseType(5);
    Pick(4);
    headless.HeadlessDialogs().QueueResult(platform::DialogResult::Cancel);
    headless.HeadlessMessages().QueueAnswer(MessageAnswer::No);
    SelectPlanetBearing(1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(PlanetBearings[1], before);
}

struct CountCase {
    const char* Name;
    int Type;
    int32_t Record;
    std::vector<std::optional<int>> Answers; // count, then configuration
    bool AsksConfiguration;
    int Count, Arrangement;
    bool Aborted;
};

class BearingCount : public BearingSelection, public ::testing::WithParamInterface<CountCase>
{
};

TEST_P(BearingCount, NarrowBearingsOfferAPair)
{
    const CountCase& c = GetParam();
    telmvar.HelpLevel = 0;
    PlanetaryGears.b[gPi] = 40; // every bearing of the script is narrower than 20 mm
    ChooseType(c.Type);
    Pick(c.Record);
    for (const auto& a : c.Answers)
        headless.HeadlessPrompts().QueueSelection(a);
    SelectPlanetBearing(1);
    auto asked = headless.HeadlessPrompts().Selections(); // less the X/Y source of a groove ball bearing:
    std::erase_if(asked,
                  [](const platform::SelectionRequest& r) { return r.Prompt == "radial and axial factor"; });
    ASSERT_GE(asked.size(), 2u);
    EXPECT_EQ(asked[1].Prompt, "number of bearings");
    const std::string des = PlanetBearings[1].Designation;
    EXPECT_EQ(asked[1].Items, (std::vector<std::string>{"1  X  " + des, "2  X  " + des}));
    EXPECT_EQ(asked[1].Selected, 1) << "two bearings proposed";
    EXPECT_EQ(asked.size() == 3, c.AsksConfiguration);
    if (c.AsksConfiguration) {
        EXPECT_EQ(asked[2].Items, (std::vector<std::string>{"X-configuration", "O-configuration"}));
    }
    EXPECT_EQ(PlanetBearings[1].BearingCount, c.Count);
    EXPECT_EQ(PlanetBearings[1].Arrangement, c.Arrangement);
    EXPECT_EQ(telmvar.Aborted, c.Aborted);
    // The pick stays chosen even when a later question was cancelled, and
    // the project knows it changed.
    EXPECT_EQ(PlanetBearings[1].BearingType, c.Type);
    EXPECT_TRUE(telmvar.DataModified);
}

const CountCase countCases[] = {
    {"TaperPairAsksXO", 6, 2, {1, 0}, true, 2, 1, false},
    {"TaperSingle", 6, 2, {0}, false, 1, 2, false},
    {"GrooveBallPairAsksNoConfiguration", 1, 6, {1, 1}, false, 2, 2, false},
    {"CancelAtCountKeepsThePick", 5, 4, {std::nullopt}, false, 1, 2, true},
    {"CancelAtConfiguration", 6, 2, {1, std::nullopt}, true, 2, 2, true},
};

INSTANTIATE_TEST_SUITE_P(Scripts, BearingCount, ::testing::ValuesIn(countCases),
                         [](const ::testing::TestParamInfo<CountCase>& i) {
                             return std::string(i.param.Name);
                         });

// A designation typed into the catalogue is offered in the "number of bearings" box as typed, as the screen
// table and the report show it, not as the table's OEM bytes read as Windows-1252 ("\x8A" an S caron).
TEST_F(BearingSelection, CountBoxShowsTheDesignationAsTyped)
{
    PlanetaryGears.b[gPi] = 40;
    for (const char* typed : {"NJ2206 speciale \xE8", "NU 206 Gro\xDF \xE4\xF6\xFC", "NU 206 ECP"}) {
        dbf4.OpenTable(dir + "/zyrola.dbf");
        ASSERT_TRUE(dbf4.GoRecord(4) && dbf4.SetFieldText(1, typed) && dbf4.tzdbf.Post());
        dbf4.CloseTable();
        ChooseType(5), Pick(4), headless.HeadlessPrompts().QueueSelection(0), telmvar.HelpLevel = 0;
        SelectPlanetBearing(1);
        EXPECT_EQ(headless.HeadlessPrompts().Selections().back().Items[1], std::string("2  X  ") + typed);
    }
}

TEST_F(BearingSelection, WideBearingIsSingle)
{
    telmvar.HelpLevel = 0;
    PlanetBearings[1].BearingCount = 2;
    ChooseType(5);
    Pick(4); // B 15 mm >= b/2 = 5 mm
    SelectPlanetBearing(1);
    EXPECT_EQ(PlanetBearings[1].BearingCount, 1);
    EXPECT_EQ(headless.HeadlessPrompts().Selections().size(), 1u);
    EXPECT_DOUBLE_EQ(D(PlanetaryGears.dB[gPi]), 52);
}

TEST_F(BearingSelection, CancelAtTheTypeListChangesNothing)
{
    const WaelzLagerTyp before = PlanetBearings[1];
    headless.HeadlessPrompts().QueueSelection(std::nullopt);
    SelectPlanetBearing(1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(PlanetBearings[1], before);
    EXPECT_FALSE(telmvar.DataModified);
}

TEST_F(BearingSelection, ResetDropsTheChoiceOnlyOnYes)
{
    telmvar.HelpLevel = 0;
    ChooseType(5);
    Pick(4);
    SelectPlanetBearing(1);
    const WaelzLagerTyp chosen = PlanetBearings[1];
    for (MessageAnswer a : {MessageAnswer::No, MessageAnswer::Cancel}) {
        headless.HeadlessMessages().QueueAnswer(a);
        ResetPlanetBearingSelection(1);
        EXPECT_EQ(PlanetBearings[1], chosen);
        EXPECT_EQ(telmvar.Aborted, a == MessageAnswer::Cancel);
    }
    ClearPlanetBearing(1);
    const WaelzLagerTyp expected = PlanetBearings[1];
    PlanetBearings[1] = chosen;
    headless.HeadlessMessages().QueueAnswer(MessageAnswer::Yes);
    ResetPlanetBearingSelection(1);
    EXPECT_EQ(AskedAt(Questions()).Request.Text, "reset database selection ?");
    EXPECT_EQ(PlanetBearings[1], expected);
    EXPECT_TRUE(PlanetBearings[1].Designation.empty());
    EXPECT_FALSE(telmvar.Aborted);
}

} // namespace

namespace
{

TEST_F(BearingSelection, PlanetsAtRestStopTheGuidedCheckButKeepThePick)
{
    // Sun and ring at the same speed: the whole stage turns as a block and
    // the planets stand still on their pins.
    PlanetaryShafts.InputShaft = shaftS;
    PlanetaryShafts.OutputShaft = shaftC;
    PlanetaryStage.nThird = PlanetaryStage.nIn;
    telmvar.HelpLevel = 1;
    ChooseType(5);
    Pick(4);
    SelectPlanetBearing(1);
    EXPECT_EQ(D(PlanetaryStage.nBearing[1]), 0.0);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(PlanetBearings[1].Designation, "NU205");
    EXPECT_TRUE(telmvar.DataModified) << "the record changed although the command stopped";
    EXPECT_TRUE(Questions().empty());
}

} // namespace
