// The text CAD code: a whole drawing through the CAD layer against a golden
// file, read back by a parser written for this test from the format's
// description (keywords, TAB-separated fields, record order); numbers with
// the decimal comma; arcs over the whole circle written as circles.
#include "cadtestsupport.h"

#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/graphservices.h"
#include "graphics/writers/textcadwriter.h"

#include <cstdlib>
#include <map>
#include <sstream>

namespace
{

// One record: the keyword and its fields.
struct TRecord {
    std::string Keyword;
    std::vector<std::string> Fields;
};

// Reads a text CAD file as another program would: CR LF lines, fields after
// TABs, numbers with "." or "," as decimal point. Returns the records and
// the first rule broken ("" when none).
std::string ParseTextCad(const std::string& File, std::vector<TRecord>& Records)
{
    static const std::map<std::string, int> numbers = {
        {"MINMAX", 4}, {"LINE", 4}, {"CIRCLE", 3}, {"ARC", 5}, {"SOLID", 8}};
    size_t p = 0;
    int line = 0;
    bool inBlock = false, entities = false, blocks = false, eof = false;
    while (p < File.size()) {
        ++line;
        const size_t e = File.find("\r\n", p);
        if (e == std::string::npos) return "line " + std::to_string(line) + " not ended by CR LF";
        const std::string text = File.substr(p, e - p);
        p = e + 2;
        if (eof) return "line " + std::to_string(line) + " after EOF";
        if (text.find_first_of("\r\n") != std::string::npos)
            return "stray line break in line " + std::to_string(line);
        TRecord r;
        std::stringstream s(text);
        std::getline(s, r.Keyword, '\t');
        for (std::string f; std::getline(s, f, '\t');)
            r.Fields.push_back(f);
        // A text is the rest of the line, its own tabs included.
        if (r.Keyword == "TEXT" && r.Fields.size() > 3) {
            for (size_t i = 3; i < r.Fields.size(); ++i)
                r.Fields[2] += "\t" + r.Fields[i];
            r.Fields.resize(3);
        }
        const std::string where = r.Keyword + " in line " + std::to_string(line);
        if (line == 1 && r.Keyword != "MINMAX") return "the file does not start with MINMAX";
        if (r.Keyword == "SECTION BLOCKS") {
            blocks = true;
        } else if (r.Keyword == "BLOCK") {
            if (!blocks || entities || inBlock || r.Fields.size() != 1) return where + ": misplaced";
            inBlock = true;
        } else if (r.Keyword == "END OF BLOCK") {
            if (!inBlock) return where + ": no block open";
            inBlock = false;
        } else if (r.Keyword == "SECTION ENTITIES") {
            if (inBlock) return where + ": block not ended";
            entities = true;
        } else if (r.Keyword == "EOF") {
            eof = true;
        } else if (r.Keyword == "TEXT") {
            if (r.Fields.size() < 3) return where + ": fields missing";
        } else if (r.Keyword == "INSERT") {
            if (r.Fields.size() != 6) return where + ": 6 fields wanted";
        } else if (numbers.count(r.Keyword)) {
            if (static_cast<int>(r.Fields.size()) != numbers.at(r.Keyword))
                return where + ": " + std::to_string(numbers.at(r.Keyword)) + " fields wanted";
        } else if (r.Keyword != "MINMAX") {
            return "unknown keyword " + where;
        }
        const size_t numeric = r.Keyword == "TEXT"        ? 2
                               : r.Keyword == "INSERT"    ? 6
                               : numbers.count(r.Keyword) ? r.Fields.size()
                                                          : 0;
        for (size_t i = (r.Keyword == "INSERT" ? 1 : 0); i < numeric && i < r.Fields.size(); ++i) {
            std::string f = r.Fields[i];
            for (char& c : f)
                if (c == ',') c = '.';
            char* end = nullptr;
            std::strtod(f.c_str(), &end);
            if (f.empty() || *end != '\0' || f.size() < 3)
                return where + ": field " + r.Fields[i] + " is no number";
        }
        Records.push_back(std::move(r));
    }
    if (!eof) return "no EOF";
    return "";
}

class TextCadTest : public CadTest
{
};

void DrawSample()
{
    CadBeginDrawing(0, 0, 160, 120, 0);
    CadWriteTables(0);
    CadBeginBlocks();
    CadBeginBlock("Zahn");
    CadLine(0, 0, 5, 0);
    CadArc(0, 0, 0, 90, 5);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    CadSetLayer(3);
    CadLine(1.5L, 0, 2, 0);
    CadCircle(50, 50, 12.5L);
    CadArc(50, 50, 350, 10, 20);
    CadArc(50, 50, 0, 360, 20);
    CadSolid(10, 80, 40, 80, 10, 90, 40, 90);
    CadSetTextStyle(1, 0, 3.5L, 2.5L);
    CadText(10, 100, "z\t= 17\r\nm = 2");
    CadInsertBlock("ZAHN", 100, 20, 30, 1, 2);
    CadEndSection();
    CadCloseOutput();
}

TEST_F(TextCadTest, DrawingMatchesGoldenAndReadsBack)
{
    CadOpenOutput(5);
    ASSERT_FALSE(telmvar.Aborted);
    DrawSample();
    const std::string file = ReadFile(Temp("drawing.txt"));
    ExpectGolden("textcad.txt", file);
    std::vector<TRecord> records;
    EXPECT_EQ(ParseTextCad(file, records), "");
    ASSERT_EQ(records.size(), 15u);
    // The arc over 0 degrees stays an arc; the one over the whole circle
    // is a circle.
    EXPECT_EQ(records[9].Keyword, "ARC");
    EXPECT_EQ(records[10].Keyword, "CIRCLE");
    EXPECT_EQ(records[12].Fields[2], "z\t= 17  m = 2") << "tabs stay, the line break is blanks";
    EXPECT_EQ(cadstate.CadLayerName, "3");
}

// A drawing that stops half way leaves the file that was there; a finished
// one replaces it. The same for every writer of this kind.
TEST_F(TextCadTest, OldFileStaysUntilTheOutputIsComplete)
{
    graphservices.AskLengthInRange = [](const std::string&, Extended&, Extended, Extended) {};
    for (const auto& [device, name] : {std::pair{2, "drawing.igs"}, {5, "drawing.txt"}, {6, "drawing.stl"}}) {
        WriteFile(Temp(name), "old");
        {
            TCadOutputScope scope;
            CadOpenOutput(device);
            CadBeginDrawing(0, 0, 10, 10, 5);
            CadBeginEntities();
            CadLine(0, 0, 10, 10);
        } // stopped here
        EXPECT_EQ(ReadFile(Temp(name)), "old") << name;
        CadOpenOutput(device);
        CadBeginDrawing(0, 0, 10, 10, 5);
        CadBeginEntities();
        CadLine(0, 0, 10, 10);
        CadCloseOutput();
        EXPECT_NE(ReadFile(Temp(name)), "old") << name;
        EXPECT_FALSE(telmvar.Aborted) << name;
    }
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"drawing.igs", "drawing.stl", "drawing.txt"}));
}

