#include "reports/engine/reportengine.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/runtempdir.h"
#include "foundation/textutil.h"
#include "reports/engine/reportdevice.h"
#include "reports/engine/reportio.h"
#include "reports/engine/reportservices.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

TReportEngine reportengine;

namespace
{

TReportEngine& E = reportengine;

// Device 2 sends the bytes of this file ahead of the report: printer set-up
// codes kept beside the program.
constexpr const char* PrinterStartFile = "TEXT.TVP";

void SetHelp(int No)
{
    if (reportservices.SetInputHelpNumber) reportservices.SetInputHelpNumber(No);
}

std::string TempPath(const std::string& Name)
{
    return AddTrailingBackslash(telmvar.TempDir) + Name;
}

// Creates the file only when no file of that name exists, so that two running
// copies of the program never write into each other's report. errno says
// why not.
bool CreateExclusive(const std::string& Name)
{
    std::FILE* f = std::fopen(Name.c_str(), "wbx");
    if (!f) return false;
    std::fclose(f);
    return true;
}

// The numbered working copy "$$$" + k + ".txt" of the file devices, k from
// First on: the first number whose file this call made, or 0 with the
// reason in Why. Only a taken name moves on to the next number; any other
// failure (no directory, no room, no permission) ends the search at once,
// and after the last number no taken name is ever opened over.
int CreateNumberedCopy(int First, std::string& Path, std::string& Why)
{
    constexpr int MaxTries = 999;
    for (int k = First; k < First + MaxTries; ++k) {
        Path = RunTempPath("$$$" + IntToText(k) + ".txt");
        if (CreateExclusive(Path)) return k;
        const int error = errno;
        if (error != EEXIST) {
            Why = "working copy " + FileNameToOem(Path) + " cannot be created: " + ErrnoText(error);
            return 0;
        }
    }
    Why = "working copy " + FileNameToOem(RunTempPath("$$$" + IntToText(First) + ".txt")) +
          " cannot be created: the numbers " + IntToText(First) + " to " + IntToText(First + MaxTries - 1) +
          " are taken";
    return 0;
}

// A temporary report file of our own: "$OUT" + n + ".TMP" with the first n
// whose file does not exist yet. A leftover of a crashed run or a file of a
// second running copy is skipped instead of being overwritten.
bool MakeReportTempName()
{
    constexpr int MaxTries = 999;
    int error = EEXIST;
    for (int n = 1; n <= MaxTries && error == EEXIST; ++n) {
        E.ReportFileName = RunTempPath("$OUT" + IntToText(n) + ".TMP");
        if (CreateExclusive(E.ReportFileName)) return true;
        error = errno;
    }
    reportservices.ShowMessageBox(
        "temporary report file " + FileNameToOem(E.ReportFileName) +
        " cannot be created: " + (error == EEXIST ? std::string("all numbers are taken") : ErrnoText(error)));
    E.ReportFileName.clear();
    return false;
}

// Creates the assigned output once, as a check that the report can be
// written at all; the report routine opens it again for its lines.
bool CreateOutputOnce()
{
    ReportOutputAssign(E.ReportFileName);
    E.OutputAssigned = true;
    std::string why;
    if (!ReportOutputRewrite(why)) {
        if (!why.empty()) reportservices.ShowMessageBox(why);
        E.OutputAssigned = false;
        return false;
    }
    ReportOutputClose();
    return true;
}

void Assign()
{
    ReportOutputAssign(E.ReportFileName);
    E.OutputAssigned = true;
}

// The save dialog of a report file names the report, not the project: it
// moves DataDir to the report's folder (and ends the archive mode). The
// project keeps its whole file name, directory and archive mode included,
// or the next Save would write another folder's file of the project's name.
struct TSavedProject {
    std::string DataExt, StartDir;
    TProjectPlace Place;
};

TSavedProject SaveProjectNames(const std::string& Ext)
{
    TSavedProject s{telmvar.DataExt, telmvar.StartDir, CurrentProjectPlace()};
    E.SavedDataExt = telmvar.DataExt;
    telmvar.DataExt = Ext;
    return s;
}

void RestoreProjectNames(const TSavedProject& s)
{
    telmvar.DataExt = s.DataExt;
    telmvar.StartDir = s.StartDir;
    RestoreProjectPlace(s.Place);
}

void NoteWrite(bool Ok)
{
    if (!Ok) E.ReportWriteFailed = true;
}

// The word processor or browser did not start: its setting as the user
// typed it, why it failed (empty when its file is simply not there) and
// where the report is, so that it can still be opened by hand.
void SayProgramNotStarted(const std::string& ProgramPath, const std::string& Why, const std::string& Written)
{
    reportservices.ShowMessageIfEnabled(FileNameToOem(ProgramPath) + " not found" +
                                        (Why.empty() ? "" : ": " + FileNameToOem(Why)) +
                                        ". The report was written to " + FileNameToOem(Written));
}

// Shows the report in the program of the setting (a Windows path or none:
// the desktop's program); false, said with why, when it did not start.
bool ShowInProgram(const std::string& ProgramPath, const std::string& Document)
{
    const std::string program = UsesDesktopProgram(ProgramPath) ? std::string() : TrimBlanks(ProgramPath);
    const platform::LaunchResult started = reportservices.Launch(program, {Document});
    if (!started.Started) SayProgramNotStarted(ProgramPath, started.Message, Document);
    return started.Started;
}

// The converted copy of the report that the result window, the word
// processor and the file devices show.
bool CopyConverted(const std::string& Dest)
{
    const bool wasAborted = telmvar.Aborted;
    telmvar.Aborted = false;
    CopyTextFileConverted(E.ReportFileName, Dest);
    const bool ok = !telmvar.Aborted;
    telmvar.Aborted = wasAborted || !ok;
    return ok;
}

} // namespace

