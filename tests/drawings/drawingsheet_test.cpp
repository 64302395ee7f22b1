// The drawing sheet element by element against its layout rules: frames by
// size and border, the title block's origin, the revision rows of the last
// eight changes, index styles, the "/" placeholder, free texts in the style
// of the text before, the protection notice and the zone grid.
#include "cadlogsupport.h"
#include "common/testnames.h"

#include "drawings/sheet/drawingsheet.h"
#include "planetary/documentation.h"
#include "reports/textview/printsettings.h"

#include <cmath>
#include <string>
#include <vector>

namespace
{

class DrawingSheet : public CadLogFixture
{
  protected:
    void SetUp() override
    {
        CadLogFixture::SetUp();
        ResetDocumentation("07.12.2026");
        sheetclock.TodayDateText = [] { return "07.12.2026"; };
        sheetclock.NowTimeText = [] { return "9:05"; };
        sheetclock.TodayIsoDateText = [] { return "2026-12-07"; };
        telmvar.ProgramTitle = "QYR7";
        telmvar.ProgramVersion = "7.0";
        Open();
    }
    void TearDown() override
    {
        Close();
        ResetDocumentation();
        CadLogFixture::TearDown();
    }
    static void AddChanges(int N)
    {
        documentation.ChangeCount = N;
        for (int k = 1; k <= N; ++k) {
            documentation.ChangeList[k].Text[0] = "mod" + std::to_string(k);
            documentation.ChangeList[k].Text[1] = "date" + std::to_string(k);
            documentation.ChangeList[k].Text[2] = "nm" + std::to_string(k);
            documentation.ChangeList[k].Text[3] = "desc" + std::to_string(k);
        }
    }
    // Every text call with this text.
    static std::vector<TCadCall> Texts(const std::string& T)
    {
        std::vector<TCadCall> r;
        for (const auto& c : CadCallLog())
            if (c.Kind == "text" && c.Text == T) r.push_back(c);
        return r;
    }
    static bool HasTextAt(const std::string& T, double X, double Y)
    {
        for (const auto& c : Texts(T))
            if (std::fabs(c.V[0] - X) < 1e-6 && std::fabs(c.V[1] - Y) < 1e-6) return true;
        return false;
    }
    static bool HasLine(double X1, double Y1, double X2, double Y2)
    {
        for (const auto& c : Calls("line"))
            if (std::fabs(c.V[0] - X1) < 1e-6 && std::fabs(c.V[1] - Y1) < 1e-6 &&
                std::fabs(c.V[2] - X2) < 1e-6 && std::fabs(c.V[3] - Y2) < 1e-6)
                return true;
        return false;
    }
};

TEST_F(DrawingSheet, IsoA4ShowsTheLastEightChangesAndRevisionM)
{
    wtelmvar.TitleBlockType = 2;
    wtelmvar.DrawingBorderWidth = 1;
    wtelmvar.IndexStyle = 0;
    cadsettings.SheetShowChanges = true;
    AddChanges(12);
    DrawDrawingSheet(4, "Sun gear", "S", "4711");
    // Title block at (20, 10); revision table on top of it from y 46.
    EXPECT_FALSE(HasTextAt("date4", 29, 10 + 36 + 0.9));
    for (int k = 5; k <= 12; ++k) {
        const double y = 10 + 36 + 3.5 * (k - 4) + 0.9;
        EXPECT_TRUE(HasTextAt("date" + std::to_string(k), 29, y)) << "change " << k;
        EXPECT_TRUE(HasTextAt(std::string(1, char('a' + k - 1)), 21, y)) << "change " << k;
        EXPECT_TRUE(HasTextAt("desc" + std::to_string(k), 91, y)) << "change " << k;
    }
    // 12 changes: the letter with code 12 + 65.
    EXPECT_TRUE(HasTextAt("M", 150, 12));
    EXPECT_TRUE(HasTextAt("2026-12-07", 158, 12));
    EXPECT_TRUE(HasTextAt("Responsible dept.", 21, 43.5));
    EXPECT_TRUE(HasTextAt("07.12.2026 9:05", 186, 1));
    EXPECT_TRUE(HasTextAt("TELMORA   QYR7  V7.0", 1, 300));
    // The zone border 4 mm outside the frame (20, 10)-(200, 287).
    EXPECT_TRUE(HasLine(16, 6, 16, 291));
    EXPECT_TRUE(HasLine(20, 10, 20, 287));
    const char* notice = "Copying of this document and giving it to other and the use";
    ASSERT_EQ(Texts(notice).size(), 1u);
    EXPECT_NEAR(Texts(notice)[0].V[0], 3, 1e-9);
    EXPECT_EQ(printsettings.GraphContentKind, 2);
    EXPECT_EQ(cadstate.CadOffsetX, 0);
}

struct FrameCase {
    const char* name;
    int code, type, border;
    bool innerFrame;
    double fx1, fy1, fx2, fy2;
};

const FrameCase frameCases[] = {
    {"A4 DIN", 4, 3, 1, true, 17.9, 5, 205.1, 292},
    {"A4 ISO border 5", 4, 2, 0, true, 17.9, 5, 205.1, 292},
    {"A3 ISO border 10", 3, 1, 1, true, 20, 10, 410, 287},
    {"A3 DIN min", 3, 0, 1, true, 15, 5, 415, 292},
    {"A1 DIN", 1, 3, 1, false, 0, 0, 0, 0},
    {"A2 DIN min", 2, 0, 0, false, 0, 0, 0, 0},
    {"A2 ISO border 10", 2, 2, 1, true, 20, 10, 584, 400},
};

class SheetFrames : public DrawingSheet, public ::testing::WithParamInterface<FrameCase>
{
};

TEST_P(SheetFrames, FrameByCodeTypeAndBorder)
{
    const FrameCase& c = GetParam();
    wtelmvar.TitleBlockType = c.type;
    wtelmvar.DrawingBorderWidth = c.border;
    cadsettings.SheetShowGridLabels = true;
    cadsettings.SheetShowMmScale = true;
    DrawDrawingSheet(c.code, "T", "", "");
    // Frame lines are the only layer-5 lines from the frame's lower left
    // corner upward.
    int frames = 0;
    for (const auto& l : Calls("line"))
        if (l.Layer == 5 && std::fabs(l.V[0] - l.V[2]) < 1e-9 && std::fabs(l.V[1] - l.V[3]) > 100) ++frames;
    EXPECT_EQ(frames, c.innerFrame ? 2 : 0) << c.name;
    if (c.innerFrame) {
        EXPECT_TRUE(HasLine(c.fx1, c.fy1, c.fx1, c.fy2)) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SheetFrames, ::testing::ValuesIn(frameCases),
                         [](const auto& info) { return testnames::Identifier(info.param.name); });

TEST_F(DrawingSheet, LargeSheetDrawsTitleBlockAtTheCurrentOffset)
{
    wtelmvar.TitleBlockType = 3;
    SetCadOffset(600, 20);
    DrawTitleBlock(1, "Carrier", "", "");
    // DIN 6771 outline 187.2 x 55.25 from the caller's offset.
    EXPECT_TRUE(HasLine(600, 20, 600, 75.25));
    EXPECT_TRUE(HasTextAt("Compl.", 655.6, 50.75));
    EXPECT_EQ(cadstate.CadOffsetX, 0);
}

TEST_F(DrawingSheet, DinRowsIndexStylesAndPlaceholders)
{
    wtelmvar.TitleBlockType = 0;
    cadsettings.SheetShowChanges = false; // the DIN rows ignore it
    AddChanges(3);
    wtelmvar.IndexStyle = 3;
    DrawDrawingSheet(3, " / ", "/", "D-1");
    // Title block origin (227.8, 5); row r at 4.25 r + 1.
    for (int k = 1; k <= 3; ++k)
        EXPECT_TRUE(HasTextAt("mod" + std::to_string(k), 227.8 + 8.8, 5 + 4.25 * k + 1)) << k;
    for (const char* index : {"a", "1", "A"})
        EXPECT_TRUE(Texts(index).empty()) << "index style 3 writes no index, found " << index;
    EXPECT_TRUE(Texts("/").empty());
    EXPECT_TRUE(Texts(" / ").empty());
    EXPECT_TRUE(HasTextAt("D-1", 227.8 + 100.8, 5 + 7.375));
    EXPECT_EQ(printsettings.GraphContentKind, 3);
}

TEST_F(DrawingSheet, RevisionIndexTextByStyle)
{
    const struct {
        uint16_t style;
        int n;
        const char* text;
    } cases[] = {{0, 1, "a"}, {0, 12, "l"}, {1, 12, "12"}, {2, 3, "C"}, {3, 3, ""}, {9, 3, ""}};
    for (const auto& c : cases) {
        wtelmvar.IndexStyle = c.style;
        EXPECT_EQ(RevisionIndexText(c.n), c.text) << "style " << c.style << " n " << c.n;
    }
}

TEST_F(DrawingSheet, FreeTextWithoutHeightKeepsTheStyleBefore)
{
    wtelmvar.TitleBlockType = 2;
    auto& d = documentation;
    d.SheetTextMode = 2;
    d.SheetTextCount = 2;
    d.SheetTextLines[1] = {30, 100, 5, 0, "first"};
    d.SheetTextLines[2] = {30, 90, 0, 0, "second"};
    DrawDrawingSheet(4, "", "", "");
    ASSERT_EQ(Texts("second").size(), 1u);
    EXPECT_NEAR(Texts("first")[0].V[2], 5, 1e-9);
    EXPECT_NEAR(Texts("second")[0].V[2], 5, 1e-9);
}

TEST_F(DrawingSheet, FreeTextsOnlyOnTheirSheetSize)
{
    auto& d = documentation;
    d.SheetTextCount = 1;
    d.SheetTextLines[1] = {30, 100, 5, 0, "free"};
    const struct {
        int mode, code;
        bool drawn;
    } cases[] = {{0, 4, true}, {0, 3, false}, {1, 3, true}, {2, 3, true}, {3, 4, false}, {2, 1, false}};
    for (const auto& c : cases) {
        CadCallLog().clear();
        d.SheetTextMode = c.mode;
        DrawDrawingSheet(c.code, "", "", "");
        EXPECT_EQ(!Texts("free").empty(), c.drawn) << "mode " << c.mode << " code " << c.code;
    }
}

TEST_F(DrawingSheet, SwitchedOffOrAbortedDrawsNothing)
{
    cadsettings.SheetShowTitleBlock = true;
    DrawDrawingSheet(4, "T", "", "");
    EXPECT_TRUE(CadCallLog().empty());
    cadsettings.SheetShowTitleBlock = false;
    telmvar.Aborted = true;
    DrawDrawingSheet(3, "T", "", "");
    EXPECT_TRUE(CadCallLog().empty());
    EXPECT_EQ(printsettings.GraphContentKind, 3);
}

} // namespace
