// The display list as text: the records the recording methods write for the
// edge cases that matter to the replay, the number format, and the mapping
// state they leave.
#include "graphwindow_testsupport.h"

#include "../common/tempdir.h"
#include "foundation/textfile.h"

namespace
{

using DisplayListTest = GraphWindowTest;

TEST_F(DisplayListTest, EdgeCasesRecordTheGoldenList)
{
    TGraphFacade& w = GraphFacade;
    w.Arc(0, 0, 30, 30, 10);  // sweep 0: a line of zero length, not a circle
    w.Arc(0, 0, 350, 10, 10); // sweep 20
    w.Arc(0, 0, 10, 350, 10); // sweep 340
    w.SetColor(3);
    w.SetColor(3);  // repeat: nothing
    w.SetColor(17); // above MaxColorIndex: nothing
    w.SetColor(-1);
    w.OutTextXY(10, 20, "a;b");
    w.SetTextStyle(0, 90, 2.5L, 2.5L);
    w.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 100, 50);
    w.SetWindow(true, true, 0, 0, 1, 1, 0, 0, 100, 50);
    w.Line(123.456789L, 0.00001L, 1e9L, -0.000001234L);
    w.Line(2.5L, 40, 99999999, 1e8L);
    w.Circle(1.5L, 2.5L, 0.125L);
    w.Solid(0, 0, 1, 0, 1, 1, 0, 1);
    w.SetLineStyle(2);
    w.SetLineStyle(2);
    w.SetLineWidth(2);
    w.SetLineWidth(2);
    w.SleepMs(50);
    w.SleepMs(50); // pauses are recorded every time
    w.Rectangle(0, 0, 2, 1);
    GraphFacade.SetCadColor(1);
    GraphFacade.SetCadColor(9);
    GraphFacade.SetCadColor(23);
    GraphFacade.SetCadColor(0);
    ExpectGraphGolden("displaylist_edgecases.txt", ListText());
}

struct RealCase {
    const char* name;
    long double value;
    const char* text;
};

class GraphRealFormat : public ::testing::TestWithParam<RealCase>
{
};

