// Load spectrum and life report, and the output menu of the load spectrum.
#include "reports/spectrum/loadspectrumreport.h"

#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/lifeparams.h"
#include "planetary/stage.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/engine/reportservices.h"
#include "reports/engine/reporttable.h"
#include "xbase/access/tableaccess.h"

#include <algorithm>
#include <string>

namespace
{

constexpr const char* LifeTableName = "qyrlife.dbf";

// Checks that the life table is there and finds whether the record the pair
// names lies beyond its end. The calculation took the last record in that
// case (with the "DBF #" message); the report says so rather than pretend
// otherwise. False, with Aborted set, when the table is missing.
bool CheckLifeTable(bool& BeyondEnd)
{
    BeyondEnd = false;
    const std::string path = AddTrailingBackslash(telmvar.DbfDir) + LifeTableName;
    if (reportservices.CheckFileExists && !reportservices.CheckFileExists(path)) return false;
    if (!DbfOpen(LifeTableName)) return false;
    BeyondEnd = GearPair.LoadSpectrumKind > DbfRecCount();
    DbfGo(GearPair.LoadSpectrumKind);
    DbfClose();
    return true;
}

std::string Sig3(Extended X)
{
    return FloatToSignificant(X);
}

// A limit torque the search did not find is 0 in the stage records; a found
// one never is. The cell says so, as the stage report does, instead of
// showing 0 as a limit.
std::string LimitTorqueText(Extended T)
{
    return T != 0 ? Sig3(T) : "not found";
}

void MeshTorqueRow(const char* Label, const char* Symbol, const MeshArray& V)
{
    PrintReportRow3(Label, Symbol, "Nm", LimitTorqueText(V[mSPi]), LimitTorqueText(V[mPiPe]),
                    LimitTorqueText(V[mPeH]));
}

} // namespace

bool WriteLoadSpectrumReport()
{
    const auto& p = GearPair;
    std::string line1, line2;
    FormatHeaderNoLine(p.GearName[1], p.PartNumber[1], line1);
    FormatHeaderNoLine(p.GearName[2], p.PartNumber[2], line2);
    SetReportHeader(telmvar.ProgramName + "  " + "load spectrum" + " (Niemann/Winter)", line1, line2, "", "",
                    0);
    // The limit torques are stored for all three meshes, so each has its
    // column; the one-value rows stand in the middle as ever.
    SetReportColumns3("", "symbol", "unit", "S-Pi", "Pi-Pe", "Pe-H");

    bool beyondEnd = false;
    if (!CheckLifeTable(beyondEnd)) return true; // the check has said why; the output is finished empty

    PrintReportPageHeader(0, 1);
    if (telmvar.Aborted) return false;
    PrintReportLine("");
    PrintReportLine("MATERIAL LIFE EXPECTATION PARAMETERS");
    PrintReportLine(GetDoubleRuleLine());
    PrintReportLine("");
    PrintReportLine("material class: " + LifeParams.LW);
    if (beyondEnd) PrintReportLine("DBF #" + std::to_string(p.LoadSpectrumKind) + " not found.");
    PrintReportLine(GetRuleLine());
    PrintReportRow1("tooth root lifetime const.", "N0F", "LW", FloatToScientific(LifeParams.N0F));
    PrintReportRow1("tooth root lifetime const.", "NnF", "LW", FloatToScientific(LifeParams.NnF));
    PrintReportRow1("tooth root lifetime exponent", "p F", "", Sig3(LifeParams.pF));
    PrintReportRow1("pitting lifetime const.", "N0H", "LW", FloatToScientific(LifeParams.N0H));
    PrintReportRow1("pitting lifetime const.", "NnH", "LW", FloatToScientific(LifeParams.NnH));
    PrintReportRow1("pitting lifetime exponent", "p H", "", Sig3(LifeParams.pH));

    PrintReportLine("");
    PrintReportLine("LOAD SPECTRUM");
    {
        TReportTable table(5, 20, 20, 0, 0, 0, 0, " i ", "delta Ni [Mill.LW]", "Ti [Nm]", "", "", "", "");
        const int count = std::min(p.LoadSpectrumCount, LoadSpectrumMax);
        for (int i = 1; i <= count; ++i) {
            const auto& item = p.LoadSpectrum[i];
            table.AddRow(IntToTextBlankPad(i, 2), FormatFloatFixed(11, 6, item.N / 1000000), Sig3(item.T));
        }
        table.Done();
    }

    PrintReportLine("");
    PrintReportRow1("sum of load changes", "N sum", "", FloatToScientific(p.Nsum));
    PrintReportRow1("equiv.number of load cycles", "N eq", "", FloatToScientific(p.Neq));
    PrintReportRow1("application factor tooth break", "KA F", "", FormatFloatFixed(4, 2, p.LoadSpectrumKA_F));
    PrintReportRow1("application factor pitting", "KA H", "", FormatFloatFixed(4, 2, p.LoadSpectrumKA_H));
    PrintReportRow1("nominal torque", "T N", "Nm", Sig3(PlanetaryStage.TN));
    PrintReportRow1("equival.torque tooth root", "T eqF", "Nm", Sig3(p.TeqF));
    PrintReportRow1("equival.torque pitting", "T eqH", "Nm", Sig3(p.TeqH));

    const auto& g = PlanetaryGears;
    PrintReportLine("");
    MeshTorqueRow("limit fatigue str. tooth root", "T nF", g.TnF);
    MeshTorqueRow("limit fatigue str. pitting", "T nH", g.TnH);
    MeshTorqueRow("limit breakage tooth root", "T 0F", g.T0F);
    MeshTorqueRow("limit breakage pitting", "T 0H", g.T0H);

    PrintReportLine("");
    PrintReportRow1("Eq.limit fatigue str. tooth root", "T nFeq", "Nm", Sig3(p.TnFeq));
    PrintReportRow1("Eq.limit fatigue str. pitting", "T nHeq", "Nm", Sig3(p.TnHeq));
    PrintReportRow1("Eq.limit breakage tooth root", "T 0Feq", "Nm", Sig3(p.T0Feq));
    PrintReportRow1("Eq.limit breakage pitting", "T 0Heq", "Nm", Sig3(p.T0Heq));
    ReportPageBreak();
    return !telmvar.Aborted;
}

