// Whole sheets written as DXF and as text CAD code: an A4 sheet with the
// ISO 7200 Fig. 2 title block, border 10 mm, zone grid and scale, 12
// changes and two free texts; an A3 sheet with the DIN 6771 block and 3
// changes. ezdxf audits the DXF files and finds the frames, the title-block
// texts, the revision rows of the last eight changes, the scale ticks and
// the protection notice where the sheet's layout puts them (positions
// worked from the title-block origin by hand). A damaged head block leaves
// the sheet drawn.
#include "common/tempdir.h"
#include "common/validators.h"

#include "common/testmessages.h"
#include "drawings/sheet/drawingsheet.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "planetary/documentation.h"
#include "platform/headless/platform_headless.h"
#include "reports/engine/reportservices.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
    // One sheet on Device; the file's path.
    std::string Draw(int Device, int Code, const std::string& Ext)
    {
        TCadOutputScope scope;
        CadOpenOutput(Device);
        EXPECT_FALSE(telmvar.Aborted);
        BeginSheetDrawing(Code);
        CadWriteTables(0);
        CadBeginEntities();
        DrawDrawingSheet(Code, "Sun gear", "S (sun)", "QY7-001");
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

} // namespace