TEST_P(GraphRealFormat, EightSignificantDigitsWithPoint)
{
    EXPECT_EQ(FormatGraphReal(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GraphRealFormat,
    ::testing::Values(
        RealCase{"Zero", 0.0L, "0"}, RealCase{"NegativeZero", -0.0L, "0"}, RealCase{"Half", 2.5L, "2.5"},
        RealCase{"Whole", 40.0L, "40"}, RealCase{"RoundedUp", 123.456789L, "123.45679"},
        RealCase{"CarryIntoNextDecade", 9.999999999L, "10"}, RealCase{"SmallestFixed", 0.00001L, "0.00001"},
        RealCase{"BelowFixed", 0.000009999L, "9.999E-06"},
        RealCase{"EightIntegerDigits", 12345678.4L, "12345678"},
        RealCase{"NineIntegerDigits", 123456789.0L, "1.2345679E+08"},
        RealCase{"HugeExponent", -2.5e123L, "-2.5E+123"}, RealCase{"Third", 1.0L / 3, "0.33333333"},
        // Rounding to 8 digits carries into a ninth integer
        // digit, or up into the fixed range.
        RealCase{"EightNinesStayFixed", 99999999.4L, "99999999"},
        RealCase{"CarryIntoNineDigits", 99999999.5L, "1E+08"},
        RealCase{"CarryIntoExponent", 999999999.0L, "1E+09"}, RealCase{"PowerOfTen", 1e9L, "1E+09"},
        RealCase{"NegativeRoundedUp", -123.456789L, "-123.45679"},
        RealCase{"RoundsUpIntoFixed", 9.99999999e-6L, "0.00001"},
        RealCase{"StaysBelowFixed", 9.99999994e-6L, "9.9999999E-06"},
        RealCase{"SmallExponent", 1.5e-15L, "1.5E-15"},
        // The doubles nearest these decimal ties lie just
        // below (0.00100000034999999992...) and just above
        // (0.00100000005000000003...) them: the digits follow
        // the exact value, not the tie.
        RealCase{"JustBelowATie", 0.00100000035, "0.0010000003"},
        RealCase{"JustAboveATie", 0.00100000005, "0.0010000001"},
        // 2^-1074 = 4.94065645841...E-324.
        RealCase{"SmallestDouble", 4.9406564584124654e-324L, "4.9406565E-324"}),
    [](const ::testing::TestParamInfo<RealCase>& info) { return std::string(info.param.name); });

TEST_F(DisplayListTest, RecordsParseBackWithTheirFields)
{
    // Kind 1 and 2 records need the ";" after y; the text of a kind-6 record
    // is the whole rest, ";" included.
    struct Case {
        std::string record;
        int kind;
        std::vector<long double> f;
        long long n;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"1;2;3;", 1, {2, 3}, 0, ""},
        {"3;1.5;2.5;0.125", 3, {1.5L, 2.5L, 0.125L}, 0, ""},
        {"4;1E+09;-1.234E-06;0;7", 4, {1e9L, -1.234e-6L, 0, 7}, 0, ""},
        {"6;10;20;a;b;", 6, {10, 20}, 0, "a;b;"},
        {"9;2.5;2.5;0;90", 9, {2.5L, 2.5L, 0, 90}, 0, ""},
        {"10;1;1;639;479;0;0;100;50", 10, {1, 1, 639, 479, 0, 0, 100, 50}, 0, ""},
        {"8;-1", 8, {}, -1, ""},
        {"13;x", 13, {}, 0, ""},                 // not an integer: 0
        {"4;1,5;2;3;4", 4, {0, 2, 3, 4}, 0, ""}, // a malformed number reads as 0
        {"0;1;2", 0, {}, 0, ""},
        {"14;1;2;3;4", 14, {1, 2, 3, 4}, 0, ""},
        {"15;1", 0, {}, 0, ""},
        {"x;1", 0, {}, 0, ""},
        {"", 0, {}, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        const TDisplayRecord r = ParseDisplayRecord(c.record);
        EXPECT_EQ(r.Kind, c.kind);
        for (size_t i = 0; i < c.f.size(); ++i)
            EXPECT_NEAR(static_cast<double>(r.F[i]), static_cast<double>(c.f[i]), 1e-12) << "field " << i + 1;
        EXPECT_EQ(r.N, c.n);
        EXPECT_EQ(std::string(r.Text), c.text);
    }
}

TEST_F(DisplayListTest, SetWindowScalesAt640x480)
{
    // 640 pixels over 100 units and 480 over 50; square units take the
    // smaller scale.
    GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 100, 50);
    EXPECT_DOUBLE_EQ(static_cast<double>(graphmapping.GraphXScale), 6.4);
    EXPECT_DOUBLE_EQ(static_cast<double>(graphmapping.GraphYScale), 9.6);
    GraphFacade.SetWindow(true, false, 0, 0, 1, 1, 0, 0, 100, 50);
    EXPECT_DOUBLE_EQ(static_cast<double>(graphmapping.GraphXScale), 6.4);
    EXPECT_DOUBLE_EQ(static_cast<double>(graphmapping.GraphYScale), 6.4);
    GraphFacade.SetWindow(true, true, 0, 0, 1, 1, 0, 0, 100, 50);
    EXPECT_EQ(graphmapping.GraphViewport, (TPixelRect{1, 1, 639, 479}));
    // The world origin sits at the viewport's lower left corner.
    EXPECT_EQ(FTelmgra.ScreenX(0), 1);
    EXPECT_EQ(FTelmgra.ScreenY(0), 479);
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(DisplayListTest, ZeroWindowOrViewportAbortsAndKeepsTheScales)
{
    GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 100, 50);
    GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 5, 0, 5, 50);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(DisplayList.Records.back(), "10;0;0;640;480;5;0;5;50"); // recorded anyway
    EXPECT_DOUBLE_EQ(static_cast<double>(graphmapping.GraphXScale), 6.4);
    telmvar.Aborted = false;
    // Equal viewport fractions: no division by a zero pixel width.
    GraphFacade.SetWindow(false, false, 0.5L, 0, 0.5L, 1, 0, 0, 10, 10);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_DOUBLE_EQ(static_cast<double>(graphmapping.GraphXScale), 6.4);
    EXPECT_DOUBLE_EQ(static_cast<double>(graphmapping.GraphYScale), 9.6);
}

