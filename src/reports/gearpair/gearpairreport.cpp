// Driver of the gear-pair report: mesh dispatch, page titles and headers, the
// part selector, the messages page and the closing.
#include "reports/gearpair/gearpairreport.h"

#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/messagelist.h"

#include <initializer_list>
#include <string>

namespace
{

bool PartIs(uint16_t Part, std::initializer_list<int> Values)
{
    for (int v : Values)
        if (Part == v) return true;
    return false;
}

// "QYR7 V1.0   gearing geometry to DIN 3960/61/67": the standard text
// brings its own leading blank.
std::string PageTitle(const std::string& PageName, const std::string& Standard)
{
    return telmvar.ProgramName + " V" + telmvar.ProgramVersion + "   " + PageName + " " + "to" + Standard;
}

void PageHeader(const std::string& PageName, const std::string& Standard)
{
    const auto& p = GearPair;
    std::string line1, line2;
    FormatHeaderNoLine(p.GearName[1], p.PartNumber[1], line1);
    FormatHeaderNoLine(p.GearName[2], p.PartNumber[2], line2);
    SetReportHeader(PageTitle(PageName, Standard), line1, line2, telmvar.RemarkLines[1],
                    telmvar.RemarkLines[2], 0);
    SetReportColumns2("", "symbol", "unit", p.GearCaption[1], p.GearCaption[2]);
}

// Every stop after the output was assigned ends it without delivering.
bool Stop()
{
    CancelReport();
    return false;
}

} // namespace

int LoadWheelMesh(uint16_t Wheel)
{
    if (Wheel <= 2) {
        CalcMesh(mSPi);
        // The pinion of S-Pi is the gear with fewer teeth.
        if (PlanetaryGears.z[gS] > PlanetaryGears.z[gPi]) return 3 - (Wheel == 0 ? 1 : Wheel);
        return Wheel == 0 ? 1 : Wheel;
    }
    CalcMesh(mPeH);
    return Wheel >= 4 ? 2 : 1;
}

bool MeshReport(int Mesh, uint16_t Part)
{
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return false;
    }
    CalcMesh(Mesh);
    GearPair.GearCaption[1] = " 1: " + MeshGearCaption(Mesh, 1);
    GearPair.GearCaption[2] = " 2: " + MeshGearCaption(Mesh, 2);
    return GearPairReport(Part);
}

bool WheelMeasurementReport(uint16_t Wheel)
{
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return false;
    }
    const int gear = LoadWheelMesh(Wheel);
    // A wheel whose mesh could not be calculated has no test dimensions.
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return false;
    }
    return MeasuringDimensionsReport(static_cast<uint16_t>(gear));
}

bool GearPairReport(uint16_t Part)
{
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return false;
    }
    const auto& p = GearPair;
    PageHeader("gearing geometry", " DIN 3960/61/67");
    // An internal gear with as many teeth as its pinion has no strength
    // calculation; its geometry may still be printed.
    if (p.z[1] + p.z[2] == 0 && Part != 1) {
        if (reportservices.ShowMessageIfEnabled)
            reportservices.ShowMessageIfEnabled("No strength calculation if z2=-z1 !");
        return false;
    }
    telmvar.DiagramKind = 0;
    OpenReport(0, telmvar.ProjectName);
    if (telmvar.Aborted) return false;
    // BeginReportOutput reports a file that cannot be rewritten.
    if (!BeginReportOutput()) return Stop();

    if (PartIs(Part, {0, 1, 3})) {
        PrintReportPageHeader(0, 1);
        if (telmvar.Aborted) return Stop();
        if (!ReportPairGeometrySection() || !ReportPairTolerancesSection()) return Stop();
        if (Part == 1) {
            ReportPageBreak();
            if (telmvar.Aborted) return Stop();
            PrintMessagesPage();
        } else {
            EjectReportPage();
        }
        if (telmvar.Aborted) return Stop();
    }
    if (PartIs(Part, {0, 2, 3})) {
        PageHeader("gearing strength", " DIN3990/ISO6336");
        PrintReportPageHeader(0, 1);
        if (telmvar.Aborted) return Stop();
        if (!ReportPairStrengthData() || !ReportPairLoadCapacity()) return Stop();
        PrintReportLine("");
        if (Part == 2) {
            ReportPageBreak();
            if (telmvar.Aborted) return Stop();
            PrintMessagesPage();
        } else {
            EjectReportPage();
        }
        if (telmvar.Aborted) return Stop();
    }
    if (PartIs(Part, {0, 3})) PrintMessagesPage();
    if (telmvar.Aborted) return Stop();
    const bool delivered = CloseReport();
    if (reportservices.RestoreCursor) reportservices.RestoreCursor();
    return delivered;
}
