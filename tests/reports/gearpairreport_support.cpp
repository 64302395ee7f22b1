#include "gearpairreport_support.h"

#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/lifeparams.h"
#include "planetary/projectfile.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "reports/messages/messagelist.h"
#include "xbase/access/tableaccess.h"

#include <filesystem>

void PairReportTest::SetUp()
{
    ReportTest::SetUp();
    telmvar.ProgramVersion = "1.0";
    InitProgramDefaults();
    SetDefaultInput();
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
}

void PairReportTest::TearDown()
{
    ResetDbf4();
    ReportTest::TearDown();
}

void PairReportTest::OpenExample(const std::string& Name)
{
    TFileFault fault;
    ASSERT_TRUE(ReadProjectData(std::string(QYR7_SOURCE_DIR) + "/examples/" + Name, fault))
        << fault.Line << " " << fault.Reason;
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
    telmvar.RemarkLines[1] = "gear-pair report test";
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError) << error0.ErrorTexts[1];
}

std::string PairReportTest::Report(uint16_t Device, const std::function<void()>& Entry)
{
    wtelmvar.TextDevice = Device;
    telmvar.ProjectName = Device == 9 ? Temp("stage") : "stage";
    SaveDialogPath = CancelSaveDialog ? "" : !SaveAs.empty() ? SaveAs : Temp("report.out");
    wtelmvar.HtmlBrowserPath = ""; // HTML: to the file of the save dialog
    for (const char* f : {"stage.txt", "report.out"})
        std::filesystem::remove(Temp(f));
    Entry();
    const std::string file = Device == 9 ? Temp("stage.txt") : Temp("report.out");
    return std::filesystem::exists(file) ? WithoutTempDir(ReadFile(file)) : std::string();
}