void ResetReportEngine()
{
    ReportOutputAbandon();
    E = TReportEngine{};
    E.ColumnHeads[1] = "";
    E.ColumnHeads[2] = "Symbol";
    E.ColumnHeads[3] = "Unit";
    E.ColumnHeads[4] = "1";
    E.ColumnHeads[5] = "2";
}

namespace
{
struct InitEngine {
    InitEngine() { ResetReportEngine(); }
} initEngine;
} // namespace

const char* ReportDeviceName(int Device)
{
    static const char* const names[] = {
        "Screen",   "Text printer", "File", "Windows printer", "external word processor",
        "TXT File", "HTML File"};
    if (Device < 1 || Device > 7) return "";
    return names[Device - 1];
}

void SetReportHeader(const std::string& Title, const std::string& Line1, const std::string& Line2,
                     const std::string& Line3, const std::string& Line4, int TotalPages)
{
    E.ReportTitle = Title.empty() ? telmvar.ProgramTitle + "  V" + telmvar.ProgramVersion : Title;
    E.ReportHeaderLines[1] = Line1;
    E.ReportHeaderLines[2] = Line2;
    E.ReportHeaderLines[3] = Line3;
    E.ReportHeaderLines[4] = Line4;
    E.ReportTotalPages = TotalPages;
    E.ReportPageNo = 0;
    E.ReportLineCount = 0;
}

void OpenReport(uint16_t Device, const std::string& Name)
{
    for (int i = 1; i <= 7; ++i)
        telmvar.TextItems[i] = ReportDeviceName(i);
    if (Device == 90) return;

    ReportOutputAbandon();
    E.OutputAssigned = false;
    E.ReportWriteFailed = false;
    E.HtmlTableOpen = false;
    E.PendingStartFile.clear();

    E.ReportDevice = wtelmvar.TextDevice;
    SetHelp(1050);
    if (Device == 0) {
        if (wtelmvar.TextDeviceDialog) reportservices.AskSelect("Device", 7, E.ReportDevice);
    } else {
        E.ReportDevice = Device;
    }
    if (telmvar.Aborted) return;

    switch (E.ReportDevice) {
    case 0:
    case 1:
    case 4:
    case 5:
        E.SinglePagePrinting = false;
        if (!MakeReportTempName() || !CreateOutputOnce()) return;
        break;
    case 2: {
        // A port that can take nothing is said at once, before the user
        // answers for single pages and feeds paper for every page of a report
        // that would only be thrown away; nothing is written then.
        const std::string refused =
            reportservices.PrinterPortRefusal ? reportservices.PrinterPortRefusal(telmvar.PrinterPort) : "";
        if (!refused.empty()) {
            reportservices.ShowMessageIfEnabled("nothing printed: " + refused);
            telmvar.Aborted = true;
            return;
        }
        // The port is reached through a spool file that CloseReport hands to
        // the configured printer port.
        if (!MakeReportTempName()) return;
        Assign();
        SetHelp(1060);
        const bool yes = reportservices.QueryYesNo("single page printing ?");
        if (telmvar.Aborted) return;
        E.SinglePagePrinting = yes;
        if (FileCanOpen(PrinterStartFile)) E.PendingStartFile = PrinterStartFile;
        break;
    }
    case 3: {
        E.SinglePagePrinting = false;
        SetHelp(1070);
        const TSavedProject saved = SaveProjectNames("txt");
        std::string path;
        reportservices.SaveFileDialog("", path);
        RestoreProjectNames(saved);
        if (telmvar.Aborted) return;
        E.ReportFileName = path;
        reportservices.CheckFileName(E.ReportFileName);
        if (telmvar.Aborted) return;
        Assign();
        break;
    }
    case 6:
    case 9: {
        SetHelp(1070);
        const TSavedProject saved = SaveProjectNames("txt");
        std::string path;
        E.TxtFileNumber = 0;
        if (wtelmvar.TextDeviceDialog) {
            reportservices.SaveFileDialog("", path);
        } else {
            // The next free number: a second running copy of the program, or
            // a file left from an earlier run, keeps its own file.
            std::string why;
            E.TxtFileNumber = CreateNumberedCopy(telmvar.TempFileCounter + 1, path, why);
            if (E.TxtFileNumber == 0) {
                RestoreProjectNames(saved);
                reportservices.ShowMessageBox(why);
                return;
            }
        }
        RestoreProjectNames(saved);
        if (telmvar.Aborted) return;
        E.ReportFileName = path;
        if (wtelmvar.TextDeviceDialog) {
            reportservices.CheckFileName(E.ReportFileName);
            if (telmvar.Aborted) return;
        }
        Assign();
        break;
    }
    case 7: {
        SetHelp(1070);
        const TSavedProject saved = SaveProjectNames("htm");
        if (wtelmvar.HtmlBrowserPath.empty()) {
            std::string path;
            reportservices.SaveFileDialog("", path);
            RestoreProjectNames(saved);
            if (telmvar.Aborted) return;
            E.ReportFileName = path;
        } else {
            E.ReportFileName = TempPath(telmvar.ProgramFileStem + ".htm");
        }
        reportservices.CheckFileName(E.ReportFileName);
        if (telmvar.Aborted) {
            RestoreProjectNames(saved);
            return;
        }
        Assign();
        break;
    }
    case 8:
        E.SinglePagePrinting = false;
        E.ReportFileName = RunTempPath("OUTDOS.TXT");
        if (!CreateOutputOnce()) return;
        break;
    default:
        break;
    }
    E.ReportLineCount = 0;
    E.NewSheet();
    E.ReportPageNo = 0;
    E.PageHoldsOnlyHead = false;
    E.HeadDepth = 0;
}

