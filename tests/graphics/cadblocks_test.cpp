// Blocks on the screen device (kept as DXF files of the output's own,
// parsed once and replayed at every insert) and on the plot device, and the block reader's
// handling of nested, self-inserting and malformed blocks.
#include "cadtestsupport.h"
#include "common/validators.h"

#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "graphics/cad/blockreader.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace
{

class CadBlocksTest : public CadTest
{
  protected:
    void OpenScreen()
    {
        cadsettings.SheetShowFooter = true;
        CadOpenOutput(3);
        CadBeginDrawingDefault();
        CadWriteTables(0);
        CadBeginBlocks();
    }
    void BeginEntities()
    {
        CadEndSection();
        CadBeginEntities();
        Screen.Calls.clear();
    }
    // A user's block file in the temporary directory.
    void UserBlock(const std::string& FileName, const std::string& Entities)
    {
        WriteFile(Temp(FileName), Entities + "  0\r\nEOF\r\n");
    }
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> e;
        for (int i = 1; i <= error0.ErrorCount; ++i)
            e.push_back(error0.ErrorTexts[i]);
        return e;
    }
};

void DrawPart()
{
    CadSetLayer(5);
    CadLine(0, 0, 10, 0);
    CadCircle(0, 0, 2);
    CadArc(0, 0, 0, 90, 4);
    CadSolid(1, 1, 2, 1, 1, 2, 2, 2);
    CadSetTextStyle(2, 0, 3, 3);
    CadText(0, 5, "P");
}

TEST_F(CadBlocksTest, InsertGivesTheRecordsOfTheTransformedEntities)
{
    OpenScreen();
    CadBeginBlock("PART");
    DrawPart();
    CadEndBlock();
    BeginEntities();
    CadSetLayer(5);
    CadInsertBlock("PART", 50, 50, 0, 1, 1);
    CadInsertBlock("part", 100, 50, 90, 2, 2);
    const std::vector<std::string> inserted = Screen.Calls;

    // The same drawn directly, transformed by hand: (x, y) -> (50 + x, 50 +
    // y), then rotated by 90 degrees and doubled: (100 - 2y, 50 + 2x).
    Screen.Calls.clear();
    CadSetLayer(0);
    Screen.Calls.clear();
    CadSetLayer(5);
    CadLine(50, 50, 60, 50);
    CadCircle(50, 50, 2);
    CadArc(50, 50, 0, 90, 4);
    CadSolid(51, 51, 52, 51, 51, 52, 52, 52);
    CadSetTextStyle(2, 0, 3, 3);
    CadTextAt(50, 55, "P");
    CadLine(100, 50, 100, 70);
    CadCircle(100, 50, 4);
    CadArc(100, 50, 90, 180, 8);
    CadSolid(98, 52, 98, 54, 96, 52, 96, 54);
    CadSetTextStyle(2, 90, 6, 6);
    CadTextAt(90, 50, "P");
    EXPECT_EQ(inserted, Screen.Calls);
}

TEST_F(CadBlocksTest, NestedInsertComposesPointsAndTextAngles)
{
    OpenScreen();
    CadBeginBlock("INNER");
    CadLine(0, 0, 10, 0);
    CadSetTextStyle(2, 15, 2, 2);
    CadText(0, 0, "T");
    CadEndBlock();
    CadBeginBlock("OUTER");
    CadInsertBlock("INNER", 10, 0, 90, 1, 1);
    CadEndBlock();
    BeginEntities();
    CadInsertBlock("OUTER", 0, 0, 30, 1, 1);
    // Inner origin at (10 cos 30, 10 sin 30); its line turned by 120 deg.
    EXPECT_EQ(Screen.Drawn(),
              (std::vector<std::string>{"Line 8.6603 5.0000 3.6603 13.6603", "Text 8.6603 5.0000 T"}));
    EXPECT_NE(std::find(Screen.Calls.begin(), Screen.Calls.end(), "TextStyle 2 135.0000 2.0000 1.9000"),
              Screen.Calls.end())
        << "the text's own 15 degrees plus both inserts' 30 + 90";
}

