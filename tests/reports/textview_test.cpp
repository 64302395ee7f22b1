// Font style codes, the pages of a report text and the print settings.
#include "reporttestsupport.h"

#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/fontstyle.h"
#include "reports/textview/printsettings.h"
#include "reports/textview/printtext.h"

#include <filesystem>

namespace
{

using Pages = std::vector<std::vector<std::string>>;

TEST(FontStyle, CodesAreTheBitsOfTheStyles)
{
    EXPECT_EQ(FontStyleToCode({true, false, true, false}), 5); // bold and underline
    EXPECT_EQ(FontStyleToCode({}), 0);
    EXPECT_EQ(FontStyleToCode({true, true, true, true}), 15);
    const TFontStyles current{false, true, false, true};
    EXPECT_EQ(CodeToFontStyle(16, current), current) << "above 15 the current style stays";
    EXPECT_EQ(CodeToFontStyle(3, current), (TFontStyles{true, true, false, false}));
    for (uint16_t c = 0; c <= 15; ++c)
        EXPECT_EQ(FontStyleToCode(CodeToFontStyle(c, {})), c);
}

TEST(PrintSettings, StartValues)
{
    EXPECT_EQ(printsettings.PrintFontName, "Courier New");
    EXPECT_EQ(printsettings.PrintFontSize, 10);
    EXPECT_EQ(printsettings.PrintFontStyle, 3);
    EXPECT_EQ(printsettings.TextWindowRect[0], 10);
    EXPECT_EQ(printsettings.TextWindowRect[1], 40);
    EXPECT_EQ(printsettings.TextWindowRect[2], 700);
    EXPECT_EQ(printsettings.TextWindowRect[3], 440);
    EXPECT_EQ(printsettings.PrintOrientation, 2);
    EXPECT_TRUE(printsettings.GraphPrintDialog);
}

TEST(TextPages, FormFeedLinesEndPages)
{
    const Pages p = SplitTextPages("a\r\nb\r\n\f\r\nc\r\n\fignored rest\r\nd\r\n\f\r\n");
    EXPECT_EQ(p, (Pages{{"a", "b"}, {"c"}, {"d"}}));
}

TEST(TextPages, TextAfterTheLastFormFeedIsAPage)
{
    // A report without a final break, and the text after the last break.
    EXPECT_EQ(SplitTextPages("only\nlines\n"), (Pages{{"only", "lines"}}));
    EXPECT_EQ(SplitTextPages("a\r\n\f\r\nlast page\r\n"), (Pages{{"a"}, {"last page"}}));
    // A report ending with a form feed without line end.
    EXPECT_EQ(SplitTextPages("a\r\nb\r\n\f"), (Pages{{"a", "b"}}));
    EXPECT_EQ(SplitTextPages("a\r\n\f\r\n  \r\n"), (Pages{{"a"}})) << "blank lines alone are no page";
    EXPECT_TRUE(SplitTextPages("").empty());
}

TEST(TextPages, ManyPagesAreAllKept)
{
    std::string text;
    for (int i = 1; i <= 300; ++i)
        text += "page " + std::to_string(i) + "\r\n\f\r\n";
    const Pages p = SplitTextPages(text);
    ASSERT_EQ(p.size(), 300u);
    EXPECT_EQ(p[299], std::vector<std::string>{"page 300"});
}

class ReportCloseTest : public ReportTest
{
};

TEST_F(ReportCloseTest, CancelledQuestionsLeaveNoOpenOrTemporaryFile)
{
    reportservices.QueryYesNo = [](const std::string&) {
        telmvar.Aborted = true;
        return false;
    };
    OpenReport(2, "x");
    EXPECT_TRUE(telmvar.Aborted);
    CancelReport();
    EXPECT_FALSE(textfile.SharedTextFile.IsOpen());
    EXPECT_TRUE(std::filesystem::is_empty(TempDir));
}

TEST_F(ReportCloseTest, DeclinedPaperPromptClosesTheOutput)
{
    YesAnswers = {true, false};
    OpenReport(2, "x");
    ASSERT_TRUE(BeginReportOutput());
    PrintReportPageHeader(1, 0);
    ASSERT_TRUE(telmvar.Aborted);
    CancelReport();
    EXPECT_FALSE(textfile.SharedTextFile.IsOpen());
    EXPECT_TRUE(std::filesystem::is_empty(TempDir));
}

} // namespace
