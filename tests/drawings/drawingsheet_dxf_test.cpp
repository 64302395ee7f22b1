// Whole sheets written as DXF and as text CAD code: an A4 sheet with the
// ISO 7200 Fig. 2 title block, border 10 mm, zone grid and scale, 12
// changes and two free texts; an A3 sheet with the DIN 6771 block and 3
// changes. ezdxf audits the DXF files and finds the frames, the title-block
// texts, the revision rows of the last eight changes, the scale ticks and
// the protection notice where the sheet's layout puts them (positions
// worked from the title-block origin by hand). A damaged head block leaves
// the sheet drawn. Revision texts stay in their cells at every text width
// factor, on the screen and in a DXF.
#include "common/tempdir.h"
#include "common/validators.h"

#include "common/testmessages.h"
#include "drawings/sheet/drawingsheet.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "graphics/displaylist.h"
#include "graphics/graphsettings.h"
#include "planetary/documentation.h"
#include "platform/headless/platform_headless.h"
#include "reports/engine/reportservices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace
{

class SheetFiles : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ResetDocumentation("01.12.2026");
        dir_ = testdirs::MakeTempDir("sheetdxf");
        ASSERT_FALSE(dir_.empty());
        telmvar.TempDir = dir_;
        telmvar.CadDir = dir_;
        telmvar.DataDir = dir_;
        telmvar.ProjectName = dir_ + "/sheet";
        telmvar.DataExt = "qy7";
        telmvar.ProgramTitle = "QYR7";
        telmvar.ProgramVersion = "7.0";
        wtelmvar.CadSkipSaveDialog = true;
        cadsettings.CadExecFile = false;
        sheetclock.TodayDateText = [] { return "07.12.2026"; };
        sheetclock.NowTimeText = [] { return "9:05"; };
        sheetclock.TodayIsoDateText = [] { return "2026-12-07"; };
    }
    void TearDown() override
    {
        ResetDocumentation();
        testdirs::RemoveTempDir(dir_);
    }
    // One sheet on Device, or as a block inserted at the origin as the stage
    // sheets draw their frame; the file's path.
    std::string Draw(int Device, int Code, const std::string& Ext, bool AsBlock = false)
    {
        TCadOutputScope scope;
        CadOpenOutput(Device);
        EXPECT_FALSE(telmvar.Aborted);
        BeginSheetDrawing(Code);
        CadWriteTables(0);
        if (AsBlock) {
            CadBeginBlocks();
            CadBeginBlock("FRAME_1");
        } else {
            CadBeginEntities();
        }
        DrawDrawingSheet(Code, "Sun gear", "S (sun)", "QY7-001");
        if (AsBlock) {
            CadEndBlock();
            CadEndSection();
            CadBeginEntities();
            CadInsertBlock("FRAME_1", 0, 0, 0, 1, 1);
        }
        CadDeviceReady();
        CadEndSection();
        CadCloseOutput();
        return dir_ + "/sheet." + Ext;
    }
    static void IsoA4WithTwelveChanges()
    {
        wtelmvar.TitleBlockType = 2;
        wtelmvar.DrawingBorderWidth = 1;
        wtelmvar.IndexStyle = 0;
        cadsettings.SheetShowChanges = true;
        auto& d = documentation;
        d.ChangeCount = 12;
        for (int k = 1; k <= 12; ++k) {
            auto& t = d.ChangeList[k].Text;
            t[0] = "mod" + std::to_string(k);
            t[1] = "date" + std::to_string(k);
            t[2] = "nm" + std::to_string(k);
            t[3] = "desc" + std::to_string(k);
        }
        d.ChangeList[12].Text[3] = "first line\r\nsecond line";
        d.SheetTextMode = 0;
        d.SheetTextCount = 2;
        d.SheetTextLines[1] = {30, 120, 5, 0, "free one"};
        d.SheetTextLines[2] = {30, 110, 0, 0, "free two"};
    }
    static std::string Run(const std::string& Cmd)
    {
        std::FILE* p = ::popen(Cmd.c_str(), "r");
        if (!p) return "popen failed";
        std::string text;
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
            text.append(buf, n);
        ::pclose(p);
        return text;
    }
    static std::string ReadAll(const std::string& Path)
    {
        std::ifstream in(Path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dir_;
};

#define REQUIRE_EZDXF()                                                                                      \
    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)                              \
    QYR7_VALIDATOR_MISSING("no ezdxf")

