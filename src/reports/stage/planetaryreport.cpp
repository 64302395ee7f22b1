#include "reports/stage/planetaryreport.h"

#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/messagelist.h"
#include "reports/stage/bearingspecs.h"
#include "reports/stage/reportformat.h"

#include <cmath>
#include <utility>

namespace
{

bool PartIs(uint16_t Part, std::initializer_list<int> Values)
{
    for (int v : Values)
        if (Part == v) return true;
    return false;
}

const char* ConfigurationText(int code)
{
    switch (code) {
    case 1:
        return "X";
    case 2:
        return "O";
    case 3:
        return ">";
    case 4:
        return "<";
    default:
        return "";
    }
}

// Lends the message list the last stage calculation ended with to the
// report's message block, and gives the current list back afterwards, so
// that the message list command still shows the last calculation's. Only
// Dimensions and Strength calculates before it prints: the strength and
// bearing printouts calculate nothing, and a mesh report or a drawing
// calculated since leaves its own list (mesh Pe-H's "Warning: x2 > 0"),
// which holds no message of the stage.
class TStageMessagesLent
{
  public:
    TStageMessagesLent() : lent_(stagecalc.MessagesTaken)
    {
        if (lent_) std::swap(error0, stagecalc.Messages);
    }
    ~TStageMessagesLent()
    {
        if (lent_) std::swap(error0, stagecalc.Messages);
    }
    TStageMessagesLent(const TStageMessagesLent&) = delete;
    TStageMessagesLent& operator=(const TStageMessagesLent&) = delete;

  private:
    bool lent_;
};

void ReportStageMessages()
{
    const TStageMessagesLent lent;
    if (error0.ErrorCount == 0) return;
    PrintReportLine("");
    KeepReportLines(0);
    PrintReportMessages();
    ReportPageBreak();
}

} // namespace

bool ReportBearingPage(int n)
{
    const auto& br = PlanetBearings[n];
    if (br.Designation.empty() || br.d == 0) return true;
    EjectReportPage();
    if (telmvar.Aborted) return false;
    const auto& r = telmvar.RemarkLines;
    SetReportHeader(StageReportTitle("bedding", "    "), r[1], r[2], r[3], "", 0);
    SetReportColumns2("", "", "", "", "");
    PrintReportPageHeader(0, 1);
    PrintReportRow1(std::string("bearing ") + PlanetLetters[n], "", "", "");
    if (br.BearingCount == 2) {
        PrintReportRow1("no. bearing", "", "", IntToText(2));
        if (BearingNeedsConfiguration(n))
            PrintReportRow1("configuration", "", "", ConfigurationText(br.Arrangement));
    }
    ReportBearingSpecs(n, "", std::fabs(PlanetaryStage.nBearing[n]));
    return true;
}

void PrintPlanetaryReport(uint16_t Part)
{
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    const auto& r = telmvar.RemarkLines;
    SetReportHeader(StageReportTitle("gearing geometry"), StageHeaderNoLine(), r[1], r[2], r[3], 0);
    SetReportColumns4("", "", "", "S", "Pi", "Pe", "H");
    telmvar.DiagramKind = 0;
    OpenReport(0, telmvar.ProjectName);
    if (telmvar.Aborted) return;
    if (!BeginReportOutput()) return CancelReport();
    // Every early return below ends the output without delivering it, so
    // that the next report opens its own normally.
    if (PartIs(Part, {0, 1, 3})) {
        PrintReportPageHeader(0, 1);
        if (telmvar.Aborted) return CancelReport();
        ReportGeometrySection();
    }
    if (PartIs(Part, {0, 2, 3}) && !ReportStrengthSection()) return CancelReport();
    if (PartIs(Part, {0, 3, 6}))
        for (int n = 1; n <= 2; ++n)
            if (!ReportBearingPage(n)) return CancelReport();
    if (PartIs(Part, {0, 2, 3, 6})) ReportStageMessages();
    if (PartIs(Part, {0, 3, 4}) && GearPair.LoadSpectrumCount > 0) {
        if (!ReportLoadSpectrumBlock()) return CancelReport();
        if (telmvar.Aborted) return CancelReport();
    }
    CloseReport();
    if (reportservices.RestoreCursor) reportservices.RestoreCursor();
}

void PrintPlanetaryMessagesReport()
{
    const auto& r = telmvar.RemarkLines;
    SetReportHeader(telmvar.ProgramName + " V" + telmvar.ProgramVersion, "Error Messages", r[1], r[2], r[3],
                    1);
    OpenReport(0, telmvar.ProjectName);
    if (telmvar.Aborted) return;
    if (!BeginReportOutput()) return CancelReport();
    PrintMessagesPage();
    if (telmvar.Aborted) return CancelReport();
    CloseReport();
}
