#include "drawings/sheet/changeprotocol.h"

#include "drawings/sheet/changeentryform.h"
#include "drawings/sheet/drawinginfoform.h"
#include "drawings/sheet/drawingsheet.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/graphservices.h"
#include "planetary/documentation.h"
#include "platform/platform.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/engine/reportservices.h"

#include <string>

namespace
{

// Blanks after S up to Width characters; a longer text stays whole.
std::string PadTo(const std::string& S, int Width)
{
    const auto w = static_cast<std::size_t>(Width);
    return S.size() >= w ? S : S + std::string(w - S.size(), ' ');
}

void NewChange()
{
    auto& d = documentation;
    if (d.ChangeCount >= MaxChanges) {
        reportservices.ShowMessageBox("Max. Changes = " + std::to_string(MaxChanges) + " !");
        return;
    }
    // The record may hold the texts of a change deleted before: a new
    // change starts empty.
    d.ChangeCount += 1;
    TChangeRec& c = d.ChangeList[d.ChangeCount];
    c = TChangeRec{};
    c.Text[1] = sheetclock.TodayDateText();
    EditChangeEntry(d.ChangeCount);
    // A cancelled new change is removed again. Counted, it would stand in
    // the protocol and in the drawing's change block with only a date, and
    // raise the drawing's revision letter, for a change nobody filled in or
    // confirmed.
    if (telmvar.Aborted) {
        c = TChangeRec{};
        d.ChangeCount -= 1;
        return;
    }
    PrintChangeProtocol(1);
}

} // namespace

void EditChangeEntry(int N)
{
    TForm_EinAend form(N);
    // A dialog closed without its buttons (a batch run, the window's close
    // box) counts as cancelled.
    if (platform::CurrentPlatform().Dialogs().RunModal(form) != platform::DialogResult::Ok)
        telmvar.Aborted = true;
}

void ChangeProtocolCommand(int Command)
{
    telmvar.Aborted = false;
    auto& d = documentation;
    if (Command == 0) {
        const char* const items[7] = {"new",      "change",       "cancel",  "show",
                                      "Printout", "Info drawing", "back...."};
        for (int k = 1; k <= 7; ++k)
            telmvar.TextItems[k] = items[k - 1];
        telmvar.HelpNumber = 2600;
        uint16_t choice = 4;
        graphservices.AskSelect("Changes", 7, choice);
        if (telmvar.Aborted || choice == 7) return;
        Command = choice;
    }
    switch (Command) {
    case 1:
        NewChange();
        break;
    case 2:
        // Always the last change: earlier ones are history.
        if (d.ChangeCount > 0) {
            EditChangeEntry(d.ChangeCount);
            if (!telmvar.Aborted) PrintChangeProtocol(1);
        }
        break;
    case 3:
        if (d.ChangeCount > 0) d.ChangeCount -= 1;
        PrintChangeProtocol(1);
        break;
    case 4:
        PrintChangeProtocol(1);
        break;
    case 5:
        PrintChangeProtocol(0);
        break;
    case 6:
        ShowDrawingInfo();
        break;
    default:
        break;
    }
}

void PrintChangeProtocol(int Device)
{
    const auto& d = documentation;
    SetReportHeader(telmvar.ProgramTitle + " V" + telmvar.ProgramVersion, "Protocol of changes",
                    telmvar.RemarkLines[1], telmvar.RemarkLines[2], telmvar.RemarkLines[3], 0);
    OpenReport(static_cast<uint16_t>(Device), telmvar.ProjectName + ".TXT");
    if (telmvar.Aborted) return;
    if (!BeginReportOutput()) {
        CancelReport();
        return;
    }
    if (GetReportDevice() != 1) PrintReportPageHeader(1, 0);
    PrintReportLine("");
    PrintReportLine("Drawing date: " + d.DrawnDate + "     " + "Designed by" + ": " + d.DrawnBy);
    if (!d.ReplacementFor.empty()) {
        PrintReportLine("");
        PrintReportLine("Replacement for: " + FitLeft(d.ReplacementFor, 15));
    }
    if (!d.ReplacedBy.empty()) {
        PrintReportLine("");
        PrintReportLine("Replaced by: " + PadTo(d.ReplacedBy, 15));
    }
    PrintReportLine("");
    PrintReportLine(PadTo("Index", 6) + "  " + PadTo("Date", 10) + "   " + PadTo("Compl.", 6) + "   " +
                    PadTo("Modification", 20));
    PrintReportLine(GetDoubleRuleLine());
    for (int k = 1; k <= d.ChangeCount; ++k) {
        const TChangeRec& c = d.ChangeList[k];
        // The protocol knows numbers and small letters only.
        const std::string index =
            wtelmvar.IndexStyle == 1 ? std::to_string(k) : std::string(1, static_cast<char>(k + 96));
        PrintReportLine("  " + index + "     " + PadTo(c.Text[1], 10) + "   " + PadTo(c.Text[2], 6) + "   " +
                        PadTo(c.Text[0], 20));
        // Each line of the description is a report line of its own, so that
        // it is indented like the rest and the page count stays right. A line
        // wider than the report's goes on over following lines of the page
        // rather than standing on its one line: the dialog takes 254
        // characters, and a printed line ends at the paper's edge, with the
        // rest of the description lost.
        const std::string& desc = c.Text[3];
        std::size_t from = 0;
        for (;;) {
            const std::size_t brk = desc.find_first_of("\r\n", from);
            PrintReportLongLine(" " +
                                desc.substr(from, brk == std::string::npos ? std::string::npos : brk - from));
            if (brk == std::string::npos) break;
            from = brk + (desc.compare(brk, 2, "\r\n") == 0 ? 2 : 1);
        }
        PrintReportLine(GetRuleLine());
    }
    CloseReport();
    if (reportservices.RestoreCursor) reportservices.RestoreCursor();
}

void ResetRemarkLines()
{
    for (int k = 1; k <= 3; ++k)
        telmvar.RemarkLines[k].clear();
}

void ClearDocumentLinks() {}