TEST_F(SheetFiles, IsoA4SheetPassesTheAudit)
{
    REQUIRE_EZDXF();
    IsoA4WithTwelveChanges();
    const std::string path = Draw(1, 4, "dxf");
    ASSERT_FALSE(telmvar.Aborted);
    ASSERT_TRUE(std::filesystem::exists(path));
    const std::string texts = "Responsible dept.|M|date4|date5|date8|date12|free one|free two|2026-12-07";
    const std::string out = Run("/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/sheetdxf.py '" + path +
                                "' '20,10,200,287;16,6,204,291;0,0,210,297' '" + texts + "' 291 204 2>&1");
    // Title block origin (20, 10); revision row r of the table on top of
    // it at 46 + 3.5 r + 0.9, changes 5..12 in rows 1..8.
    const std::string want = "audit errors=0 fixes=0\n"
                             "rect 20,10,200,287 found\n"
                             "rect 16,6,204,291 found\n"
                             "rect 0,0,210,297 found\n"
                             "text Responsible dept.: 21.000 43.500\n"
                             "text M: 150.000 12.000\n"
                             "text date4: none\n"
                             "text date5: 29.000 50.400\n"
                             "text date8: 29.000 60.900\n"
                             "text date12: 29.000 74.900\n"
                             "text free one: 30.000 120.000\n"
                             "text free two: 30.000 110.000\n"
                             "text 2026-12-07: 158.000 12.000\n"
                             "ticks top 181 side 278\n"
                             "notice 3.0 5.7 8.4 11.1 13.8\n"
                             "line breaks in texts 0\n";
    EXPECT_EQ(out, want);
    // The two-line description is one text, its line break written as
    // blanks by the writer.
    const std::string dxf = ReadAll(path);
    EXPECT_NE(dxf.find("first line  second line"), std::string::npos);
}

TEST_F(SheetFiles, DinA3SheetPassesTheAudit)
{
    REQUIRE_EZDXF();
    wtelmvar.TitleBlockType = 3;
    wtelmvar.DrawingBorderWidth = 1;
    auto& d = documentation;
    d.ChangeCount = 3;
    for (int k = 1; k <= 3; ++k)
        d.ChangeList[k].Text[0] = "mod" + std::to_string(k);
    const std::string path = Draw(1, 3, "dxf");
    ASSERT_FALSE(telmvar.Aborted);
    const std::string out =
        Run("/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/sheetdxf.py '" + path +
            "' '15,5,415,292;0,0,420,297;227.8,5,415,60.25' 'Compl.|mod1|mod3|a|c|Sun gear' 291 414 "
            "2>&1");
    // DIN block origin (227.8, 5); change row r at 4.25 r + 1.
    const std::string want = "audit errors=0 fixes=0\n"
                             "rect 15,5,415,292 found\n"
                             "rect 0,0,420,297 found\n"
                             "rect 227.8,5,415,60.25 found\n"
                             "text Compl.: 283.400 35.750\n"
                             "text mod1: 236.600 10.250\n"
                             "text mod3: 236.600 18.750\n"
                             "text a: 228.800 10.250\n"
                             "text c: 228.800 18.750\n"
                             "text Sun gear: 328.600 33.625\n"
                             "ticks top 0 side 0\n"
                             "notice 3.0 5.7 8.4 11.1 13.8\n"
                             "line breaks in texts 0\n";
    EXPECT_EQ(out, want);
}

TEST_F(SheetFiles, TextCadSheetHoldsTheSameTexts)
{
    IsoA4WithTwelveChanges();
    const std::string path = Draw(5, 4, "txt");
    ASSERT_FALSE(telmvar.Aborted);
    const std::string code = ReadAll(path);
    for (const char* line :
         {"TEXT\t21.000000\t43.500000\tResponsible dept.", "TEXT\t150.000000\t12.000000\tM",
          "TEXT\t91.000000\t74.900000\tfirst line  second line",
          "LINE\t20.000000\t10.000000\t20.000000\t287.000000"})
        EXPECT_NE(code.find(std::string(line) + "\r\n"), std::string::npos) << line;
}

