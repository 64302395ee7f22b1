// The production drawing of a single gear: the sheet's scale, the place of
// the dimensioned section and its dimension lines worked by hand, the menu
// driven by scripted answers, and the refusals of entries 11 and 15.
//   scale s = NiceStep(min(140/b, 80/da0)); "rad" at (105 - s b/2, 244);
//   dimension lines at b + 0.2 d and b + 0.4 d (external gear),
//   b - 0.4 d and b - 0.2 d (ring, d negative).
#include "goldentestsupport.h"
#include "productiontestsupport.h"

#include "common/testnames.h"
#include "drawings/production/annotation.h"
#include "drawings/production/productiondrawing.h"
#include "drawings/sheet/drawingsheet.h"
#include "foundation/textutil.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/graphservices.h"
#include "planetary/documentation.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/printsettings.h"

#include <deque>
#include <filesystem>

namespace
{

struct TScaleCase {
    const char* name;
    int z;
    Extended b, da0, df;
    Extended scale;
    const char* text;
};

const TScaleCase scaleCases[] = {
    {"b20 da0 44", 30, 20, 44, 38, 1, "M 1:1"},
    {"b10 da0 149", 60, 10, 149.35L, 140, 0.5L, "M 1:2"},
    {"ring b10 df 149", -60, 10, -140, -149.35L, 0.5L, "M 1:2"},
    {"face width not calculated", 30, 0, 44, 38, 0, ""},
    {"diameter not calculated", 30, 20, 0, 0, 0, ""},
};

// The drawing under test with scripted prompts and the messages it shows.
class ProductionDrawingBase : public DefaultStageCad
{
  protected:
    void SetUp() override
    {
        DefaultStageCad::SetUp();
        ResetDocumentation("07.12.2026");
        sheetclock.TodayDateText = [] { return "07.12.2026"; };
        sheetclock.NowTimeText = [] { return "9:05"; };
        sheetclock.TodayIsoDateText = [] { return "2026-12-07"; };
        telmvar.ProgramTitle = "QYR7";
        telmvar.ProgramVersion = "7.0";
        // The project path is the test's scratch directory: left off.
        cadsettings.SheetShowFileName = true;
        savedIfEnabled_ = reportservices.ShowMessageIfEnabled;
        savedBox_ = reportservices.ShowMessageBox;
        reportservices.ShowMessageIfEnabled = [this](const std::string& T) { shown_.push_back(T); };
        reportservices.ShowMessageBox = [this](const std::string& T) { shown_.push_back(T); };
        graphservices.AskSelect = [this](const std::string& Prompt, int Count, uint16_t& Choice) {
            asked_.push_back(Prompt + " " + std::to_string(Count) + " offered " + std::to_string(Choice));
            if (answers_.empty()) {
                telmvar.Aborted = true;
                return;
            }
            const int a = answers_.front();
            answers_.pop_front();
            if (a == 0)
                telmvar.Aborted = true;
            else
                Choice = static_cast<uint16_t>(a);
        };
        graphservices.AskDoubleInRange = [this](const std::string& Prompt, Extended&, Extended, Extended) {
            asked_.push_back(Prompt);
        };
    }
    void TearDown() override
    {
        reportservices.ShowMessageIfEnabled = savedIfEnabled_;
        reportservices.ShowMessageBox = savedBox_;
        ResetDocumentation();
        DefaultStageCad::TearDown();
    }
    // The text CAD file of one run, "" when none was written.
    std::string RunTextCad(int Gear, int Entry, const std::string& Caption)
    {
        const std::string path = dir_ + "/drawing.txt";
        std::error_code ec;
        std::filesystem::remove(path, ec);
        telmvar.Aborted = false;
        ComposeProductionDrawing(5, Gear, Entry, Caption);
        return ReadBytes(path);
    }
    // The text CAD file ends its lines with CR LF.
    static bool HasLine(const std::string& Text, const std::string& Line)
    {
        return ("\n" + Text).find("\n" + Line + "\r\n") != std::string::npos;
    }
    std::deque<int> answers_;
    std::vector<std::string> asked_;
    std::vector<std::string> shown_;
    std::function<void(const std::string&)> savedIfEnabled_, savedBox_;
};

// Call by call through the fixture's recorder.
class ProductionSheetHand : public ProductionDrawingBase, public ::testing::WithParamInterface<TScaleCase>
{
};

TEST_P(ProductionSheetHand, ScaleTextAndSectionPlace)
{
    const TScaleCase& c = GetParam();
    LoadMeshByName("S-Pi");
    auto& g = GearPair;
    g.z[1] = c.z;
    g.b[1] = c.b;
    g.da0[1] = c.da0;
    g.df[1] = c.df;
    g.di[1] = 0;
    EXPECT_NEAR(static_cast<double>(ProductionSheetScale(1)), static_cast<double>(c.scale), 1e-12);
    Open();
    DrawProductionSheet(1, "");
    Close();
    const auto inserts = Calls("insert");
    const auto texts = Calls("text");
    const bool hasScale = std::any_of(texts.begin(), texts.end(), [&](const TCadCall& t) {
        return t.Text == c.text && t.V[0] == 25 && t.V[1] == 186;
    });
    if (c.scale > 0) {
        ASSERT_EQ(inserts.size(), 1u);
        EXPECT_EQ(inserts[0].Text, "rad1");
        EXPECT_NEAR(inserts[0].V[0], static_cast<double>(105 - c.scale * c.b / 2), 1e-9);
        EXPECT_NEAR(inserts[0].V[1], 244, 1e-9);
        EXPECT_NEAR(inserts[0].V[3], static_cast<double>(c.scale), 1e-12);
        EXPECT_NEAR(inserts[0].V[4], static_cast<double>(c.scale), 1e-12);
        EXPECT_TRUE(hasScale) << c.text;
    } else {
        // No scale: no section at an infinite size, no scale text.
        EXPECT_TRUE(inserts.empty());
        EXPECT_FALSE(hasScale);
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, ProductionSheetHand, ::testing::ValuesIn(scaleCases),
                         [](const auto& info) { return testnames::Identifier(info.param.name); });

class ProductionDrawing : public ProductionDrawingBase
{
  protected:
    // Vertical dimension lines (on layer 3) at X.
    static int VerticalLinesAt(Extended X)
    {
        int n = 0;
        for (const auto& l : Calls("line"))
            if (l.Layer == 3 && std::fabs(l.V[0] - X) < 1e-9 && std::fabs(l.V[2] - X) < 1e-9) ++n;
        return n;
    }
};

TEST_F(ProductionDrawing, SectionDimensionLinesOfGearAndRing)
{
    struct {
        const char* mesh;
        int gear;
        Extended f1, f2;
    } const cases[] = {{"S-Pi", 1, 0.2L, 0.4L}, {"Pe-H", 2, -0.4L, -0.2L}};
    for (const auto& c : cases) {
        LoadMeshByName(c.mesh);
        const auto& g = GearPair;
        Open();
        DrawGearSectionDimensioned(c.gear);
        Close();
        const Extended b = g.b[c.gear], d = g.d[c.gear];
        EXPECT_GT(VerticalLinesAt(b + c.f1 * d), 0) << c.mesh << " root diameter";
        EXPECT_GT(VerticalLinesAt(b + c.f2 * d), 0) << c.mesh << " tip diameter";
        CadCallLog().clear();
    }
}

TEST_F(ProductionDrawing, SectionWithoutCalculatedDataDrawsNothing)
{
    LoadMeshByName("S-Pi");
    GearPair.da0[1] = 0;
    Open();
    DrawGearSectionDimensioned(1);
    Close();
    EXPECT_TRUE(CadCallLog().empty());
}

// The menu and the refusals go through the text CAD writer.
class ProductionMenu : public ProductionDrawingBase
{
  protected:
    void SetUp() override
    {
        ProductionDrawingBase::SetUp();
        RegisterCadWriters();
    }
};

TEST_F(ProductionMenu, ProposalMovesToTheEntryAfterTheOneDrawn)
{
    LoadMeshByName("S-Pi");
    // Entry 4 for gear 1, then entry 9 for both, then Cancel.
    answers_ = {4, 1, 9, 3, 0};
    ComposeProductionDrawing(5, 0, 0, "S-Pi");
    const std::vector<std::string> expected = {
        "production drawing 16 offered 1", "Select gear ... 3 offered 1", "production drawing 16 offered 5",
        "Select gear ... 3 offered 1", "production drawing 16 offered 10"};
    EXPECT_EQ(asked_, expected);
    EXPECT_EQ(telmvar.TextItems[16], "return ..");
}

TEST_F(ProductionMenu, ReturnEntryEndsTheMenu)
{
    LoadMeshByName("S-Pi");
    answers_ = {16};
    ComposeProductionDrawing(5, 0, 0, "S-Pi");
    EXPECT_EQ(asked_.size(), 1u);
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(ProductionMenu, MeasurementIsAskedAfterTheGear)
{
    LoadMeshByName("S-Pi");
    answers_ = {8, 2, 3, 0};
    ComposeProductionDrawing(5, 0, 0, "S-Pi");
    ASSERT_GE(asked_.size(), 3u);
    EXPECT_EQ(asked_[1], "Select gear ... 2 offered 1");
    EXPECT_EQ(asked_[2], "measurement 3 offered 1");
}

TEST_F(ProductionMenu, PresetEntryWithGearZeroAsksOnlyGearOneOrTwo)
{
    LoadMeshByName("S-Pi");
    answers_ = {2};
    const std::string out = RunTextCad(0, 4, "S-Pi");
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0], "Select gear ... 2 offered 1");
    // One gear drawn, both table blocks defined.
    EXPECT_TRUE(HasLine(out, "BLOCK\ttab1")) << out.substr(0, 400);
    EXPECT_TRUE(HasLine(out, "BLOCK\ttab2"));
    EXPECT_EQ(out.find("INSERT\ttab"), std::string::npos);
}

TEST_F(ProductionMenu, PresetEntryAndGearAskNothing)
{
    LoadMeshByName("S-Pi");
    for (int entry : {1, 4, 5, 7, 9, 13}) {
        const std::string out = RunTextCad(1, entry, "S-Pi");
        EXPECT_FALSE(out.empty()) << "entry " << entry;
        EXPECT_EQ(telmvar.DiagramKind, entry);
    }
    EXPECT_TRUE(asked_.empty());
}

TEST_F(ProductionMenu, BothSheetsOfEntrySevenAreBlocks)
{
    LoadMeshByName("S-Pi");
    const std::string out = RunTextCad(3, 7, "S-Pi");
    for (const char* b : {"frame_1", "frame_2", "rad1", "rad2", "zeich1", "zeich2"})
        EXPECT_TRUE(HasLine(out, std::string("BLOCK\t") + b)) << b;
    EXPECT_NE(out.find("INSERT\tzeich2\t215.000000\t0.000000"), std::string::npos);
    EXPECT_EQ(printsettings.GraphContentKind, 1);
}

TEST_F(ProductionMenu, AllAllowancesZeroLeavesEvenTheOpenMenu)
{
    LoadMeshByName("S-Pi");
    auto& g = GearPair;
    g.Asni[1] = g.Asni[2] = 0;
    g.Aa = g.Aai = 0;
    answers_ = {11, 1};
    ComposeProductionDrawing(5, 0, 0, "S-Pi");
    EXPECT_EQ(asked_.size(), 1u);
    EXPECT_EQ(shown_, std::vector<std::string>{"not for tolerance = 0 !"});
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/drawing.txt"));
}

TEST_F(ProductionMenu, BacklashWithoutAPositiveRangeIsRefusedToo)
{
    // Allowances that are not all zero but leave no backlash range: the
    // diagram would divide by a range of 0 or less.
    LoadMeshByName("S-Pi");
    auto& g = GearPair;
    g.Aa = g.Aai = 0;
    g.Asni[1] = 0.01L;
    g.Asni[2] = 0.01L;
    const std::string out = RunTextCad(1, 11, "S-Pi");
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(shown_, std::vector<std::string>{"not for tolerance = 0 !"});
}

TEST_F(ProductionMenu, CarrierLinkRefusesRingAndMissingBore)
{
    struct {
        const char* mesh;
        Extended dB1, dB2;
        const char* message;
    } const cases[] = {{"Pe-H", 20, 30, "not for z2 < 0"},
                       {"S-Pi", 0, 30, "not for dBore = 0"},
                       {"S-Pi", 20, 0, "not for dBore = 0"}};
    for (const auto& c : cases) {
        shown_.clear();
        LoadMeshByName(c.mesh);
        GearPair.dB[1] = c.dB1;
        GearPair.dB[2] = c.dB2;
        EXPECT_TRUE(RunTextCad(1, 15, c.mesh).empty()) << c.message;
        EXPECT_EQ(shown_, std::vector<std::string>{c.message});
        EXPECT_TRUE(telmvar.Aborted);
    }
    // With both bores the link is drawn and the centre distance asked.
    LoadMeshByName("S-Pi");
    GearPair.dB[1] = 20;
    GearPair.dB[2] = 30;
    EXPECT_FALSE(RunTextCad(1, 15, "S-Pi").empty());
    EXPECT_EQ(asked_, std::vector<std::string>{"center distance"});
}

// Every entry drawn with a preset gear through the text CAD writer, one
// golden file per mesh and gear (a fixed clock; the project path left
// off); and every entry as DXF read back by ezdxf's auditor.
struct TGoldenCase {
    const char* Mesh;
    int Gear;
};

std::string GoldenName(const ::testing::TestParamInfo<TGoldenCase>& I)
{
    return std::string(I.param.Mesh[0] == 'S' ? "SPi" : "PeH") + "_gear" + std::to_string(I.param.Gear);
}

class ProductionEntries : public ProductionMenu, public ::testing::WithParamInterface<TGoldenCase>
{
  protected:
    void SetUp() override
    {
        ProductionMenu::SetUp();
        cadsettings.DxfDecimals = 6;
        LoadMeshByName(GetParam().Mesh);
        // The carrier link needs both bores.
        GearPair.dB[1] = 20;
        GearPair.dB[2] = 30;
    }
    std::string Run(int Device, int Entry)
    {
        const std::string path = dir_ + (Device == 1 ? "/drawing.dxf" : "/drawing.txt");
        std::error_code ec;
        std::filesystem::remove(path, ec);
        telmvar.Aborted = false;
        ComposeProductionDrawing(Device, GetParam().Gear, Entry, GetParam().Mesh);
        return std::filesystem::exists(path) ? path : "";
    }
};

TEST_P(ProductionEntries, TextCadMatchesGolden)
{
    std::string all;
    for (int entry = 1; entry <= 15; ++entry) {
        shown_.clear();
        const std::string path = Run(5, entry);
        all += "=== entry " + std::to_string(entry) + " " + ProductionDrawingMenuText(entry) + "\n";
        all += path.empty() ? "(no drawing)\n" : ReadBytes(path);
        for (const auto& m : shown_)
            all += "message " + m + "\n";
    }
    ExpectGolden(std::string("production_") + GoldenName({GetParam(), 0}) + ".txt", all);
    EXPECT_TRUE(asked_.size() == 1u || asked_.empty()) << "only the carrier's centre distance may be asked";
}

TEST_P(ProductionEntries, DxfOfEveryEntryPassesTheAuditor)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    for (int entry = 1; entry <= 15; ++entry) {
        const std::string path = Run(1, entry);
        if (path.empty()) continue;
        const std::string out = RunPython("productiondxf.py", path);
        EXPECT_NE(out.find("audit errors=0 fixes=0\n"), std::string::npos) << "entry " << entry << "\n"
                                                                           << out;
    }
}