TEST_F(CadBlocksTest, SelfInsertStopsAtDepthFiveAndDrawingGoesOn)
{
    OpenScreen();
    CadBeginBlock("LOOP");
    CadLine(0, 0, 1, 0);
    CadInsertBlock("LOOP", 0, 1, 0, 1, 1);
    CadEndBlock();
    BeginEntities();
    CadInsertBlock("LOOP", 0, 0, 0, 1, 1);
    CadLine(5, 5, 6, 6);
    EXPECT_EQ(Messages, (std::vector<std::string>{"error blockno.5"}));
    EXPECT_EQ(Screen.Drawn(), (std::vector<std::string>{
                                  "Line 0.0000 0.0000 1.0000 0.0000", "Line 0.0000 1.0000 1.0000 1.0000",
                                  "Line 0.0000 2.0000 1.0000 2.0000", "Line 0.0000 3.0000 1.0000 3.0000",
                                  "Line 5.0000 5.0000 6.0000 6.0000"}));
    EXPECT_EQ(cadstate.CadBlockCount, 0);
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(CadBlocksTest, BlockInsertingItselfTwiceIsReportedOnce)
{
    OpenScreen();
    CadBeginBlock("TWICE");
    CadInsertBlock("TWICE", 0, 0, 0, 1, 1);
    CadInsertBlock("TWICE", 1, 0, 0, 1, 1);
    CadLine(0, 0, 1, 0);
    CadEndBlock();
    BeginEntities();
    CadInsertBlock("TWICE", 0, 0, 0, 1, 1);
    EXPECT_EQ(Messages, (std::vector<std::string>{"error blockno.5"}));
    EXPECT_TRUE(Screen.Drawn().empty());
    CadInsertBlock("TWICE", 0, 0, 0, 1, 1);
    EXPECT_EQ(Messages.size(), 2u) << "the next insert is read afresh";
}

TEST_F(CadBlocksTest, BlockFilesLiveInTheOutputsOwnDirectoryUntilClose)
{
    UserBlock("$LOGO_2.dx$", "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n480\r\n 21\r\n0\r\n");
    OpenScreen();
    CadBeginBlock("SCHNITT");
    CadLine(0, 0, 1, 1);
    CadEndBlock();
    // Not in the shared temporary directory: only in this output's own.
    EXPECT_EQ(TempFiles().size(), 2u);
    for (const std::string& f : TempFiles())
        EXPECT_TRUE(f == "$LOGO_2.dx$" || fs::is_directory(Temp(f))) << f;
    CadEndSection();
    CadBeginEntities();
    // The logo: at (0.91 W, 0.01 H), scaled W / 480.
    EXPECT_EQ(Screen.Drawn(), (std::vector<std::string>{"Line 145.6000 1.2000 305.6000 1.2000"}));
    CadCloseOutput();
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"$LOGO_2.dx$"})) << "the user's logo is never deleted";
}

TEST_F(CadBlocksTest, BlockNamesCannotLeaveTheDirectories)
{
    OpenScreen();
    CadBeginBlock("../escape");
    EXPECT_TRUE(telmvar.Aborted);
    CadLine(0, 0, 1, 1);
    CadEndBlock();
    EXPECT_FALSE(telmvar.Aborted) << "the block is dropped, the drawing goes on";
    BeginEntities();
    CadInsertBlock("../escape", 0, 0, 0, 1, 1);
    EXPECT_TRUE(Screen.Drawn().empty());
    EXPECT_EQ(Errors(), (std::vector<std::string>{"Invalid temp directory"}));
    EXPECT_TRUE(telmvar.Aborted);
}

