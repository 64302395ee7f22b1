// The IGES output: the record layer (80-column records, parameter texts cut
// into P records, directory entries), the entities of a whole drawing
// against a golden file, and OCCT's reader, which must read the file
// without a fail message and find the edges and extents that were drawn.
#include "cadtestsupport.h"
#include "cadvalidators.h"

#include "common/tempdir.h"
#include "common/validators.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/writers/igesrecords.h"
#include "graphics/writers/igeswriter.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace
{

std::vector<std::string> Records(const std::string& File)
{
    std::vector<std::string> r;
    size_t p = 0;
    while (p < File.size()) {
        const size_t e = File.find("\r\n", p);
        if (e == std::string::npos) {
            r.push_back(File.substr(p));
            break;
        }
        r.push_back(File.substr(p, e - p));
        p = e + 2;
    }
    return r;
}

std::vector<std::string> Section(const std::string& File, char Letter)
{
    std::vector<std::string> r;
    for (const std::string& rec : Records(File))
        if (rec.size() == 80 && rec[72] == Letter) r.push_back(rec);
    return r;
}

TIgesOptions FixedOptions()
{
    TIgesOptions o;
    o.FileName = "zahnrad";
    o.ProgramName = "QYR7";
    o.ProgramVersion = "1.0";
    o.Year = 2026;
    o.Month = 1;
    o.Day = 6;
    return o;
}

// --- record layer ---------------------------------------------------------

struct CutCase {
    const char* Name;
    std::string Text;
    std::vector<std::string> Pieces;
};

class IgesCutTest : public ::testing::TestWithParam<CutCase>
{
};

TEST_P(IgesCutTest, CutsAtDelimiters)
{
    EXPECT_EQ(IgesCutParameters(GetParam().Text), GetParam().Pieces);
}

// 64 characters: "110," and six numbers of ten characters with commas.
const std::string Text64 = "110,123456.789,123456.789,123456.789,123456.789,123456.7,0.0;xyz";
const std::string Text65 = Text64 + "w";

INSTANTIATE_TEST_SUITE_P(
    Texts, IgesCutTest,
    ::testing::Values(
        CutCase{"ExactlySixtyFourIsOneRecord", Text64, {Text64}},
        CutCase{"SixtyFiveCutAfterLastCommaBefore64",
                Text65,
                {"110,123456.789,123456.789,123456.789,123456.789,123456.7,", "0.0;xyzw"}},
        CutCase{"NoCommaCutsAt64", std::string(70, '9'), {std::string(64, '9'), std::string(6, '9')}},
        // The commas of a note's text are text: the string goes on in full
        // records.
        CutCase{"CommaInHollerithIsText",
                "70H" + std::string(30, 'a') + "," + std::string(39, 'b') + ";",
                {"70H" + std::string(30, 'a') + "," + std::string(30, 'b'), std::string(9, 'b') + ";"}},
        CutCase{"CommaAfterHollerithDelimits",
                "5Ha,b,c," + std::string(60, '1') + ";",
                {"5Ha,b,c,", std::string(60, '1') + ";"}},
        CutCase{"EmptyTextIsOneRecord", "", {""}}),
    [](const ::testing::TestParamInfo<CutCase>& i) { return std::string(i.param.Name); });

TEST(IgesRecordTest, RecordsAreEightyColumnsWithSectionAndSequence)
{
    std::ostringstream s;
    IgesWriteRecord(s, "110,1.0;", "       1", 'P', 12);
    IgesWriteRecord(s, "x", "", 'Q', 1); // not a section: nothing
    const std::string want = "110,1.0;" + std::string(56, ' ') + "       1P0000012\r\n";
    EXPECT_EQ(s.str(), want);
    EXPECT_EQ(want.size(), 82u);

    TIgesDirectory d;
    d.Fields[0] = "308";
    d.Fields[1] = " 17 ";
    d.Fields[16] = "LONGBLOCKNAME";
    EXPECT_EQ(IgesDirectoryData(d, 1), "     308      17" + std::string(56, ' '));
    EXPECT_EQ(IgesDirectoryData(d, 2).substr(56, 8), "LONGBLOC") << "a field is cut to 8 columns";
}

TEST(IgesRecordTest, NumbersAndStrings)
{
    EXPECT_EQ(IgesFixed(12.5L, 3), "12.500");
    EXPECT_EQ(IgesFixed(-1e-9L, 3), "0.000") << "below 1e-8 is zero";
    EXPECT_EQ(IgesFixed(-0.0001L, 3), "0.000") << "no sign on a zero";
    EXPECT_EQ(IgesFixed(0.5L, 6), "0.500000");
    EXPECT_EQ(IgesHollerith("FILE"), "4HFILE");
}

TEST(IgesColourTest, SixteenIsBlackAndOutsideIsNone)
{
    const int want[] = {0, 2, 5, 3, 7, 4, 6, 0, 8, 10, 11, 12, 13, 14, 15, 1, 1};
    for (int i = 0; i <= 16; ++i)
        EXPECT_EQ(IgesColourOf(i), want[i]) << "index " << i;
    EXPECT_EQ(IgesColourOf(17), 0);
    EXPECT_EQ(IgesColourOf(-1), 0);
}

// --- entities -------------------------------------------------------------

class IgesWriterTest : public ::testing::Test
{
  protected:
    static std::vector<std::string> Messages()
    {
        std::vector<std::string> m;
        for (int i = 1; i <= error0.ErrorCount; ++i)
            m.push_back(error0.ErrorTexts[i]);
        return m;
    }
};

// Every entity, a block inserted straight and at 30 degrees, layers of
// each kind. Drawn edges: 4 lines, circle, arc, a rectangle (4), a
// triangle given with a repeated corner (3), and the block's line and arc
// twice; the text is not an edge.
void DrawEveryEntity(TIgesWriter& W)
{
    W.StartFile(200);
    W.SetLayer(5, 0);
    W.BeginSubfigure("TOOTH");
    W.Line(0, 0, 10, 0);
    W.Arc(0, 0, 5, 0, 0, 5);
    W.EndSubfigure();
    W.SetLayer(0, 0);
    W.Line(0, 0, 100, 0);
    W.SetLayer(1, 0);
    W.Line(0, 10, 100, 10);
    W.SetLayer(2, 0);
    W.Line(0, 20, 100, 20);
    W.SetLayer(31, 0);
    W.Line(0, 30, 200, 30);
    W.SetLayer(3, 0);
    W.Circle(50, 60, 10);
    W.SetLayer(25, 0);
    W.Arc(120, 60, 130, 60, 110, 60);
    // DXF order: edges 1-2 and 3-4 opposite.
    W.Solid(10, 80, 40, 80, 10, 90, 40, 90);
    W.Solid(60, 80, 90, 80, 75, 95, 75, 95);
    W.Text("M 1:2, z=17", 10, 100, TIgesTextStyle{3.5L, 0.7L, 90});
    W.Insert("tooth", 20, 120, 0);
    W.Insert("TOOTH", 60, 120, 30);
    W.Finish();
}

TEST_F(IgesWriterTest, EveryEntityMatchesGolden)
{
    std::ostringstream s;
    TIgesWriter w(s, FixedOptions());
    DrawEveryEntity(w);
    const std::string file = s.str();
    ExpectGolden("entities.igs", file);

    for (const std::string& r : Records(file))
        EXPECT_EQ(r.size(), 80u) << "record \"" << r << "\"";
    const auto d = Section(file, 'D');
    ASSERT_GE(d.size(), 2u);
    EXPECT_EQ(d[0].substr(72), "D0000001");
    EXPECT_EQ(d[1].substr(72), "D0000002");
    const auto g = Section(file, 'G');
    ASSERT_EQ(g.size(), 5u);
    EXPECT_EQ(g[3].substr(0, 16), "13H260106.140920") << "two-digit year";
    EXPECT_NE(g[2].find(",1.0,2,2HMM,"), std::string::npos) << "scale 1.0, millimetres";
}

TEST_F(IgesWriterTest, RotatedInsertTakesFourDirectoryRecords)
{
    auto directoryCount = [](Extended Angle) {
        std::ostringstream s;
        TIgesWriter w(s, FixedOptions());
        w.StartFile(10);
        w.BeginSubfigure("B");
        w.Line(0, 0, 1, 0);
        w.EndSubfigure();
        const int before = w.DirectoryCount();
        w.Insert("b", 1, 1, Angle);
        const int after = w.DirectoryCount();
        w.Finish();
        return after - before;
    };
    EXPECT_EQ(directoryCount(0), 2);
    EXPECT_EQ(directoryCount(30), 4) << "a 124 matrix and the 408";
}

TEST_F(IgesWriterTest, EmptyDrawingCountsNoParameterRecords)
{
    std::ostringstream s;
    TIgesWriter w(s, FixedOptions());
    w.StartFile(0);
    w.Finish();
    const auto t = Section(s.str(), 'T');
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].substr(0, 32), "S0000002G0000005D0000000P0000000");
    EXPECT_EQ(t[0].substr(72), "T0000001");
}