bool PrintLoadSpectrumReport()
{
    OpenReport(0, telmvar.ProjectName);
    if (telmvar.Aborted) return false;
    if (!BeginReportOutput()) {
        CancelReport();
        return false;
    }
    if (!WriteLoadSpectrumReport()) {
        CancelReport();
        return false;
    }
    // A missing life table leaves Aborted set by its check; the empty output
    // is still finished, as the user asked for it.
    const bool delivered = CloseReport();
    if (reportservices.RestoreCursor) reportservices.RestoreCursor();
    return delivered;
}

void LoadSpectrumOutputMenu(uint16_t Choice, int CadDevice)
{
    if (GearPair.LoadSpectrumCount == 0) {
        telmvar.MessagesEnabled = true;
        if (reportservices.ShowMessageBox) reportservices.ShowMessageBox("no load spectrum defined");
        return;
    }
    if (Choice == 0) {
        telmvar.TextItems[1] = "Text";
        telmvar.TextItems[2] = "diagram of tooth root stress";
        telmvar.TextItems[3] = "diagram of pitting";
        if (reportservices.SetInputHelpNumber) reportservices.SetInputHelpNumber(6500);
        if (telmvar.DiagramKind == 0 || telmvar.DiagramKind > 3) telmvar.DiagramKind = 1;
        uint16_t pick = telmvar.DiagramKind;
        telmvar.Aborted = false;
        if (reportservices.AskSelect) reportservices.AskSelect("output", 3, pick);
        if (telmvar.Aborted) return;
        telmvar.DiagramKind = pick;
    } else {
        telmvar.DiagramKind = Choice;
    }
    const uint16_t kind = telmvar.DiagramKind;
    switch (kind) {
    case 1:
        PrintLoadSpectrumReport();
        break;
    case 2:
    case 3:
        if (reportservices.DrawLoadSpectrumDiagram)
            reportservices.DrawLoadSpectrumDiagram(kind - 1, CadDevice);
        else if (reportservices.ShowMessageBox)
            reportservices.ShowMessageBox("load spectrum diagrams are not available in this program");
        break;
    default:
        break;
    }
    // The next call of the menu preselects the output after this one. The
    // report engine sets DiagramKind to 0 in between; the choice made here
    // counts.
    if (Choice == 0) telmvar.DiagramKind = static_cast<uint16_t>(kind + 1);
}
