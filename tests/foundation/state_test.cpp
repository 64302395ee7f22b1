#include "foundation/foundationstate.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/spreadsheethandle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class FoundationState : public ::testing::Test
{
};

std::vector<std::string> Collected()
{
    std::vector<std::string> texts;
    for (int i = 1; i <= error0.ErrorCount; ++i)
        texts.push_back(error0.ErrorTexts[i]);
    return texts;
}

TEST_F(FoundationState, TelmvarStartsWithTheNeutralIdentityAndDefaults)
{
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_FALSE(telmvar.DataModified);
    EXPECT_TRUE(telmvar.MessagesEnabled);
    EXPECT_EQ(telmvar.DecimalDigits, 3);
    EXPECT_EQ(telmvar.LinesPerPage, 66);
    EXPECT_EQ(telmvar.PrinterType, 3);
    EXPECT_EQ(telmvar.RotateHardcopy, 'J');
    EXPECT_EQ(telmvar.MaxColorIndex, 16);
    EXPECT_EQ(telmvar.SelectedRecordNo, 1);
    EXPECT_EQ(telmvar.LastKeyChar, '0');
    EXPECT_EQ(telmvar.ProgramName, "TELMORA");
    EXPECT_EQ(telmvar.ProgramFileStem, "TELMORA");
    EXPECT_EQ(telmvar.DataExt, "EXT");
    EXPECT_EQ(telmvar.ProgramTitle, "T E L M O R A    -    Software");
    EXPECT_EQ(telmvar.ProgramVersion, "1.0");
    EXPECT_TRUE(telmvar.DataDir.empty());
    EXPECT_TRUE(telmvar.TempDir.empty());
    EXPECT_FALSE(telmvar.StartDir.empty());
}

TEST_F(FoundationState, InitGlobalTextsPresetsTheSharedBuffers)
{
    EXPECT_EQ(telmvar.TextItems[1], std::string(65, ' '));
    EXPECT_EQ(telmvar.TextItems[135], std::string(65, ' '));
    EXPECT_EQ(telmvar.WrappedTextLines[1], std::string(64, ' '));
    EXPECT_EQ(telmvar.WrappedTextLines[5], std::string(64, ' '));
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(telmvar.RemarkLines[i].empty()) << "remark line " << i;
}

TEST_F(FoundationState, ResetRestoresChangedValues)
{
    telmvar.Aborted = true;
    telmvar.DecimalDigits = 5;
    telmvar.ProgramName = "QYR7";
    telmvar.TextItems[7] = "x";
    telmvar.RemarkLines[2] = "remark";
    wtelmvar.UnitSystem = 1;
    wtelmvar.HideWarnings = true;
    wtelmvar.RegionalDecimalSeparator = ',';
    wtelmvar.UnitSystemNames[1] = "changed";
    AddErrorMessage("Error  : x");
    varexcel.ExcelApp = std::make_shared<TAutomationObject>();

    ResetFoundationState();

    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(telmvar.DecimalDigits, 3);
    EXPECT_EQ(telmvar.ProgramName, "TELMORA");
    EXPECT_EQ(telmvar.TextItems[7], std::string(65, ' '));
    EXPECT_TRUE(telmvar.RemarkLines[2].empty());
    EXPECT_EQ(wtelmvar.UnitSystem, 0);
    EXPECT_FALSE(wtelmvar.HideWarnings);
    EXPECT_EQ(wtelmvar.RegionalDecimalSeparator, '.');
    EXPECT_EQ(wtelmvar.UnitSystemNames[1], "imperial (in, lbf, psi, lbfin, degF)");
    EXPECT_EQ(error0.ErrorCount, 0);
    EXPECT_TRUE(error0.ErrorTexts[1].empty());
    EXPECT_EQ(varexcel.ExcelApp, nullptr);
}

