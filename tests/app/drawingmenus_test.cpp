// The drawing menus of the CAD menu played through scripted answers: each
// picture is drawn on the screen and as DXF from its menu (judged by ezdxf
// through cadjudge.py), the menu coming back after each drawing.
#include "appfixture.h"
#include "common/validators.h"
#include "graphics/cadvalidators.h"
#include "testcommands.h"

#include "app/mainmenu.h"
#include "gearpair/gearpairdata.h"
#include "graphics/displaylist.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"

#include <fstream>
#include <optional>

namespace
{

// A menu choice, then the picture's own list answers (1-based) and texts.
struct Row {
    const char* Item;
    int Choice;
    std::vector<int> Picks;
    std::vector<const char*> Texts;
    const char* Refusal = ""; // the box shown instead of the picture
};

class DrawingMenus : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        InitProgramLoadDefaults();
        InstallPlatformServices();
        telmvar.TempDir = dir.string() + "/";
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        telmvar.MessagesEnabled = true;
        CalcPlanetaryStage();
    }
    platform::PromptsImplHeadless& P() { return headless->HeadlessPrompts(); }
    // Draws every row on each device of the list (1 DXF, 3 screen) and has
    // the DXF files judged; Again: the menu comes back after a drawing.
    void Draw(const std::vector<Row>& Rows, std::vector<int> Devices, bool Again)
    {
        std::string files;
        for (const Row& r : Rows) {
            const std::string at = r.Item + (" " + std::to_string(r.Choice)),
                              file = (dir / (at + ".dxf")).string();
            P().Reset();
            headless->HeadlessMessages().Reset();
            headless->HeadlessFiles().Reset();
            for (int d : *r.Refusal ? std::vector<int>{0} : Devices) {
                P().QueueSelection(r.Choice - 1);
                if (d == 0) break; // refused before any question
                for (int k : r.Picks)
                    P().QueueSelection(k - 1);
                for (const char* t : r.Texts)
                    P().QueueText(std::string(t));
                P().QueueSelection(d - 1);
            }
            headless->HeadlessFiles().QueueAnswer(file);
            DisplayList.Clear();
            hh.Click(r.Item);
            int drawn = 0;
            for (std::string_view rec : DisplayList.Records) // lines, circles, arcs, texts, solids
                drawn += ParseDisplayRecord(rec).Kind >= 2 && ParseDisplayRecord(rec).Kind <= 7;
            std::ifstream in(file, std::ios::binary);
            const std::string dxf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            const size_t from = dxf.find("ENTITIES\r\n"), to = dxf.find("\n  0\r\nENDSEC", from);
            EXPECT_EQ(P().PendingAnswers(), 0u) << at << ": a question was not asked";
            EXPECT_EQ(Boxes(), *r.Refusal ? std::vector<std::string>{r.Refusal} : std::vector<std::string>{})
                << at;
            const auto& asked = P().Selections();
            EXPECT_EQ(asked.size() > 1 && asked.back().Prompt == asked.front().Prompt, Again && !*r.Refusal)
                << at;
            EXPECT_EQ(drawn > 0, Devices.size() > 1 && !*r.Refusal) << at << " on the screen";
            EXPECT_EQ(to != std::string::npos && dxf.find("\n  0\r\n", from) < to, !*r.Refusal)
                << at << " in DXF";
            files += *r.Refusal ? "" : " '" + file + "'";
        }
        const std::string out =
            RunCommand("/usr/bin/python3 '" + std::string(QYR7_TEST_DIR) + "/cadjudge.py' dxf" + files);
        if (out.rfind("missing", 0) == 0) QYR7_VALIDATOR_MISSING(out);
        EXPECT_EQ(out.substr(0, 7), "judged ") << out;
    }
    TTestCommands hh;
};