TEST_F(SheetFiles, DamagedHeadBlockLeavesTheSheetDrawn)
{
    REQUIRE_EZDXF();
    wtelmvar.TitleBlockType = 2;
    wtelmvar.DrawingBorderWidth = 1;
    cadsettings.SheetUseHeadBlocks = true;
    cadsettings.SheetShowLogo = false;
    // A head block cut off in the middle of its entities, and a logo.
    std::ofstream(dir_ + "/$head_0.dx$", std::ios::binary)
        << "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\nnot a number\r\n 20\r\n";
    std::ofstream(dir_ + "/$logo_1.dx$", std::ios::binary)
        << "  0\r\nCIRCLE\r\n  8\r\n0\r\n 10\r\n5\r\n 20\r\n5\r\n 40\r\n4\r\n  0\r\nEOF\r\n";
    // The plot program's DXF draws the user's blocks from their files.
    // and the plot program is started on it (here: recorded).
    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform use{hp};
    Draw(4, 4, "dxf");
    EXPECT_EQ(hp.HeadlessLauncher().Launches().size(), 1u);
    EXPECT_FALSE(telmvar.Aborted) << Messages();
    const std::string path = dir_ + "/korvilt.dxf";
    ASSERT_TRUE(std::filesystem::exists(path));
    const std::string out = Run("/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/sheetdxf.py '" + path +
                                "' '20,10,200,287' 'Responsible dept.|TELMORA   QYR7  V7.0' 291 204 2>&1");
    EXPECT_NE(out.find("audit errors=0"), std::string::npos) << out;
    EXPECT_NE(out.find("rect 20,10,200,287 found"), std::string::npos) << out;
    EXPECT_NE(out.find("text Responsible dept.: 21.000 43.500"), std::string::npos) << out;
    // The creator line comes after the title block's blocks.
    EXPECT_NE(out.find("text TELMORA   QYR7  V7.0: 1.000 300.000"), std::string::npos) << out;
    // The logo's circle, moved to (3, 4) in the title block and scaled 1.75.
    EXPECT_NE(ReadAll(path).find("CIRCLE"), std::string::npos);
}

// A text as written: its reference point, its characters (trailing blanks
// left out) and its length.
struct TWrittenText {
    double X, Y;
    size_t Chars;
    double Extent, Height;
};