TEST_F(DisplayListTest, HeadlessDrawingAreaCountsAs640x480)
{
    telmvar.ScreenPixelsX = 0;
    telmvar.ScreenPixelsY = 0;
    GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 100, 50);
    EXPECT_EQ(DisplayList.Records.back(), "10;0;0;640;480;0;0;100;50");
}

TEST_F(DisplayListTest, SquareWorldUnitsOnAWideDrawingArea)
{
    // 1911 x 949 square pixels: a world unit is as many pixels wide as high.
    telmvar.ScreenPixelsX = 1911;
    telmvar.ScreenPixelsY = 949;
    GraphFacade.Header(0, 0, 100, 100);
    EXPECT_DOUBLE_EQ(static_cast<double>(graphmapping.GraphXScale),
                     static_cast<double>(graphmapping.GraphYScale));
    EXPECT_NEAR(static_cast<double>(graphmapping.GraphYScale), 947.0 / 100, 1e-12);
    // Pixels twice as high as wide: twice as many across as down.
    graphmapping.PixelAspect = 0.5L;
    GraphFacade.Header(0, 0, 100, 100);
    EXPECT_NEAR(static_cast<double>(graphmapping.GraphXScale / graphmapping.GraphYScale), 2.0, 1e-12);
}

TEST_F(DisplayListTest, HeaderSavesTheLimitAndRestoreLimitRecordsIt)
{
    GraphFacade.Header(0, 0, 160, 120);
    GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 1, 1);
    DisplayList.Records.clear();
    graphmapping.RestoreLimit();
    EXPECT_EQ(ListText(), "10;1;1;639;479;0;0;160;120\n");
    EXPECT_TRUE(graphmapping.GraphAutoScale);
    EXPECT_EQ(FTelmgra.EinX(0.5L), 80);
    EXPECT_EQ(FTelmgra.EinY(0.5L), 60);
}

TEST_F(DisplayListTest, LineStyleNamesAreExactAndCaseSensitive)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"DOTTED", 1}, {"PUNKT", 1},  {"CENTER", 2},   {"DASHDOT", 2}, {"STRICHPUNKT", 2},
        {"DASHED", 3}, {"HIDDEN", 3}, {"VERDECKT", 3}, {"dotted", 0},  {"CONTINUOUS", 0},
    };
    for (const auto& [name, style] : cases) {
        DisplayList.CurrentLineStyle = 99;
        GraphFacade.SetLineStyleName(name);
        EXPECT_EQ(DisplayList.Records.back(), "11;" + std::to_string(style)) << name;
    }
}

TEST_F(DisplayListTest, ClearEmptiesTheListAndRecordsTheNextColourAgain)
{
    GraphFacade.SetColor(3);
    GraphFacade.Line(0, 0, 1, 1);
    const int before = platform_.HeadlessWindow().Invalidations();
    GraphFacade.Clear();
    EXPECT_TRUE(DisplayList.Records.empty());
    EXPECT_GT(platform_.HeadlessWindow().Invalidations(), before);
    // The replay starts in colour 1: the new picture's colour 3 must be in
    // the list although it equals the last one of the old picture.
    GraphFacade.SetColor(3);
    EXPECT_EQ(ListText(), "8;3\n");
}

TEST(CadColourTest, CadColoursMapToPaletteColours)
{
    const int expected[33] = {0, 12, 14, 10, 11, 9, 13, 15, 1, 2, 3, 4, 5, 6, 7, 8, 16,
                              // above 16: reduced mod 16 first (17 is 1, 23 is 7, 32 is 0)
                              12, 14, 10, 11, 9, 13, 15, 1, 2, 3, 4, 5, 6, 7, 8, 0};
    for (int c = 0; c <= 32; ++c)
        EXPECT_EQ(CadColorToPalette(static_cast<uint8_t>(c)), expected[c]) << "CAD colour " << c;
    EXPECT_EQ(CadColorToPalette(255), 8); // 255 mod 16 = 15 -> 8
}