// Inserts replay the entities parsed from the block's file: a block written
// again, and a user's file changed between two outputs, must not replay the
// old entities.
TEST_F(CadBlocksTest, RewrittenBlockIsParsedAgain)
{
    UserBlock("$u.dx$", "  0\nLINE\n 11\n1\n");
    OpenScreen();
    CadBeginBlock("PART");
    CadLine(0, 0, 1, 0);
    CadEndBlock();
    BeginEntities();
    CadInsertBlock("PART", 0, 0, 0, 1, 1);
    CadInsertBlock("PART", 0, 5, 0, 1, 1);
    CadInsertBlock("U", 0, 0, 0, 1, 1);
    CadBeginBlock("part");
    CadLine(0, 0, 0, 2);
    CadEndBlock();
    CadInsertBlock("PART", 0, 0, 0, 1, 1);
    EXPECT_EQ(Screen.Drawn(), (std::vector<std::string>{
                                  "Line 0.0000 0.0000 1.0000 0.0000", "Line 0.0000 5.0000 1.0000 5.0000",
                                  "Line 0.0000 0.0000 1.0000 0.0000", "Line 0.0000 0.0000 0.0000 2.0000"}));
    CadCloseOutput();

    UserBlock("$u.dx$", "  0\nLINE\n 11\n3\n");
    OpenScreen();
    BeginEntities();
    CadInsertBlock("U", 0, 0, 0, 1, 1);
    EXPECT_EQ(Screen.Drawn(), (std::vector<std::string>{"Line 0.0000 0.0000 3.0000 0.0000"}));
    EXPECT_TRUE(Errors().empty());
}

struct ReaderCase {
    const char* Name;
    const char* Entities;
    std::vector<std::string> Drawn;
    std::vector<std::string> Errors;
    std::vector<std::string> Messages;
};

class BlockReaderTest : public CadBlocksTest, public ::testing::WithParamInterface<ReaderCase>
{
};

