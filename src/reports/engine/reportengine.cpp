#include "reports/engine/reportengine.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "reports/engine/htmltext.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportframes.h"
#include "reports/engine/reportio.h"
#include "reports/engine/reportservices.h"

#include <cstdio>

TReportEngine reportengine;

namespace
{

TReportEngine& E = reportengine;

constexpr char FormFeed = '\f';
const std::string Indent(7, ' ');

// Device 2 sends the bytes of this file ahead of the report: printer set-up
// codes kept beside the program.
constexpr const char* PrinterStartFile = "TEXT.TVP";

// The start file waits until the output is open for writing.
std::string pendingStartFile;
// Index k of the TXT devices' "$$$k.txt" while the report is open.
int txtFileNumber = 0;

void SetHelp(int No)
{
    if (reportservices.SetInputHelpNumber) reportservices.SetInputHelpNumber(No);
}

std::string TempPath(const std::string& Name)
{
    return AddTrailingBackslash(telmvar.TempDir) + Name;
}

// Creates the file only when no file of that name exists, so that two running
// copies of the program never write into each other's report.
bool CreateExclusive(const std::string& Name)
{
    std::FILE* f = std::fopen(Name.c_str(), "wbx");
    if (!f) return false;
    std::fclose(f);
    return true;
}

// A temporary report file of our own: "$OUT" + n + ".TMP" with the first n
// whose file does not exist yet. A leftover of a crashed run or a file of a
// second running copy is skipped instead of being overwritten.
void MakeReportTempName()
{
    constexpr int MaxTries = 999;
    for (int n = 1; n <= MaxTries; ++n) {
        E.ReportFileName = TempPath("$OUT" + IntToText(n) + ".TMP");
        if (CreateExclusive(E.ReportFileName)) return;
    }
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

struct TSavedProject {
    std::string DataExt, ProjectName, StartDir;
};

TSavedProject SaveProjectNames(const std::string& Ext)
{
    TSavedProject s{telmvar.DataExt, telmvar.ProjectName, telmvar.StartDir};
    E.SavedDataExt = telmvar.DataExt;
    telmvar.DataExt = Ext;
    return s;
}

void RestoreProjectNames(const TSavedProject& s)
{
    telmvar.DataExt = s.DataExt;
    telmvar.ProjectName = s.ProjectName;
    telmvar.StartDir = s.StartDir;
}

bool IsRule(const std::string& Text)
{
    return Text == GetRuleLine() || Text == GetDoubleRuleLine() || Text == ReportDropMarker;
}

void NoteWrite(bool Ok)
{
    if (!Ok) E.ReportWriteFailed = true;
}

bool FirstPage(int PageNo)
{
    return PageNo == 1 || (PageNo == 0 && E.ReportPageNo == 0);
}

// A framed header line: the side character in columns 1 and 70, the text
// from its column when it fits.
std::string FramedLine()
{
    std::string line(ReportLineWidth, ' ');
    const char side = GetFrameSideChar();
    line.front() = side;
    line.back() = side;
    return line;
}

std::string ProgramTitleWithVersion()
{
    return telmvar.ProgramTitle + " V" + telmvar.ProgramVersion;
}

// A configured program path from the Windows configuration ("C:\..."), or
// none at all: the desktop's own program for the file is used instead.
bool UsesDesktopProgram(const std::string& Path)
{
    const std::string p = TrimBlanks(Path);
    if (p.empty()) return true;
    if (p.size() >= 2 && p[1] == ':') return true;
    return p.find('\\') != std::string::npos;
}

bool StartProgramOn(const std::string& ProgramPath, const std::string& Document)
{
    const std::string program = UsesDesktopProgram(ProgramPath) ? std::string() : TrimBlanks(ProgramPath);
    return reportservices.Launch(program, {Document});
}

void TextPageHeader(int PageNo, int WithColumnHeads)
{
    AskInsertPaper();
    if (telmvar.Aborted) return;
    const bool first = FirstPage(PageNo);
    if (wtelmvar.PrintHeaderMode == 2 && !first) {
        WriteReportLine(" ");
        return;
    }
    if (telmvar.PrintSeparatorMode == 4 && telmvar.LinesPerPage / 2 > E.ReportLineCount && !first) return;
    E.ReportLineCount = 0;
    E.PageHeaderColumnsMode = WithColumnHeads;
    E.ReportPageNo += 1;
    if (PageNo == 0) PageNo = E.ReportPageNo;

    if (telmvar.PrintSeparatorMode == 4) PrintReportLine("");
    for (int i = 0; i < wtelmvar.HeaderSpaceLines; ++i)
        PrintReportLine("");
    PrintReportLine(GetFrameTopLine());
    if (telmvar.Aborted) return;

    std::string line = FramedLine();
    OverwriteAt(E.ReportTitle, line, 4);
    if (wtelmvar.PrintHeaderMode != 2) {
        if (E.ReportTotalPages == 0)
            OverwriteAt("pg." + IntToTextBlankPad(PageNo, 2), line, 64);
        else
            OverwriteAt("pg." + IntToTextBlankPad(PageNo, 2) + "/" + IntToTextBlankPad(E.ReportTotalPages, 2),
                        line, 60);
    }
    PrintReportLine(line);

    line = FramedLine();
    OverwriteAt(reportservices.TodayDateText(), line, 53);
    OverwriteAt(reportservices.NowTimeText(), line, 64);
    PrintReportLine(line);

    line = FramedLine();
    telmvar.ProjectName = TrimBlanks(telmvar.ProjectName);
    if (telmvar.ArchiveMode)
        OverwriteAt(telmvar.ProjectName, line, 4);
    else if (telmvar.DataDir.size() + telmvar.ProjectName.size() > 69)
        OverwriteAt(telmvar.ProjectName + "." + telmvar.DataExt, line, 4);
    else
        OverwriteAt(AnsiTextToOem(AddTrailingBackslash(telmvar.DataDir) + telmvar.ProjectName) + "." +
                        telmvar.DataExt,
                    line, 4);
    PrintReportLine(line);
    PrintReportLine(GetFrameSeparatorLine());

    for (int i = 1; i <= 4; ++i) {
        if (i == 4 && E.ReportHeaderLines[4].empty()) break;
        line = FramedLine();
        OverwriteAt(E.ReportHeaderLines[i], line, 4);
        PrintReportLine(line);
    }
    if (WithColumnHeads == 1) {
        PrintReportLine(GetFrameSeparatorLine());
        PrintReportColumnHeads();
    } else {
        PrintReportLine(GetFrameBottomLine());
    }
}

void TabPageHeader(int PageNo)
{
    if (!FirstPage(PageNo)) return;
    PrintReportLine(ProgramTitleWithVersion() + "\t" + reportservices.TodayDateText() + "\t" +
                    reportservices.NowTimeText());
    if (E.ReportDevice == 9 && !E.ReportProjectFile.empty())
        PrintReportLine(E.ReportProjectFile);
    else
        PrintReportLine(WithoutBlanks(E.ReportFileName));
    for (int i = 1; i <= 3; ++i)
        PrintReportLine(telmvar.RemarkLines[i]);
    PrintReportLine(" ");
    E.ReportPageNo += 1;
}

void HtmlPageHeader(int PageNo)
{
    if (!FirstPage(PageNo)) return;
    const std::string title = HtmlEscape(ProgramTitleWithVersion());
    WriteReportLine("<!-- " + WithoutBlanks(E.ReportFileName) + " -->");
    WriteReportLine("<HTML>");
    // The report bytes are the display code page; the browser is told so.
    WriteReportLine(
        "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\"><title>" +
        title + "</title></head>");
    WriteReportLine("<BODY BGCOLOR=\"C0C0C0\">");
    WriteReportLine("<hr>");
    PrintReportMarkupLine("<h4>" + title + "</h4>");
    WriteReportLine("<hr>");
    for (int i = 1; i <= 4; ++i)
        WriteReportLine("<h5>" + HtmlEscape(E.ReportHeaderLines[i]) + "</h5>");
    WriteReportLine("<hr>");
    E.ReportPageNo += 1;
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
    pendingStartFile.clear();
    txtFileNumber = 0;
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

bool IsTabDevice(int Device)
{
    return Device == 6 || Device == 9;
}
bool IsHtmlDevice(int Device)
{
    return Device == 7;
}
bool IsTextDevice(int Device)
{
    return !IsTabDevice(Device) && !IsHtmlDevice(Device);
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
    pendingStartFile.clear();

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
        MakeReportTempName();
        if (!CreateOutputOnce()) return;
        break;
    case 2: {
        // The port is reached through a spool file that CloseReport hands to
        // the configured printer port.
        MakeReportTempName();
        Assign();
        SetHelp(1060);
        const bool yes = reportservices.QueryYesNo("single page printing ?");
        if (telmvar.Aborted) return;
        E.SinglePagePrinting = yes;
        if (FileCanOpen(PrinterStartFile)) pendingStartFile = PrinterStartFile;
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
        txtFileNumber = 0;
        if (wtelmvar.TextDeviceDialog) {
            reportservices.SaveFileDialog("", path);
        } else {
            // The next free number: a second running copy of the program, or
            // a file left from an earlier run, keeps its own file.
            int k = telmvar.TempFileCounter + 1;
            for (int tries = 0; tries < 999; ++tries, ++k) {
                path = TempPath("$$$" + IntToText(k) + ".txt");
                if (CreateExclusive(path)) break;
            }
            txtFileNumber = k;
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
        E.ReportFileName = TempPath("OUTDOS.TXT");
        if (!CreateOutputOnce()) return;
        break;
    default:
        break;
    }
    E.ReportLineCount = 0;
    E.ReportPageNo = 0;
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
    if (!ReportOutputRewrite(why, txtFileNumber > 0)) {
        if (!why.empty()) reportservices.ShowMessageBox(why);
        E.ReportWriteFailed = true;
        return false;
    }
    if (!pendingStartFile.empty()) {
        CopyFileToReport(pendingStartFile);
        pendingStartFile.clear();
    }
    return true;
}

void CancelReport()
{
    ReportOutputAbandon();
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
    if ((dev == 1 || dev == 2 || dev == 4) && E.ReportLineCount > 0 &&
        (wtelmvar.PrintHeaderMode == 2 || telmvar.PrintSeparatorMode == 4))
        WriteReportText(std::string(1, FormFeed));
    if (dev == 7) {
        EndHtmlTable();
        WriteReportLine("</BODY>");
        WriteReportLine("</HTML>");
    }
    if (!ReportOutputClose()) E.ReportWriteFailed = true;
    E.OutputAssigned = false;

    bool delivered = true;
    if (E.ReportWriteFailed) {
        // A report with lines missing is never shown, printed or copied as if
        // it were whole.
        reportservices.ShowMessageBox("file write error " + E.ReportFileName);
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
    case 2:
        delivered = reportservices.SendToPrinterPort(telmvar.PrinterPort, E.ReportFileName);
        DeleteFileIfExists(E.ReportFileName);
        break;
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
            reportservices.ShowMessageIfEnabled(wtelmvar.WordProcessorPath + " not found");
            delivered = false;
            break;
        }
        reportservices.SetHourglassCursor();
        delivered = CopyConverted(outwin) && StartProgramOn(wtelmvar.WordProcessorPath, outwin);
        DeleteFileIfExists(E.ReportFileName);
        break;
    case 6:
        telmvar.TempFileCounter = txtFileNumber > 0 ? txtFileNumber : telmvar.TempFileCounter + 1;
        delivered = CopyConverted(TempPath("$$" + IntToText(telmvar.TempFileCounter) + ".txt"));
        break;
    case 9:
        telmvar.TempFileCounter = txtFileNumber > 0 ? txtFileNumber : telmvar.TempFileCounter + 1;
        delivered = CopyConverted(telmvar.ProjectName + ".txt");
        // The batch report stands beside the project; its working copy is
        // of no further use and would pile up with every run.
        if (delivered)
            DeleteFileIfExists(E.ReportFileName);
        break;
    case 7:
        if (!wtelmvar.HtmlBrowserPath.empty()) {
            if (!UsesDesktopProgram(wtelmvar.HtmlBrowserPath) &&
                !FileCanOpen(TrimBlanks(wtelmvar.HtmlBrowserPath))) {
                reportservices.ShowMessageIfEnabled(wtelmvar.HtmlBrowserPath + " not found");
                delivered = false;
            } else {
                reportservices.SetHourglassCursor();
                delivered = StartProgramOn(wtelmvar.HtmlBrowserPath, E.ReportFileName);
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
    const uint16_t dev = E.ReportDevice;
    if (IsTabDevice(dev))
        TabPageHeader(PageNo);
    else if (IsHtmlDevice(dev))
        HtmlPageHeader(PageNo);
    else
        TextPageHeader(PageNo, WithColumnHeads);
}

void WriteReportLine(const std::string& Text)
{
    NoteWrite(ReportOutputLine(IsHtmlDevice(E.ReportDevice) ? ConvertTextCodePage(Text) : Text));
}

void WriteReportText(const std::string& Text)
{
    NoteWrite(ReportOutputText(IsHtmlDevice(E.ReportDevice) ? ConvertTextCodePage(Text) : Text));
}

void PrintReportMarkupLine(const std::string& Markup)
{
    EndHtmlTable();
    E.ReportLineCount += 1;
    WriteReportLine("<br>" + Markup);
}

void PrintReportLine(const std::string& Text)
{
    const uint16_t dev = E.ReportDevice;
    if (IsTabDevice(dev)) {
        if (!IsRule(Text)) WriteReportLine(Text);
    } else if (IsHtmlDevice(dev)) {
        EndHtmlTable();
        E.ReportLineCount += 1;
        if (!IsRule(Text)) WriteReportLine("<br>" + HtmlEscape(Text));
    } else {
        if (Text == ReportDropMarker) return;
        E.ReportLineCount += 1;
        CheckReportPageEnd(E.PageHeaderColumnsMode);
        WriteReportLine(Indent + Text);
    }
}

void PrintReportText(const std::string& Text)
{
    const uint16_t dev = E.ReportDevice;
    if (IsTabDevice(dev)) {
        WriteReportText(Text);
    } else if (IsHtmlDevice(dev)) {
        EndHtmlTable();
        E.ReportLineCount += 1;
        CheckReportPageEnd(E.PageHeaderColumnsMode);
        WriteReportText("<br>" + HtmlEscape(Text));
    } else {
        if (Text == ReportDropMarker) return;
        E.ReportLineCount += 1;
        CheckReportPageEnd(E.PageHeaderColumnsMode);
        WriteReportText(Indent + Text);
    }
}

void CheckReportPageEnd(int WithColumnHeads)
{
    if (E.ReportLineCount < telmvar.LinesPerPage) return;
    if (wtelmvar.PrintHeaderMode == 2) {
        WriteReportLine(std::string(1, FormFeed));
        E.ReportLineCount = 0;
        return;
    }
    ReportPageBreak();
    PrintReportPageHeader(0, WithColumnHeads);
    PrintReportLine("");
}

namespace
{
void PageBreak(bool HonourCompressedMode)
{
    const uint16_t dev = E.ReportDevice;
    if (dev == 6 || dev == 7 || dev == 9) return;
    if (HonourCompressedMode && telmvar.PrintSeparatorMode == 4 &&
        telmvar.LinesPerPage / 2 > E.ReportLineCount)
        return;
    if (dev == 1 || dev == 4)
        WriteReportLine(std::string(1, FormFeed));
    else if (dev == 2)
        WriteReportText(std::string(1, FormFeed));
    E.ReportLineCount = 0;
}
} // namespace

void ReportPageBreak()
{
    PageBreak(true);
}
void EjectReportPage()
{
    PageBreak(false);
}

void KeepReportLines(int WithColumnHeads)
{
    if (E.ReportLineCount > std::max(telmvar.LinesPerPage - 10, 10)) {
        ReportPageBreak();
        PrintReportPageHeader(0, WithColumnHeads);
    }
}

void AskInsertPaper()
{
    if (!E.SinglePagePrinting) return;
    if (!reportservices.AskYesNoCancel("Insert paper.  Continue ?")) telmvar.Aborted = true;
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