// Revision texts stay inside their cells, and so inside the frame, at every
// width factor of either setting, the screen's and the CAD one (the dialog
// takes any number: 0.01 and 10 stand for far narrow and far wide, 0.4 is
// narrower than the screen's default, 1 the CAD default): the ISO 7200
// table (origin (20, 10), rows of 3.5 from 46, columns ending at 8, 25, 40,
// 70 and 180, lettering 1.75 x 1.3125) and the DIN 6771 change rows (origin
// (17.9, 5), rows of 4.25 from 4.25, columns ending at 7.8, 33.8, 46.8 and
// 54.6, lettering 1.7 x 1.3), drawn straight and as a block, on the screen
// and as DXF. A
// text's length: its characters times its character width, which the DXF
// gives as height x width factor (ezdxf) and the screen's window draws as
// the recorded width x 1.1 x the screen's factor. A text cut (at 60 % of
// its lettering) fills at least half its cell, two characters of that size
// aside; an index is written at the row's lettering where it has room.
TEST_F(SheetFiles, RevisionTextsStayInTheirCellsAtEveryTextWidth)
{
    REQUIRE_EZDXF();
    std::string description;
    while (description.size() < 254)
        description += "flank line modified to the measured bearing tilt; ";
    description.resize(254);
    auto& d = documentation;
    d.ChangeCount = 8;
    for (int k = 1; k <= 8; ++k)
        d.ChangeList[k].Text = {{"tooth form changed", "07.12.2026", "QYR", "new flank"}};
    d.ChangeList[7].Text[3] = description.substr(0, 70);
    d.ChangeList[8].Text = {{description, description, description, description}};
    wtelmvar.IndexStyle = 1;
    wtelmvar.DrawingBorderWidth = 1;
    cadsettings.SheetShowChanges = true;
    const struct {
        int Type;
        double X0, Y0, Row, Height, Width, FrameRight;
        std::vector<double> Rights;
        std::vector<int> Texts; // the change's text in each column, -1 its index
    } tables[] = {
        {2, 20, 46, 3.5, 1.75, 1.3125, 200, {8, 25, 40, 70, 180}, {-1, 1, 2, 0, 3}},
        {0, 17.9, 5, 4.25, 1.7, 1.3, 205.1, {7.8, 33.8, 46.8, 54.6}, {-1, 0, 1, 2}},
    };
    const double factors[] = {0.01, 0.4, 1, 10};
    struct TDrawn {
        std::string What;
        int Table;
        double Factor; // of the character widths: the screen's, the CAD one or both
        double Char60; // character width of a text cut at 60 %
        std::vector<TWrittenText> Texts;
    };
    std::vector<TDrawn> drawn;
    std::vector<std::string> files;
    for (int t = 0; t < 2; ++t)
        for (double screen : factors)
            for (double cad : factors)
                for (bool block : {false, true}) {
                    graphsettings.GraphTextWidthFactor = screen;
                    cadsettings.CadTextWidthFactor = cad;
                    wtelmvar.TitleBlockType = tables[t].Type;
                    const std::string what = "table " + std::to_string(t) + " screen " +
                                             std::to_string(screen) + " CAD " + std::to_string(cad) +
                                             (block ? " block" : "");
                    // The screen: the display list the drawing leaves.
                    DisplayList.Clear();
                    Draw(3, 4, "", block);
                    const double factor = screen * (block ? cad : 1);
                    TDrawn s{what + " screen", t, factor, 0.6 * tables[t].Width * 0.95 * 1.1 * factor, {}};
                    double width = 0, height = 0;
                    for (std::string_view r : DisplayList.Records) {
                        const TDisplayRecord rec = ParseDisplayRecord(r);
                        if (rec.Kind == static_cast<int>(TRecordKind::TextStyle)) {
                            height = double(rec.F[0]);
                            width = double(rec.F[1]);
                        }
                        if (rec.Kind != static_cast<int>(TRecordKind::Text)) continue;
                        const std::string text(rec.Text);
                        const size_t n = text.find_last_not_of(' ') + 1;
                        s.Texts.push_back(
                            {double(rec.F[0]), double(rec.F[1]), n, n * width * 1.1 * screen, height});
                    }
                    EXPECT_FALSE(s.Texts.empty()) << what;
                    drawn.push_back(s);
                    // The DXF, read all at once below.
                    const std::string path = Draw(1, 4, "dxf", block);
                    files.push_back(dir_ + "/" + std::to_string(files.size()) + ".dxf");
                    std::filesystem::rename(path, files.back());
                    drawn.push_back({what + " DXF", t, cad, 0.6 * tables[t].Width * cad, {}});
                }
    std::string cmd = "/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/sheettexts.py";
    for (const std::string& f : files)
        cmd += " '" + f + "'";
    std::istringstream out(Run(cmd + " 2>&1"));
    size_t file = 0;
    for (std::string line; std::getline(out, line);) {
        if (line.rfind("file ", 0) == 0) {
            file = 2 * std::stoul(line.substr(5)) + 1;
            continue;
        }
        ASSERT_LT(file, drawn.size()) << line;
        std::istringstream f(line);
        double x, y, h, w;
        size_t n;
        ASSERT_TRUE(f >> x >> y >> h >> w >> n) << line;
        drawn[file].Texts.push_back({x, y, n, n * h * w, h});
    }
    for (const TDrawn& s : drawn) {
        const auto& t = tables[s.Table];
        std::map<std::pair<int, size_t>, TWrittenText> cells;
        for (const TWrittenText& w : s.Texts) {
            const double dx = w.X - t.X0, row = std::floor((w.Y - t.Y0) / t.Row + 1e-9);
            if (row < 1 || row > 8 || dx < 0 || dx >= t.Rights.back()) continue;
            const size_t col = std::upper_bound(t.Rights.begin(), t.Rights.end(), dx) - t.Rights.begin();
            EXPECT_TRUE(cells.emplace(std::pair{static_cast<int>(row), col}, w).second) << s.What;
            EXPECT_LE(dx + w.Extent, t.Rights[col] + 1e-6) << s.What << " row " << row << " column " << col;
            EXPECT_LE(w.X + w.Extent, t.FrameRight + 1e-6) << s.What;
            // The index, one character, has room at the row's lettering up to
            // a factor of 1, whatever the texts before it were fitted to.
            if (col == 0 && s.Factor <= 1) {
                EXPECT_NEAR(w.Height, t.Height, 1e-6) << s.What << " row " << row;
            }
        }
        // A cell without a text: not one character fitted.
        for (int k = 1; k <= 8; ++k)
            for (size_t col = 0; col < t.Rights.size(); ++col) {
                const auto at = cells.find({k, col});
                const size_t kept = at == cells.end() ? 0 : at->second.Chars;
                const std::string whole =
                    t.Texts[col] < 0 ? std::to_string(k) : TrimBlanks(d.ChangeList[k].Text[t.Texts[col]]);
                const double room = t.Rights[col] - (col == 0 ? 0 : t.Rights[col - 1]);
                if (kept < whole.size()) {
                    EXPECT_GE((kept + 2) * s.Char60, 0.5 * room)
                        << s.What << " row " << k << " column " << col << " keeps " << kept;
                }
            }
    }
}

} // namespace
