// Workshop sheet of one gear: what the machine operator needs to cut and
// check it, premachined and finished.
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/engine/reportservices.h"
#include "reports/gearpair/gearpairreport.h"
#include "reports/messages/messagelist.h"

#include <string>

namespace
{

std::string L3(Extended X)
{
    return LengthToTextDecimals(3, X);
}

void SheetRows(int g)
{
    const auto& p = GearPair;
    const std::string L = LengthUnitLabel();
    PrintReportRow1("pressure angle", "alpha", "deg", FormatFloatFixed(2, 5, p.alpha));
    PrintReportRow1("helix angle", "beta", "deg", FormatFloatFixed(2, 5, p.beta));
    PrintReportRow1("normal module", "mn", L, FormatLengthFixed(2, 4, p.mn));
    if (wtelmvar.UnitSystem == 1) PrintReportRow1("Normal Pitch", "Pn", "1/in", FormatFloatFixed(3, 3, p.Pn));
    PrintReportRow1("no. of teeth", "z", "", IntToTextBlankPad(p.z[g], 5));
    PrintReportRow1("profile shift coeff.", "x nom.", "", FormatFloatFixed(2, 4, p.x[g]));
    PrintReportRow1("profile shift", "x * mn", L, FormatLengthFixed(3, 3, p.x[g] * p.mn));
    PrintReportRow1("pitch circle diameter", "d", L, FormatLengthFixed(5, 3, p.d[g]));
    PrintReportRow1("root diameter", "df", L, FormatLengthFixed(5, 3, p.df[g]));
    PrintReportRow1("tip dia.w.tip reduction", "da", L, FormatLengthFixed(5, 3, p.da[g]));
    // The calculation keeps the standard at 0 or 1; any other code has no name.
    const int standard = p.ToleranceStandard;
    const std::string name = standard >= 0 && standard <= 1 ? ToleranceStandardNames[standard] : "";
    PrintReportRow1("flank tolerance class to " + name, "", "", IntToText(p.FlankToleranceClass[g]));
    PrintReportRow1("tolerance zone to DIN 3967", "", "", p.ToleranceZone[g]);
    if (p.q[1] != 0 || p.q[2] != 0)
        PrintReportRow1("machin.allowance", "q", L, L3(p.q[g]) + " +" + L3(p.q_tol[g]));
    PrintReportRow1("dim.ov/betw.pins", "MdR th.", L, LengthToTextDecimals(4, p.MdR_x[g]));
    PrintReportRow2("dim.ov/betw.pins", "MdR max.", L, L3(p.MdR_xevmax[g]), L3(p.MdR_xemax[g]));
    PrintReportRow2("dim.ov/betw.pins", "MdR min.", L, L3(p.MdR_xevmin[g]), L3(p.MdR_xemin[g]));
    PrintReportRow2("ball/pin diameter", "DM", L, L3(p.DM[g]), L3(p.DM[g]));
    if (p.beta != 0) {
        PrintReportRow1("dim.ov/betw.balls", "MdK th.", L, LengthToTextDecimals(4, p.MdK_x[g]));
        PrintReportRow2("dim.ov/betw.balls", "MdK max.", L, L3(p.MdK_xevmax[g]), L3(p.MdK_xemax[g]));
        PrintReportRow2("dim.ov/betw.balls", "MdK min.", L, L3(p.MdK_xevmin[g]), L3(p.MdK_xemin[g]));
    }
    PrintReportRow1("span measure", "W theor.", L, LengthToTextDecimals(4, p.W_x[g]));
    PrintReportRow2("span measure", "W max.", L, L3(p.W_xevmax[g]), L3(p.W_xemax[g]));
    PrintReportRow2("span measure", "W min.", L, L3(p.W_xevmin[g]), L3(p.W_xemin[g]));
    const std::string k = IntToTextBlankPad(p.SpanTeeth[g], 6);
    PrintReportRow2("no. of teeth measured", "k", "", k, k);
}

} // namespace

bool MeasuringDimensionsReport(uint16_t Gear)
{
    const int g = Gear == 2 ? 2 : 1;
    const auto& p = GearPair;
    const auto& r = telmvar.RemarkLines;
    std::string line1;
    FormatHeaderNoLine(p.GearName[g], p.PartNumber[g], line1);
    SetReportHeader(telmvar.ProgramName + " V" + telmvar.ProgramVersion + " printout", line1, r[1], r[2],
                    r[3], 0);
    SetReportColumns2("", "Symbol", "Unit", "premach.", "finished");
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return false;
    }
    telmvar.DiagramKind = 0;
    OpenReport(0, telmvar.ProjectName);
    if (telmvar.Aborted) return false;
    if (!BeginReportOutput()) {
        CancelReport();
        return false;
    }
    PrintReportPageHeader(0, 1);
    if (telmvar.Aborted) {
        CancelReport();
        return false;
    }
    PrintReportLine("printout " + p.GearName[g] + " " + p.PartNumber[g]);
    PrintReportLine(GetDoubleRuleLine());
    SheetRows(g);
    ReportPageBreak();
    if (telmvar.Aborted) {
        CancelReport();
        return false;
    }
    const bool delivered = CloseReport();
    if (reportservices.RestoreCursor) reportservices.RestoreCursor();
    return delivered;
}