TEST_F(DisplayListTest, ProjectFilePath)
{
    telmvar.DataExt = "PLN";
    telmvar.DataDir = "/data/projects"; // without a final separator
    telmvar.ProjectName = "stage1";
    EXPECT_EQ(GetProjectFilePath(), "/data/projects/stage1.PLN");
    telmvar.DataDir = "/data/projects/";
    EXPECT_EQ(GetProjectFilePath(), "/data/projects/stage1.PLN");
    telmvar.ArchiveMode = true;
    telmvar.ProjectName = "/tmp/x/stage2.PLN";
    EXPECT_EQ(GetProjectFilePath(), "/tmp/x/stage2.PLN");
    telmvar.ProjectName = "";
    EXPECT_EQ(GetProjectFilePath(), "");
}

TEST_F(DisplayListTest, CheckFileExistsReportsTheNameWithoutBlanks)
{
    EXPECT_FALSE(GraphFacade.CheckFileExists("/nonexistent dir/no file.plt"));
    EXPECT_TRUE(telmvar.Aborted);
    const auto& asked = platform_.HeadlessMessages().AskedQuestions();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Request.Text, "/nonexistentdir/nofile.plt not found !");
    telmvar.Aborted = false;
    EXPECT_TRUE(GraphFacade.CheckFileExists(QYR7_TEST_DIR "/golden/displaylist_edgecases.txt"));
    EXPECT_FALSE(telmvar.Aborted);
}

} // namespace

namespace
{

TEST(GraphDirectionTest, SteepAnglesReadUpright)
{
    // [45, 135), [225, 315) and [-135, -45) give 1.
    const std::vector<std::pair<long double, int>> cases = {
        {0, 0},        {44.999L, 0}, {45, 1},   {134.999L, 1}, {135, 0}, {224.999L, 0}, {225, 1},
        {314.999L, 1}, {315, 0},     {-135, 1}, {-45.001L, 1}, {-45, 0}, {-136, 0},     {400, 0},
    };
    for (const auto& [angle, dir] : cases)
        EXPECT_EQ(TFtelmgra::GetDirection(angle), dir) << static_cast<double>(angle);
}

} // namespace

namespace
{

TEST_F(DisplayListTest, CheckFileExistsLeavesAFileBeingWrittenAlone)
{
    // A drawing being written through the shared text file (a DXF, say)
    // while a block file is checked: every line must still arrive.
    testdirs::ScopedTempDir dir("graphcheck");
    const std::string out = dir.Path() + "/drawing.dxf";
    TTextFile& f = textfile.SharedTextFile;
    AssignTextFile(f, out);
    ASSERT_TRUE(RewriteTextFile(f));
    f.WriteLine("0");
    EXPECT_FALSE(GraphFacade.CheckFileExists(dir.Path() + "/missing.dx$"));
    telmvar.Aborted = false;
    EXPECT_TRUE(GraphFacade.CheckFileExists(QYR7_TEST_DIR "/golden/displaylist_edgecases.txt"));
    f.WriteLine("EOF");
    ASSERT_TRUE(CloseTextFile(f));
    std::ifstream in(out, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), "0\r\nEOF\r\n");
}

TEST_F(DisplayListTest, StartLogoWindowIsTheWorldWindowOnTheCentralViewport)
{
    // World (0, 0)-(32, 36.9) on the viewport fractions (0.05, 0.1)-(0.95,
    // 0.95), framed: x 32..608 and y 24..432 of 640 x 480, one pixel in.
    GraphFacade.SetLogoWindow();
    EXPECT_EQ(DisplayList.Records.back(), "10;33;25;607;431;0;0;32;36.9");
    EXPECT_FALSE(telmvar.Aborted);
    GraphFacade.DrawLogo();
    // Everything it draws lies inside its world window.
    for (const auto& rec : DisplayList.Records) {
        const TDisplayRecord r = ParseDisplayRecord(rec);
        if (r.Kind == 3) {
            EXPECT_GE(r.F[0] - r.F[2], 0) << rec;
            EXPECT_LE(r.F[0] + r.F[2], 32) << rec;
            EXPECT_LE(r.F[1] + r.F[2], 36.9L) << rec;
        }
        if (r.Kind == 4 || r.Kind == 6) {
            EXPECT_GE(r.F[0], 0) << rec;
            EXPECT_LE(r.F[0], 32) << rec;
        }
    }
}

} // namespace