TEST_F(IgesWriterTest, UnknownBlockIsLeftOutAndNamed)
{
    std::ostringstream s;
    TIgesWriter w(s, FixedOptions());
    w.StartFile(10);
    w.Insert("NOWHERE", 0, 0, 30);
    w.Finish();
    EXPECT_EQ(w.DirectoryCount(), 0) << "neither the matrix nor the instance";
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Blockname NOWHERE not found !"}));
}

TEST_F(IgesWriterTest, LongTextsAndMemberListsAreNotCapped)
{
    std::ostringstream s;
    TIgesWriter w(s, FixedOptions());
    w.StartFile(10);
    w.BeginSubfigure("MANY");
    for (int i = 0; i < 1200; ++i)
        w.Line(i, 0, i, 1);
    w.EndSubfigure();
    const std::string text(400, 'x');
    w.Text(text + "\r\nend", 0, 0, TIgesTextStyle{});
    w.Insert("many", 0, 0, 0);
    w.Finish();
    const std::string file = s.str();
    // The note's string comes back whole from its P records.
    std::string p;
    for (const std::string& r : Section(file, 'P'))
        p += r.substr(0, 64);
    EXPECT_NE(p.find("405H" + text + "  end;"), std::string::npos) << "line break written as blanks";
    EXPECT_NE(p.find("308,0,4HMANY,1200,"), std::string::npos);
    EXPECT_NE(p.find("1,3,5,7,9,11,13,15,17,19,21,23,"), std::string::npos) << "twelve members to a text";
    EXPECT_NE(p.find(",2395,2397,2399;"), std::string::npos) << "the last members";
    EXPECT_NE(p.find("408,2401,"), std::string::npos) << "the instance names the definition";
}