TEST_F(FoundationState, WtelmvarDefaults)
{
    EXPECT_EQ(wtelmvar.UnitSystem, 0);
    EXPECT_EQ(wtelmvar.UnitCharMode, 0);
    EXPECT_EQ(wtelmvar.CadTextMode, 2);
    EXPECT_EQ(wtelmvar.AngleFormat, 1);
    EXPECT_EQ(wtelmvar.DateFormatCode, 3);
    EXPECT_EQ(wtelmvar.DecimalPointMode, 1);
    EXPECT_EQ(wtelmvar.ExcelDecimalMode, 2);
    EXPECT_EQ(wtelmvar.FontPercent, 100);
    EXPECT_EQ(wtelmvar.ScreenPercent, 102);
    EXPECT_EQ(wtelmvar.TitleBlockType, 2);
    EXPECT_EQ(wtelmvar.PrintHeaderMode, 1);
    EXPECT_EQ(wtelmvar.ExternalDatabasePath, "C:\\DBFEDIT\\DBFEDIT.EXE");
    EXPECT_EQ(wtelmvar.WordProcessorPath, "C:\\WINDOWS\\WRITE.EXE");
    EXPECT_EQ(wtelmvar.HtmlBrowserPath, "c:\\Program Files\\Internet Explorer\\Iexplore.exe");
    EXPECT_EQ(wtelmvar.ConfigDir, telmvar.StartDir);
    EXPECT_EQ(wtelmvar.WorkingDir, telmvar.StartDir);
    EXPECT_EQ(wtelmvar.DefaultDataDir, telmvar.StartDir);
    EXPECT_TRUE(wtelmvar.ManualDir.empty());
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(wtelmvar.RecentFiles[i].empty());
}