bool BeginReportOutput()
{
    if (!E.OutputAssigned) {
        telmvar.Aborted = true;
        return false;
    }
    std::string why;
    // A numbered working copy of our own in the temporary directory is read
    // back and deleted by this run.
    if (!ReportOutputRewrite(why, E.TxtFileNumber > 0)) {
        if (!why.empty()) reportservices.ShowMessageBox(why);
        E.ReportWriteFailed = true;
        return false;
    }
    if (!E.PendingStartFile.empty()) {
        CopyFileToReport(E.PendingStartFile);
        E.PendingStartFile.clear();
    }
    return true;
}

void CancelReport()
{
    ReportOutputAbandon();
    // A report the user asked for that ends here because its file failed is
    // said to have failed, with the reason, as CloseReport says it: a report
    // routine stops at the first failed line without reaching CloseReport.
    if (E.OutputAssigned && E.ReportWriteFailed)
        reportservices.ShowMessageBox(ReportOutputFailureText(E.ReportFileName));
    if (E.OutputAssigned && (E.ReportDevice == 0 || E.ReportDevice == 1 || E.ReportDevice == 2 ||
                             E.ReportDevice == 4 || E.ReportDevice == 5))
        DeleteFileIfExists(E.ReportFileName);
    if (E.ReportDevice == 7) telmvar.DataExt = E.SavedDataExt.empty() ? telmvar.DataExt : E.SavedDataExt;
    E.OutputAssigned = false;
    E.HtmlTableOpen = false;
}