TEST_F(IgesWriterTest, NestedDefinitionLiesOneLevelDeeper)
{
    std::ostringstream s;
    TIgesWriter w(s, FixedOptions());
    w.StartFile(50);
    w.BeginSubfigure("INNER");
    w.Line(0, 0, 5, 0);
    w.EndSubfigure();
    w.BeginSubfigure("OUTER");
    w.Insert("inner", 10, 0, 0);
    w.Insert("INNER", 20, 0, 90);
    w.EndSubfigure();
    w.Insert("outer", 0, 10, 0);
    w.Finish();
    std::string p;
    for (const std::string& r : Section(s.str(), 'P')) {
        const std::string data = r.substr(0, 64);
        p += data.substr(0, data.find_last_not_of(' ') + 1);
    }
    EXPECT_NE(p.find("308,0,5HINNER,1,1;"), std::string::npos);
    // Members: the two instances (5 and 9), not the matrix (7).
    EXPECT_NE(p.find("308,1,5HOUTER,2,5,9;"), std::string::npos) << p;

    testdirs::ScopedTempDir dir("iges");
    const std::string path = dir.Path() + "/nested.igs";
    std::ofstream(path, std::ios::binary) << s.str();
    const TOcctView v = OcctReadIges(path);
    ASSERT_TRUE(v.ToolFound) << "OCCT's draw program (occt-draw) is not installed";
    EXPECT_TRUE(v.Fails.empty()) << v.Output;
    EXPECT_EQ(v.Edges, 2) << v.Output;
    ASSERT_EQ(v.Box.size(), 6u) << v.Output;
    // (10..15, 10) and, turned by 90 degrees, (20, 10..15).
    const double want[6] = {10, 10, 0, 20, 15, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(v.Box[i], want[i], 1e-3) << "bounding box value " << i << "\n" << v.Output;
}

// --- OCCT reads the file ----------------------------------------------------

TEST_F(IgesWriterTest, OcctReadsEveryEntityWithoutFailures)
{
    std::ostringstream s;
    TIgesWriter w(s, FixedOptions());
    DrawEveryEntity(w);
    testdirs::ScopedTempDir dir("iges");
    const std::string path = dir.Path() + "/entities.igs";
    std::ofstream(path, std::ios::binary) << s.str();
    const TOcctView v = OcctReadIges(path);
    ASSERT_TRUE(v.ToolFound) << "OCCT's draw program (occt-draw) is not installed";
    EXPECT_TRUE(v.Fails.empty()) << v.Output;
    EXPECT_EQ(v.Edges, 4 + 1 + 1 + 4 + 3 + 2 * 2) << v.Output;
    ASSERT_EQ(v.Box.size(), 6u) << v.Output;
    // The highest point is the top of the block's arc (radius 5) at y 120.
    const double want[6] = {0, 0, 0, 200, 125, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(v.Box[i], want[i], 1e-3) << "bounding box value " << i << "\n" << v.Output;
}

// The Global section is printable ASCII: one "?" for each character beyond it (a control character and DEL
// too), a long name shortened by characters.
TEST_F(IgesWriterTest, NamesAsTheFileSystemHasThemInTheGlobalSection)
{
    std::string ae20;
    for (int i = 0; i < 20; ++i)
        ae20 += "ä";
    const std::pair<std::string, std::string> cases[] = {
        {"齿轮x", "3H??x,"},
        {ae20 + std::string(20, 'b'), "28H?????????????__bbbbbbbbbbbbb,"},
        {"a\tb\x7F", "4Ha?b?,"}};
    testdirs::ScopedTempDir dir("iges");
    for (const auto& [name, hollerith] : cases) {
        TIgesOptions o = FixedOptions();
        o.FileName = name;
        std::ostringstream s;
        TIgesWriter w(s, o);
        DrawEveryEntity(w);
        const std::string file = s.str();
        EXPECT_TRUE(std::all_of(file.begin(), file.end(), [](char ch) { return (ch & 0x80) == 0; }));
        const auto g = Section(file, 'G');
        ASSERT_EQ(g.size(), 5u);
        EXPECT_EQ(g[0].substr(0, 9 + hollerith.size()), ",,4HFILE," + hollerith);
        EXPECT_EQ(g[2].substr(0, hollerith.size()), hollerith);
        std::ofstream(dir.Path() + "/named.igs", std::ios::binary) << file;
        const TOcctView v = OcctReadIges(dir.Path() + "/named.igs");
        if (!v.ToolFound) QYR7_VALIDATOR_MISSING("OCCT's draw program (occt-draw)");
        EXPECT_TRUE(v.Fails.empty()) << v.Output;
    }
}

// --- through the CAD layer -------------------------------------------------

class IgesDeviceTest : public CadTest
{
};

TEST_F(IgesDeviceTest, DeviceWritesNamedFileThatOcctReads)
{
    telmvar.ProgramName = "QYR7";
    CadOpenOutput(2);
    ASSERT_FALSE(telmvar.Aborted);
    CadBeginDrawing(0, 0, 160, 120, 0);
    CadWriteTables(0);
    CadBeginBlocks();
    CadBeginBlock("Zahn");
    CadLine(0, 0, 10, 0);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    CadSetLayer(5);
    CadArc(80, 60, 0, 360, 20); // the whole circle
    CadArc(80, 60, 350, 10, 30);
    CadSetTextStyle(1, 0, 3.5L, 2.5L);
    CadText(10, 10, "d = 40 mm");
    CadInsertBlock("ZAHN", 100, 100, 45, 2, 2); // drawn out in place at its scale
    CadEndSection();
    CadCloseOutput();
    const std::string file = ReadFile(Temp("drawing.igs"));
    const auto g = Section(file, 'G');
    ASSERT_EQ(g.size(), 5u);
    EXPECT_EQ(g[0].substr(0, 35), ",,4HFILE,7Hdrawing,9HQYR7 V1.0,,   ");
    EXPECT_EQ(g[3].substr(0, 31), "13H260106.140920,1.0D-8,160.000");
    std::string p;
    for (const std::string& r : Section(file, 'P'))
        p += r.substr(0, 64);
    EXPECT_NE(p.find("100,0.0,80.000,60.000,100.000,60.000,100.000,60.000;"), std::string::npos)
        << "the whole circle starts and ends in one point";

    const TOcctView v = OcctReadIges(Temp("drawing.igs"));
    ASSERT_TRUE(v.ToolFound) << "OCCT's draw program (occt-draw) is not installed";
    EXPECT_TRUE(v.Fails.empty()) << v.Output;
    EXPECT_EQ(v.Edges, 3) << v.Output;
    ASSERT_EQ(v.Box.size(), 6u) << v.Output;
    // The circle spans 60..100 in x and 40..80 in y, the block's line, twice
    // as long, at 45 degrees from (100, 100) ends at (114.142, 114.142).
    const double want[6] = {60, 40, 0, 114.142, 114.142, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(v.Box[i], want[i], 1e-3) << "bounding box value " << i << "\n" << v.Output;
}

} // namespace