TEST_P(ProductionEntries, SheetBlocksInsertsAndScaleReadBack)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    const int n = GetParam().Gear;
    const std::string path = Run(1, 7);
    ASSERT_FALSE(path.empty());
    const std::string out = RunPython("productiondxf.py", path);
    const Extended s = ProductionSheetScale(n);
    ASSERT_GT(s, 0);
    char insert[160];
    std::snprintf(insert, sizeof insert, "insert *model rad%d %.4f 244.0000 %.4f\n", n,
                  static_cast<double>(105 - s * GearPair.b[n] / 2), static_cast<double>(s));
    EXPECT_NE(out.find(insert), std::string::npos) << insert << out;
    EXPECT_NE(out.find("insert *model frame_1 0.0000 0.0000 1.0000\n"), std::string::npos) << out;
    EXPECT_NE(out.find("scale *model " + ScaleText(s) + "\n"), std::string::npos) << out;
    EXPECT_NE(out.find("block rad" + std::to_string(n) + " "), std::string::npos) << out;
    EXPECT_NE(out.find("block frame_1 "), std::string::npos) << out;
    // Both gears: the two sheets as blocks side by side.
    std::error_code ec;
    std::filesystem::remove(path, ec);
    telmvar.Aborted = false;
    ComposeProductionDrawing(1, 3, 7, GetParam().Mesh);
    const std::string both = RunPython("productiondxf.py", path);
    EXPECT_NE(both.find("audit errors=0 fixes=0\n"), std::string::npos) << both;
    for (const char* b : {"frame_1", "frame_2", "rad1", "rad2", "zeich1", "zeich2"})
        EXPECT_NE(both.find(std::string("block ") + b + " "), std::string::npos) << b;
    EXPECT_NE(both.find("insert *model zeich2 215.0000 0.0000 1.0000\n"), std::string::npos) << both;
    EXPECT_NE(both.find("insert zeich1 frame_1 0.0000 0.0000 1.0000\n"), std::string::npos) << both;
}

INSTANTIATE_TEST_SUITE_P(Meshes, ProductionEntries,
                         ::testing::Values(TGoldenCase{"S-Pi", 1}, TGoldenCase{"S-Pi", 2},
                                           TGoldenCase{"Pe-H", 1}, TGoldenCase{"Pe-H", 2}),
                         GoldenName);

} // namespace
