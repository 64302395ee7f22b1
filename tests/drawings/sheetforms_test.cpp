// The drawing information and the document links through their models:
// the DIN and ISO layouts, what OK stores and Cancel keeps, the free-text
// rows, and what the document buttons start. Faults the forms must not
// have: the ISO layout wiping the release row it does not show, free texts
// after an empty row dropped, a document that fails to start without a
// word.
#include "common/testnames.h"
#include "sheetdialogs_support.h"

#include "drawings/sheet/documentlinksform.h"
#include "drawings/sheet/drawinginfoform.h"
#include "foundation/programsettings.h"
#include "graphics/cadsettings.h"

namespace
{

std::string G(const std::string& Grid, int C, int R)
{
    return TForm_zeichInfo::Cell(Grid, C, R);
}

using DrawingInfo = SheetDialogs;

TEST_F(DrawingInfo, DinLayoutShowsFourRowsAndDateButtons)
{
    wtelmvar.TitleBlockType = 3;
    cadsettings.ReleaseFieldLabel = "Rel.";
    documentation.ReleaseBy = "JM";
    TForm_zeichInfo f;
    EXPECT_EQ(f.Caption(), "Info drawing DIN 6771");
    EXPECT_TRUE(f.Control("Button4").Visible);
    EXPECT_EQ(f.Control("Button4").Caption, "< 07.12.2026");
    EXPECT_FALSE(f.Control("StringGrid3").Visible);
    EXPECT_EQ(f.Control(G("StringGrid1", 0, 4)).Caption, "Rel.");
    EXPECT_EQ(f.Control(G("StringGrid1", 2, 4)).Text, "JM");
    f.Press("Button2");
    EXPECT_EQ(f.Control(G("StringGrid1", 1, 2)).Text, "07.12.2026");
    f.Control(G("StringGrid1", 1, 4)).Text = "08.12.2026";
    ASSERT_EQ(f.Press("Button_ok"), platform::DialogAction::Accept);
    EXPECT_EQ(documentation.CheckedDate, "07.12.2026");
    EXPECT_EQ(documentation.ReleaseDate, "08.12.2026");
}

TEST_F(DrawingInfo, IsoLayoutKeepsTheReleaseRow)
{
    wtelmvar.TitleBlockType = 2;
    documentation.ReleaseDate = "02.12.2026";
    documentation.ReleaseBy = "JM";
    documentation.DocumentStatus = "draft";
    TForm_zeichInfo f;
    EXPECT_EQ(f.Caption(), "Info drawing ISO 7200");
    EXPECT_FALSE(f.Control("Button1").Visible);
    EXPECT_FALSE(f.Control("Edit_ersatzfuer").Visible);
    EXPECT_TRUE(f.Control("StringGrid3").Visible);
    EXPECT_EQ(f.Control(G("StringGrid1", 1, 0)).Caption, " (Date)");
    EXPECT_EQ(f.Control(G("StringGrid3", 1, 3)).Text, "draft");
    f.Control(G("StringGrid1", 2, 1)).Text = "HK";
    f.Control(G("StringGrid3", 1, 1)).Text = "Design";
    ASSERT_EQ(f.Press("Button_ok"), platform::DialogAction::Accept);
    EXPECT_EQ(documentation.DrawnBy, "HK");
    EXPECT_EQ(documentation.ResponsibleDept, "Design");
    EXPECT_EQ(documentation.ReleaseDate, "02.12.2026");
    EXPECT_EQ(documentation.ReleaseBy, "JM");
}

struct FreeTextCase {
    const char* name;
    std::vector<std::pair<int, std::vector<std::string>>> rows; // row, x y h phi text
    int count;
    std::vector<std::string> texts;
    double x1;
};

const FreeTextCase freeTextCases[] = {
    {"empty grid gives one empty text", {}, 1, {""}, 0},
    {"rows after an empty row kept",
     {{1, {"10", "20", "3.5", "0", "one"}},
      {2, {"1", "1", "0", "0", "two"}},
      {4, {"1", "1", "0", "0", "four"}}},
     3,
     {"one", "two", "four"},
     10},
    {"comma decimal and unreadable number", {{1, {"12,5", "abc", "", "90", "x"}}}, 1, {"x"}, 12.5},
    {"blank text rows skipped",
     {{1, {"5", "5", "2", "0", "a"}}, {2, {"1", "1", "1", "0", "   "}}},
     1,
     {"a"},
     5},
};

class FreeTexts : public SheetDialogs, public ::testing::WithParamInterface<FreeTextCase>
{
};

TEST_P(FreeTexts, OkTakesRowOneAndEveryLaterText)
{
    const FreeTextCase& c = GetParam();
    documentation.SheetTextCount = 2;
    documentation.SheetTextLines[1] = {1.23456, 2, 3, 0, "old"};
    TForm_zeichInfo f;
    // The 3-significant layout of the numbers: one digit more from 1 on.
    EXPECT_EQ(f.Control(G("StringGrid2", 1, 1)).Text, "1.235");
    for (int r = 1; r <= 8; ++r)
        for (int col = 1; col <= 5; ++col)
            f.Control(G("StringGrid2", col, r)).Text.clear();
    for (const auto& [row, cells] : c.rows)
        for (int col = 1; col <= 5; ++col)
            f.Control(G("StringGrid2", col, row)).Text = cells[col - 1];
    ASSERT_EQ(f.Press("Button_ok"), platform::DialogAction::Accept);
    ASSERT_EQ(documentation.SheetTextCount, c.count);
    for (int k = 1; k <= c.count; ++k)
        EXPECT_EQ(documentation.SheetTextLines[k].Text, c.texts[k - 1]) << k;
    EXPECT_DOUBLE_EQ(static_cast<double>(documentation.SheetTextLines[1].x), c.x1);
    if (c.rows.size() == 1 && c.count == 1 && c.texts[0] == "x") {
        EXPECT_EQ(documentation.SheetTextLines[1].y, 0) << "unreadable number";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, FreeTexts, ::testing::ValuesIn(freeTextCases),
                         [](const auto& info) { return testnames::Identifier(info.param.name); });

TEST_F(DrawingInfo, TextModeHidesTheGridAndCancelKeeps)
{
    documentation.SheetTextMode = 1;
    documentation.ReplacementFor = "D-1";
    Script(
        [](platform::DialogModel& m) {
            EXPECT_EQ(m.Control("ComboBox_zeichtextmode").Text, "A3");
            m.Control("ComboBox_zeichtextmode").Text = "-";
            m.Changed("ComboBox_zeichtextmode");
            EXPECT_FALSE(m.Control("StringGrid2").Visible);
            m.Control("Edit_ersatzfuer").Text = "D-2";
        },
        "Button_cancel");
    const TDocumentation before = documentation;
    ShowDrawingInfo();
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(documentation, before);
    Script([](platform::DialogModel& m) {
        m.Control("ComboBox_zeichtextmode").Text = "-";
        m.Control("Edit_ersatzfuer").Text = "replacement for 4711";
    });
    ShowDrawingInfo();
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(documentation.SheetTextMode, 3);
    EXPECT_EQ(documentation.ReplacementFor, "replacement for");
}

using DocumentLinks = SheetDialogs;

TEST_F(DocumentLinks, ButtonsStartProgramsAndFiles)
{
    documentation.DocLinkPrograms[2] = {"/usr/bin/editor", "/home/u/my gear.txt"};
    TForm_confDoku f;
    EXPECT_EQ(f.Control("Edit_prog1").Text, "notepad.exe");
    EXPECT_EQ(f.Control("Label_file3").Caption, "File 3");
    f.Press("Button2");
    f.Press("Button1");                              // empty file: no argument
    f.Control("Edit_file4").Text = "/tmp/typed.dxf"; // not confirmed, used all the same
    f.Press("Button4f");
    const auto& l = hp.HeadlessLauncher().Launches();
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].Program, "/usr/bin/editor");
    EXPECT_EQ(l[0].Arguments, std::vector<std::string>{"/home/u/my gear.txt"});
    EXPECT_EQ(l[1].Program, "notepad.exe");
    EXPECT_TRUE(l[1].Arguments.empty());
    EXPECT_EQ(l[2].Document, "/tmp/typed.dxf");
    EXPECT_TRUE(Messages.empty());
    // A program that does not start says why.
    hp.HeadlessLauncher().QueueResult({false, 2, "notepad.exe: No such file or directory"});
    f.Press("Button1");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("No such file or directory"), std::string::npos);
}

