#include "reporttestsupport.h"

#include "common/statereset.h"
#include "common/tempdir.h"
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservices.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

void ReportTest::SetUp()
{
    // Some tests start over by calling SetUp again: from the program's
    // start-up state, and the first directory goes.
    ResetProgramState();
    // A private directory per test: the names of parameterised tests hold
    // '/', which made nested directories that the clean-up left behind.
    if (!TempDir.empty()) testdirs::RemoveTempDir(TempDir.string());
    TempDir = testdirs::MakeTempDir("reports");
    ASSERT_FALSE(TempDir.empty()) << "no temporary directory";
    telmvar.TempDir = TempDir.string();
    telmvar.ProgramTitle = "QYR7 plus planetary stage";
    telmvar.ProgramName = "QYR7";
    telmvar.ProgramFileStem = "qyr7";
    telmvar.DataExt = "qy7";
    // The batch device copies its report to ProjectName + ".txt": never into
    // the directory the tests run in.
    telmvar.ProjectName = Temp("project");

    TReportServices& S = reportservices;
    S.TodayDateText = [] { return std::string("2026-12-07"); };
    S.NowTimeText = [] { return std::string("6:05"); };
    S.ShowResultWindow = [this](const std::string& PrintFile) {
        ++ResultWindows;
        ShownPrintFile = PrintFile;
        ShownReport = ReadFile(PrintFile);
    };
    S.Launch = [this](const std::string& Program, const std::vector<std::string>& Args) {
        Launches.push_back({Program, Args});
        return platform::LaunchResult{true, 0, {}};
    };
    S.ShowMessageBox = [this](const std::string& T) { Messages.push_back(T); };
    S.ShowMessageCaption = [this](const std::string& C, const std::string& T) {
        Messages.push_back(C + "|" + T);
    };
    S.ShowMessageIfEnabled = [this](const std::string& T) {
        if (telmvar.MessagesEnabled) Messages.push_back(T);
    };
    auto answer = [this](const std::string& Q) {
        Questions.push_back(Q);
        if (YesAnswers.empty()) return false;
        const bool a = YesAnswers.front();
        YesAnswers.erase(YesAnswers.begin());
        return a;
    };
    // The text printer's port takes every report; the port that takes none
    // is the default services' (reportservices_test.cpp).
    S.PrinterPortRefusal = [](int) { return std::string(); };
    S.QueryYesNo = answer;
    S.AskYesNoCancel = answer;
    // The file name checks are the input dialogs' business; their own test
    // is in reportservices_test.cpp.
    S.CheckFileName = [](const std::string&) {};
    S.SaveFileDialog = [this](const std::string&, std::string& Path) {
        if (SaveDialogPath.empty())
            telmvar.Aborted = true;
        else
            Path = SaveDialogPath;
    };
}

void ReportTest::TearDown()
{
    CancelReport();
    testdirs::RemoveTempDir(TempDir.string());
}

std::string ReportTest::ReadFile(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void ReportTest::WriteFile(const std::string& Path, const std::string& Bytes)
{
    std::ofstream out(Path, std::ios::binary);
    out << Bytes;
}

std::string ReportTest::WithoutTempDir(std::string Text) const
{
    const std::string dir = TempDir.string();
    for (size_t p = Text.find(dir); p != std::string::npos; p = Text.find(dir, p))
        Text.replace(p, dir.size(), "<TEMP>");
    return Text;
}

std::vector<std::string> ReportTest::Lines(const std::string& Text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t p = Text.find("\r\n", start);
        if (p == std::string::npos) {
            if (start < Text.size()) lines.push_back(Text.substr(start));
            return lines;
        }
        lines.push_back(Text.substr(start, p - start));
        start = p + 2;
    }
}

void ExpectGolden(const std::string& Name, const std::string& Text)
{
    const fs::path golden = fs::path(QYR7_TEST_DIR) / "golden" / Name;
    const fs::path out = fs::path(golden.string() + ".out");
    std::ifstream in(golden, std::ios::binary);
    std::ostringstream s;
    if (in) s << in.rdbuf();
    const std::string expected = s.str();
    if (in && expected == Text) {
        fs::remove(out);
        return;
    }
    std::ofstream(out, std::ios::binary) << Text;
    if (!in) {
        ADD_FAILURE() << "golden file " << golden << " missing; output written to " << out;
        return;
    }
    size_t line = 1, i = 0;
    while (i < expected.size() && i < Text.size() && expected[i] == Text[i]) {
        if (Text[i] == '\n') ++line;
        ++i;
    }
    ADD_FAILURE() << "output differs from " << golden << " from line " << line << " (byte " << i
                  << "); written to " << out;
}