TEST_P(BlockReaderTest, ReadsUserBlock)
{
    const ReaderCase& c = GetParam();
    cadsettings.LayerNames[5] = "OUTLINE";
    UserBlock("$b.dx$", c.Entities);
    OpenScreen();
    BeginEntities();
    CadInsertBlock("B", 0, 0, 0, 2, 3);
    EXPECT_EQ(Screen.Drawn(), c.Drawn);
    EXPECT_EQ(Errors(), c.Errors);
    EXPECT_EQ(Messages, c.Messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockReaderTest,
    ::testing::Values(
        ReaderCase{"CircleRadiusTakesXScale",
                   "  0\nCIRCLE\n  8\n0\n 10\n1\n 20\n1\n 40\n5\n",
                   {"Circle 2.0000 3.0000 10.0000"},
                   {},
                   {}},
        ReaderCase{
            "ArcOfRadiusZeroDrawsNothing", "  0\nARC\n 10\n1\n 20\n1\n 40\n0\n 50\n0\n 51\n90\n", {}, {}, {}},
        ReaderCase{"MalformedCodeEndsBlock",
                   "  0\nLINE\n 10\n0\n 20\n0\n 11\n1\n 21\n0\nabc\nLINE\n  0\nLINE\n 11\n5\n",
                   {"Line 0.0000 0.0000 2.0000 0.0000"},
                   {"Error  : DXF: abc"},
                   {}},
        ReaderCase{"UnknownEntityEndsBlock",
                   "  0\nHATCH\n  8\n0\n  0\nLINE\n 11\n1\n",
                   {},
                   {"Error  : DXF: HATCH"},
                   {}},
        ReaderCase{"PolylineWithoutVertex",
                   "  0\nPOLYLINE\n 66\n1\n  0\nLINE\n 11\n1\n 21\n1\n",
                   {"Line 0.0000 0.0000 2.0000 3.0000"},
                   {},
                   {"Error in DXF File"}},
        ReaderCase{"ClosedPolyline",
                   "  0\nPOLYLINE\n 66\n1\n 70\n1\n  0\nVERTEX\n 10\n0\n 20\n0\n  0\nVERTEX\n 10\n1\n 20\n0\n"
                   "  0\nVERTEX\n 10\n1\n 20\n1\n  0\nSEQEND\n",
                   {"Line 0.0000 0.0000 2.0000 0.0000", "Line 2.0000 0.0000 2.0000 3.0000",
                    "Line 2.0000 3.0000 0.0000 0.0000"},
                   {},
                   {}},
        ReaderCase{"LwPolylineInLowerCase",
                   "  0\nlwpolyline\n  8\n0\n100\nAcDbPolyline\n 90\n2\n 10\n0\n 20\n0\n 10\n1\n 20\n1\n",
                   {"Line 0.0000 0.0000 2.0000 3.0000"},
                   {},
                   {}}),
    [](const ::testing::TestParamInfo<ReaderCase>& i) { return std::string(i.param.Name); });

TEST_F(CadBlocksTest, LayerNamesOfBlockFiles)
{
    cadsettings.LayerNames[5] = "OUTLINE";
    UserBlock("$l.dx$",
              "  0\nLINE\n  8\nOUTLINE\n 11\n1\n  0\nLINE\n  8\n-3\n 11\n1\n  0\nLINE\n  8\nhidden\n 11\n1\n"
              "  0\nLINE\n  8\n17\n 11\n1\n");
    OpenScreen();
    BeginEntities();
    CadSetLayer(9);
    CadInsertBlock("L", 0, 0, 0, 1, 1);
    EXPECT_EQ(cadstate.CadLayer, 17);
    // Pens tell the layers apart: 9 first (width only), then 5 with 3 px, 0
    // (for "-3" and for "hidden" alike) 1 px, pen 17 in colour 2.
    std::vector<std::string> widths;
    for (const std::string& c : Screen.Calls)
        if (c.rfind("LineWidth", 0) == 0 || c.rfind("CadColor", 0) == 0) widths.push_back(c);
    EXPECT_EQ(widths, (std::vector<std::string>{"LineWidth 1", "CadColor 1", "LineWidth 3", "CadColor 1",
                                                "LineWidth 1", "CadColor 2", "LineWidth 1"}));
}

TEST_F(CadBlocksTest, PlotFileDrawsBlocksItDoesNotDefine)
{
    UserBlock("$logo_1.dx$", "  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 11\n10\n 21\n0\n");
    CadOpenOutput(4);
    CadBeginDrawingDefault();
    CadWriteTables(0);
    CadBeginBlocks();
    CadBeginBlock("OWN");
    CadLine(0, 0, 1, 1);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    CadInsertBlock("LOGO_1", 5, 5, 0, 1, 1);
    CadInsertBlock("own", 20, 20, 0, 1, 1);
    CadEndSection();
    CadCloseOutput();
    const std::string dxf = ReadFile(Temp("korvilt.dxf"));
    EXPECT_EQ(dxf.find("LOGO_1"), std::string::npos);
    EXPECT_NE(dxf.find("LINE\r\n  8\r\n0\r\n 10\r\n5.000000\r\n 20\r\n5.000000\r\n 11\r\n15.000000\r\n"),
              std::string::npos);
    EXPECT_NE(dxf.find("INSERT\r\n  8\r\n0\r\n  2\r\nOWN\r\n"), std::string::npos);

    const auto view = EzdxfView(Temp("korvilt.dxf"));
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf is not installed");
    ASSERT_FALSE(view->empty());
    EXPECT_EQ(view->front(), "audit errors=0 fixes=0") << "every insert of the plot file has its block";
    EXPECT_NE(std::find(view->begin(), view->end(), "INSERT 0 OWN 20.000 20.000 0.000 1.000 1.000"),
              view->end());
    EXPECT_NE(std::find(view->begin(), view->end(), "LINE 0 5.000 5.000 15.000 5.000"), view->end());
}

} // namespace
