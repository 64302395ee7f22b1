// The result window's logic: place, caption, text, print, export and copy.
#include "reporttestsupport.h"

#include "foundation/programstate.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/printsettings.h"
#include "reports/textview/showtextfile.h"

namespace
{

class ShowTextFileTest : public ReportTest
{
};

TEST_F(ShowTextFileTest, ShowsTheConvertedReportWithCaption)
{
    WriteFile(Temp("outwin.txt"), "line 1\r\n\xB0 C\r\n");
    TShowTextFileModel m;
    EXPECT_TRUE(m.Show());
    EXPECT_EQ(m.ShownFileName(), Temp("outwin.txt"));
    EXPECT_EQ(m.Caption(), "QYR7    " + Temp("outwin.txt"));
    EXPECT_EQ(m.Text(), "line 1\r\n\xB0 C\r\n");
    EXPECT_EQ(m.FontName(), "Courier New");
    EXPECT_EQ(m.FontSize(), 10);
    EXPECT_TRUE(m.FontStyle().Bold);
    EXPECT_TRUE(m.FontStyle().Italic);
}

TEST_F(ShowTextFileTest, MissingFileLeavesTheWindowEmpty)
{
    TShowTextFileModel m;
    EXPECT_FALSE(m.Show());
    EXPECT_EQ(m.Text(), "");
    EXPECT_EQ(Messages, std::vector<std::string>{Temp("outwin.txt") + " not found !"});
}

TEST_F(ShowTextFileTest, NextWindowOpensWhereTheLastWasClosed)
{
    TShowTextFileModel first;
    EXPECT_TRUE(first.UseStoredRect);
    EXPECT_EQ(first.Left, 10);
    EXPECT_EQ(first.Width, 700);
    first.Close(120, 80, 640, 480);
    TShowTextFileModel second;
    EXPECT_EQ(second.Left, 120);
    EXPECT_EQ(second.Top, 80);
    EXPECT_EQ(second.Width, 640);
    EXPECT_EQ(second.Height, 480);
    printsettings.TextWindowRect[2] = 0;
    TShowTextFileModel third;
    EXPECT_FALSE(third.UseStoredRect);
}

TEST_F(ShowTextFileTest, PrintExportAndCopyGoThroughTheServices)
{
    std::string printed, copied;
    reportservices.PrintTextFile = [&](const std::string& F) {
        printed = F + (telmvar.Aborted ? " aborted" : "");
    };
    reportservices.CopyToClipboard = [&](const std::string& T) { copied = T; };
    TShowTextFileModel m;
    m.PrintFileName = Temp("$OUT1.TMP");
    telmvar.Aborted = true; // as a printout that could not be written leaves it
    m.Print();
    m.ExportNotepad();
    m.Copy("selected");
    EXPECT_EQ(printed, Temp("$OUT1.TMP"));
    EXPECT_EQ(copied, "selected");
    ASSERT_EQ(Launches.size(), 1u);
    EXPECT_EQ(Launches[0].Program, "");
    EXPECT_EQ(Launches[0].Args, std::vector<std::string>{Temp("outwin.txt")});
}

} // namespace