TEST_F(TextCadTest, DecimalCommaWithOneDecimal)
{
    std::ostringstream s;
    TTextCadWriter w(s, TTextCadOptions{1, true, true});
    w.Line(1.5L, 0, 2, 0);
    EXPECT_EQ(s.str(), "LINE\t1,5\t0,0\t2,0\t0,0\r\n");
}

struct ArcCase {
    const char* Name;
    Extended Start, End;
    const char* Keyword;
};

class TextCadArcTest : public ::testing::TestWithParam<ArcCase>
{
};

TEST_P(TextCadArcTest, FullCircleArcsAreCircles)
{
    std::ostringstream s;
    TTextCadWriter w(s, TTextCadOptions{0, false, true});
    w.Arc(1, 2, GetParam().Start, GetParam().End, 5);
    EXPECT_EQ(s.str().substr(0, s.str().find('\t')), GetParam().Keyword);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, TextCadArcTest,
    ::testing::Values(ArcCase{"ZeroTo360", 0, 360, "CIRCLE"}, ArcCase{"From360ToZero", 360, 0, "CIRCLE"},
                      ArcCase{"EqualEnds", 45, 45, "CIRCLE"},
                      ArcCase{"NearlyWhole", 0, 359.999995L, "CIRCLE"},
                      ArcCase{"JustShort", 0, 359.9999L, "ARC"}, ArcCase{"Quarter", 0, 90, "ARC"}),
    [](const ::testing::TestParamInfo<ArcCase>& i) { return std::string(i.param.Name); });

TEST(TextCadNumberTest, RightAlignedInThreeCharacters)
{
    std::ostringstream s;
    TTextCadWriter w(s, TTextCadOptions{0, false, true});
    EXPECT_EQ(w.Number(5), "  5");
    EXPECT_EQ(w.Number(-0.2L), "  0") << "no sign on a zero";
    EXPECT_EQ(w.Number(1234), "1234");
}

} // namespace