TEST_F(FoundationState, UnitSystemNamesUseDosDegreeAndSuperscriptTwo)
{
    const struct {
        int system;
        const char* name;
    } cases[] = {
        {0, "metric (mm, N, MPa, Nmm, \xF8"
            "C)"},
        {1, "imperial (in, lbf, psi, lbfin, degF)"},
        {2, "metric (mm, kN, MPa, Nm, \xF8"
            "C)"},
        {3, "metric (mm, N, N/mm\xFD, Nmm, \xF8"
            "C)"},
        {4, "metric (mm, kN, N/mm\xFD, Nm, \xF8"
            "C)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wtelmvar.UnitSystemNames[c.system], c.name) << "system " << c.system;
}

TEST_F(FoundationState, CollectorMergesEqualTexts)
{
    AddErrorMessage("Warning: a");
    AddErrorMessage("Warning: a");
    EXPECT_EQ(Collected(), (std::vector<std::string>{"Warning: a"}));
}

TEST_F(FoundationState, CollectorKeepsTextsThatDifferOnlyInCase)
{
    AddErrorMessage("Error  : x");
    AddErrorMessage("error  : x");
    EXPECT_EQ(Collected(), (std::vector<std::string>{"Error  : x", "error  : x"}));
}

TEST_F(FoundationState, CollectorKeepsTheFirstTwelveDistinctTexts)
{
    std::vector<std::string> expected;
    for (int i = 1; i <= 15; ++i) {
        const std::string text = "Warning: " + std::to_string(i);
        AddErrorMessage(text);
        if (i <= 12) expected.push_back(text);
        EXPECT_LE(error0.ErrorCount, 12) << "after text " << i;
    }
    EXPECT_EQ(error0.ErrorCount, 12);
    EXPECT_EQ(Collected(), expected);
    // A repeat of a kept text is still recognised on a full list.
    AddErrorMessage("Warning: 3");
    EXPECT_EQ(Collected(), expected);
}

TEST_F(FoundationState, TextsBeyondTheTwelfthAreCountedOnceAndForgottenOnReset)
{
    for (int i = 1; i <= 15; ++i)
        AddErrorMessage("Warning: " + std::to_string(i));
    // Repeats of a left-out text and of a kept one add nothing.
    AddErrorMessage("Warning: 14");
    AddErrorMessage("Warning: 2");
    EXPECT_EQ(error0.ErrorCount, 12);
    EXPECT_EQ(LeftOutMessageCount(), 3u);
    EXPECT_EQ(error0.LeftOutTexts, (std::vector<std::string>{"Warning: 13", "Warning: 14", "Warning: 15"}));
    ResetErrorState();
    EXPECT_EQ(LeftOutMessageCount(), 0u);
    AddErrorMessage("Warning: 13");
    EXPECT_EQ(Collected(), (std::vector<std::string>{"Warning: 13"}));
}

// Twelve warnings, the last a judgement, fill the list; an error or fatal text takes the last warning's
// place, which is left out with its mark. Rows: the texts added, entries 10 to 12, the left-out texts.
TEST_F(FoundationState, ErrorsAndFatalTextsTakeTheLastWarningsPlaceInAFullList)
{
    const std::string w = "Warning: ", f = "Fatal  : first", e = "Error  : ", w12 = w + "12";
    const std::vector<std::string> rows[][3] = {
        {{f, e + "1", w + "13"}, {w + "10", f, e + "1"}, {w + "11", w12, w + "13"}},
        {{e + "1", f, e + "2"}, {e + "1", f, e + "2"}, {w + "10", w + "11", w12}},
        // An error that took a warning's place is listed once, though it comes again.
        {{e + "1", e + "1", f, w + "13"}, {w + "10", e + "1", f}, {w + "11", w12, w + "13"}}};
    for (const auto& [added, listed, out] : rows) {
        ResetErrorState();
        for (int i = 1; i <= 12; ++i)
            i < 12 ? AddErrorMessage(w + std::to_string(i)) : AddJudgementMessage(w12);
        for (const auto& t : added)
            t[0] == 'F' ? AddFatalMessage(t) : AddErrorMessage(t);
        EXPECT_EQ(std::vector(error0.ErrorTexts.begin() + 9, error0.ErrorTexts.end()), listed);
        EXPECT_EQ(error0.LeftOutTexts, out);
        EXPECT_EQ(error0.LeftOutJudgement, std::vector<bool>({false, out[1] == w12, out[2] == w12}));
        EXPECT_TRUE(telmvar.FatalCalcError && error0.FatalText == f);
    }
    ResetErrorState();
    EXPECT_EQ(error0.FatalText, "");
    // A fatal text already in the list is still the run's fatal condition.
    AddErrorMessage("Fatal  : again");
    AddFatalMessage("Fatal  : again");
    EXPECT_EQ(error0.FatalText, "Fatal  : again");
    EXPECT_EQ(error0.ErrorCount, 1);
}

TEST_F(FoundationState, JudgementsAreMarkedOnlyWhileTheScopeLives)
{
    AddErrorMessage("Error  : table");
    {
        const TJudgementMessages judgements;
        AddErrorMessage("Warning: undercut ! (1)");
    }
    AddJudgementMessage("Warning: SH<1 (1) (0.50) !");
    AddErrorMessage("Error  : limit");
    std::vector<std::string> kept, judged;
    for (const auto& m : CollectedMessages())
        (m.Judgement ? judged : kept).push_back(m.Text);
    EXPECT_EQ(kept, (std::vector<std::string>{"Error  : table", "Error  : limit"}));
    EXPECT_EQ(judged, (std::vector<std::string>{"Warning: undercut ! (1)", "Warning: SH<1 (1) (0.50) !"}));
}

TEST_F(FoundationState, ResetErrorStateForgetsCountButNotTexts)
{
    AddErrorMessage("Fatal  : Unit0");
    AddErrorMessage("Error  : b");
    telmvar.FatalCalcError = true;
    telmvar.Aborted = true;

    ResetErrorState();

    EXPECT_EQ(error0.ErrorCount, 0);
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(error0.ErrorTexts[1], "Fatal  : Unit0");
    EXPECT_EQ(error0.ErrorTexts[2], "Error  : b");

    // An old, uncounted text equal to a new one comes back as entry 1.
    AddErrorMessage("Error  : b");
    EXPECT_EQ(Collected(), (std::vector<std::string>{"Error  : b"}));
}

TEST_F(FoundationState, ClearErrorMessagesEmptiesEveryEntry)
{
    for (int i = 1; i <= 12; ++i)
        AddErrorMessage("Warning: " + std::to_string(i));
    telmvar.FatalCalcError = true;
    ClearErrorMessages();
    EXPECT_EQ(error0.ErrorCount, 0);
    for (int i = 1; i <= 12; ++i)
        EXPECT_TRUE(error0.ErrorTexts[i].empty()) << "entry " << i;
    // Only the collector is cleared, not the calculation flags.
    EXPECT_TRUE(telmvar.FatalCalcError);
}

TEST_F(FoundationState, SpreadsheetAutomationIsNeverAssigned)
{
    EXPECT_EQ(varexcel.ExcelApp, nullptr);
}

} // namespace