// Each entry point opens its menu on its mesh (default stage: z2 21 in S-Pi,
// 15 in Pi-Pe, -63 in Pe-H); "Config" opens the tooth graphics settings and
// the menu comes back proposing "return"; "return" and "return .." leave.
TEST_F(DrawingMenus, EachEntryPointReachesItsMenu)
{
    const struct {
        const char* Item;
        std::vector<std::optional<int>> Answers; // 0-based; nothing: Cancel
        std::vector<std::string> Asked;
        int z2;
    } rows[] = {
        {"mi_cadFertigungszeichnungSP", {15}, {"production drawing"}, 21},
        {"mi_cadfertigungszeichnungPH", {}, {"production drawing"}, -63},
        {"mi_cadzahnzeichnungSPi", {9}, {"Tooth drawing"}, 21},
        {"mi_cadzahnzeichnungPiPe",
         {8, std::nullopt, 9},
         {"Tooth drawing", "Configuration tooth grahics", "Tooth drawing (return)"},
         15},
        {"mi_cadzahnzeichnungPeH", {}, {"Tooth drawing"}, -63},
        {"mi_cadDiagramme", {}, {"diagram"}, -63},
    };
    for (const auto& r : rows) {
        P().Reset();
        for (const auto& a : r.Answers)
            P().QueueSelection(a);
        ASSERT_TRUE(hh.Click(r.Item));
        std::vector<std::string> asked;
        for (const auto& s : P().Selections())
            asked.push_back(s.Prompt + (s.Selected == 9 ? " (return)" : ""));
        EXPECT_EQ(asked, r.Asked) << r.Item;
        EXPECT_EQ(GearPair.z[2], r.z2) << r.Item;
    }
}

// Entries 1 to 15 from S-Pi (sun and planet bored for the carrier link),
// the ring's from Pe-H, which refuses the link. Picks: gear (3 both), entry
// 8's measurement; entry 15's text the centre distance.
TEST_F(DrawingMenus, ProductionDrawingEntriesDrawOnScreenAndInDxf)
{
    PlanetaryGears.dB[gS] = 20;
    PlanetaryGears.dB[gPi] = 12;
    const char *sp = "mi_cadFertigungszeichnungSP", *ph = "mi_cadfertigungszeichnungPH";
    Draw({{sp, 1, {1}, {}},
          {sp, 2, {2}, {}},
          {sp, 3, {1}, {}},
          {sp, 4, {3}, {}},
          {sp, 5, {2}, {}},
          {sp, 6, {3}, {}},
          {sp, 7, {3}, {}},
          {sp, 8, {1, 3}, {}},
          {sp, 9, {3}, {}},
          {sp, 10, {2}, {}},
          {sp, 11, {}, {}},
          {sp, 12, {}, {}},
          {sp, 13, {}, {}},
          {sp, 14, {}, {}},
          {sp, 15, {}, {"100"}},
          {ph, 1, {2}, {}},
          {ph, 7, {2}, {}},
          {ph, 13, {}, {}},
          {ph, 15, {}, {}, "not for z2 < 0"}},
         {3, 1}, true);
}

// Items 1 to 8 from S-Pi, the ring with its pinion and the planets in the
// ring from Pe-H. Picks: gear, item 3's section, item 8's sun choice; texts:
// item 2's teeth, item 8's planets, the angle of rotation.
TEST_F(DrawingMenus, ToothDrawingItemsDrawOnScreenAndInDxf)
{
    const char *sp = "mi_cadzahnzeichnungSPi", *ph = "mi_cadzahnzeichnungPeH";
    Draw({{sp, 1, {1}, {}},
          {sp, 2, {2}, {"3"}},
          {sp, 3, {2, 1}, {}},
          {sp, 4, {1}, {}},
          {sp, 5, {2}, {}},
          {sp, 6, {1}, {}},
          {sp, 7, {}, {"10"}},
          {sp, 8, {2}, {"4", "0"}},
          {ph, 5, {2}, {}},
          {ph, 8, {}, {"3", "-5"}}},
         {3, 1}, true);
}

// Life, safety and safety against the quality of the pair loaded last.
TEST_F(DrawingMenus, LifeSafetyAndQualityDiagramsToDxf)
{
    Draw({{"mi_cadDiagramme", 1, {}, {}}, {"mi_cadDiagramme", 2, {}, {}}, {"mi_cadDiagramme", 3, {}, {}}},
         {1}, false);
}

} // namespace