bool CloseReport()
{
    const uint16_t dev = E.ReportDevice;
    CurrentReportDevice().Finish();
    if (!ReportOutputClose()) E.ReportWriteFailed = true;
    E.OutputAssigned = false;

    bool delivered = true;
    if (E.ReportWriteFailed) {
        // A report with lines missing is never shown, printed or copied as if
        // it were whole.
        reportservices.ShowMessageBox(ReportOutputFailureText(E.ReportFileName));
        if (dev == 1 || dev == 2 || dev == 4 || dev == 5) DeleteFileIfExists(E.ReportFileName);
        if (dev == 7) telmvar.DataExt = E.SavedDataExt;
        reportservices.RestoreCursor();
        return false;
    }

    const std::string outwin = TempPath("outwin.txt");
    switch (dev) {
    case 1:
        delivered = CopyConverted(outwin);
        if (delivered) reportservices.ShowResultWindow(E.ReportFileName);
        DeleteFileIfExists(E.ReportFileName);
        break;
    case 2: {
        // The text printer wrote straight to the port LPT1..LPT4. This system
        // has no such port: unless a print command takes the report, nothing
        // is printed, and the user hears that rather than the silence that
        // stands for a finished printout.
        const std::string notPrinted =
            reportservices.SendToPrinterPort(telmvar.PrinterPort, E.ReportFileName);
        delivered = notPrinted.empty();
        if (!delivered) reportservices.ShowMessageIfEnabled("nothing printed: " + notPrinted);
        DeleteFileIfExists(E.ReportFileName);
        break;
    }
    case 3:
    case 8:
        delivered = CopyConverted(outwin);
        telmvar.MessagesEnabled = true;
        break;
    case 4:
        reportservices.PrintTextFile(E.ReportFileName);
        DeleteFileIfExists(E.ReportFileName);
        break;
    case 5:
        if (!UsesDesktopProgram(wtelmvar.WordProcessorPath) &&
            !FileCanOpen(TrimBlanks(wtelmvar.WordProcessorPath))) {
            SayProgramNotStarted(wtelmvar.WordProcessorPath, "", E.ReportFileName);
            delivered = false;
            break;
        }
        reportservices.SetHourglassCursor();
        delivered = CopyConverted(outwin) && ShowInProgram(wtelmvar.WordProcessorPath, outwin);
        DeleteFileIfExists(E.ReportFileName);
        break;
    case 6:
        telmvar.TempFileCounter = E.TxtFileNumber > 0 ? E.TxtFileNumber : telmvar.TempFileCounter + 1;
        delivered = CopyConverted(TempPath("$$" + IntToText(telmvar.TempFileCounter) + ".txt"));
        break;
    case 9:
        telmvar.TempFileCounter = E.TxtFileNumber > 0 ? E.TxtFileNumber : telmvar.TempFileCounter + 1;
        delivered = CopyConverted(telmvar.ProjectName + ".txt");
        // The batch report stands beside the project; its working copy is
        // of no further use and would pile up with every run.
        if (delivered) DeleteFileIfExists(E.ReportFileName);
        break;
    case 7:
        if (!wtelmvar.HtmlBrowserPath.empty()) {
            if (!UsesDesktopProgram(wtelmvar.HtmlBrowserPath) &&
                !FileCanOpen(TrimBlanks(wtelmvar.HtmlBrowserPath))) {
                SayProgramNotStarted(wtelmvar.HtmlBrowserPath, "", E.ReportFileName);
                delivered = false;
            } else {
                reportservices.SetHourglassCursor();
                delivered = ShowInProgram(wtelmvar.HtmlBrowserPath, E.ReportFileName);
            }
        }
        telmvar.DataExt = E.SavedDataExt;
        break;
    default:
        break;
    }
    reportservices.RestoreCursor();
    return delivered;
}

void PrintReportPageHeader(int PageNo, int WithColumnHeads)
{
    CurrentReportDevice().PageHeader(PageNo, WithColumnHeads);
}

void WriteReportLine(const std::string& Text)
{
    CurrentReportDevice().RawLine(Text);
}

void WriteReportText(const std::string& Text)
{
    CurrentReportDevice().RawText(Text);
}

void PrintReportLine(const std::string& Text)
{
    CurrentReportDevice().Line(Text);
}

void PrintReportText(const std::string& Text)
{
    CurrentReportDevice().Text(Text);
}

void WriteReportBlankLine()
{
    CurrentReportDevice().BlankLine("");
}

void PrintReportLongLine(const std::string& Text)
{
    CurrentReportDevice().LongLine(Text);
}

void CheckReportPageEnd(int WithColumnHeads)
{
    CurrentReportDevice().CheckPageEnd(WithColumnHeads);
}

void ReportPageBreak()
{
    CurrentReportDevice().PageBreak(true);
}

void EjectReportPage()
{
    CurrentReportDevice().PageBreak(false);
}

void KeepReportLines(int WithColumnHeads)
{
    // A page holding nothing but its head is not ended (see CheckPageEnd):
    // the block goes below the head it was given.
    if (E.PageHoldsOnlyHead) return;
    if (E.ReportLineCount > std::max(telmvar.LinesPerPage - 10, 10)) {
        ReportPageBreak();
        PrintReportPageHeader(0, WithColumnHeads);
    }
}

void BreakReportPageBeforeHead()
{
    // The sheet's own count: the line count of the page starts again with
    // every SetReportHeader, which a section calls right before its head.
    // A sheet of blank lines only (the blank line that went on after the
    // last page's end) takes the head instead of coming out empty.
    TReportDevice& device = CurrentReportDevice();
    if (!device.FeedsPages() || !E.SheetHoldsText) return;
    // The compressed form keeps filling a sheet that is less than half full.
    if (telmvar.PrintSeparatorMode == 4 && telmvar.LinesPerPage / 2 > E.SheetLineCount) return;
    device.PageBreak(false);
}

uint16_t GetReportDevice()
{
    return E.ReportDevice;
}

void CopyFileToReport(const std::string& FileName)
{
    std::FILE* f = std::fopen(FileName.c_str(), "rb");
    if (!f) return;
    std::string bytes;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    std::fclose(f);
    NoteWrite(ReportOutputText(bytes));
}