// The project file holds one name a line: OK refuses a name with a line break, says where, stores nothing.
TEST_F(DocumentLinks, ALineBreakInANameIsRefusedAtOk)
{
    const TDocumentation before = documentation;
    for (const auto& [browse, field] :
         {std::pair{"Button_browsefile3", "File 3"}, std::pair{"Button_browseprog5", "Program 5"}}) {
        TForm_confDoku f;
        hp.HeadlessFiles().QueueAnswer(std::string("/home/u/a\nb"));
        f.Press(browse);
        EXPECT_EQ(f.Press("Button_ok"), platform::DialogAction::None) << field;
        ASSERT_FALSE(Messages.empty());
        EXPECT_EQ(Messages.back(),
                  std::string(field) + ": a line break cannot be stored in the project file");
        EXPECT_EQ(documentation, before);
    }
}

TEST_F(DocumentLinks, OkStoresCancelAndBrowseCancelKeep)
{
    const TDocumentation before = documentation;
    Script([](platform::DialogModel& m) { m.Control("Edit_file1").Text = "lost"; }, "Button_cancel");
    ShowDocumentLinks(0);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(documentation, before);
    hp.HeadlessFiles().QueueAnswer(std::nullopt);
    hp.HeadlessFiles().QueueAnswer(std::string("/opt/cad/viewer"));
    Script([](platform::DialogModel& m) {
        m.Control("Edit_prog5").Text = "/usr/bin/old";
        m.Press("Button_browseprog5");
        EXPECT_EQ(m.Control("Edit_prog5").Text, "/usr/bin/old");
        m.Press("Button_browseprog5");
        m.Control("Edit_file5").Text = "/home/u/sheet.dxf";
    });
    ShowDocumentLinks(0);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(documentation.DocLinkPrograms[5].DocLinkProgram, "/opt/cad/viewer");
    EXPECT_EQ(documentation.DocLinkPrograms[5].DocLinkFile, "/home/u/sheet.dxf");
    EXPECT_EQ(documentation.DocLinkPrograms[2].DocLinkProgram, "write.exe");
    ASSERT_EQ(hp.HeadlessFiles().Requests().size(), 2u);
    EXPECT_EQ(hp.HeadlessFiles().Requests()[0].InitialDir, "/usr/bin");
}

} // namespace
