#include "reports/messages/messagelist.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportdevice.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/engine/reportservices.h"
#include "reports/engine/reportstate.h"
#include "reports/messages/errhelpfile.h"

#include <cstdio>

TUhelperr uhelperr;

namespace
{
// A help file refused because it is no regular file: said once a run.
std::string refusedHelpFile;
} // namespace

namespace
{

constexpr const char* NoHelpText = "no help description available for this error message.";
constexpr const char* ContinueItem = "Continue...";
constexpr const char* ListPrompt = "Calculation done. Select message for more info or continue.";

// A line of the help form: its texts are Windows text already (the model
// holds them as the form shows them), so only the terminal's UTF-8 is left.
void ToStderr(const std::string& Text)
{
    std::fprintf(stderr, "%s\n", AnsiToUtf8(NulBytesShown(Text)).c_str());
}

// The help file's bytes; false when there is none. A file of its name that
// is no regular file (a FIFO would hold the run until somebody wrote into
// it, a directory) is refused by name, once a run; the messages then go
// without help.
bool ReadHelpFile(const std::string& File, std::string& Bytes)
{
    TTextFile f;
    f.Assign(File);
    if (f.OpenRead()) {
        for (std::string line; f.ReadLine(line);)
            Bytes += line + "\r\n";
        f.Close();
        return true;
    }
    // No file of the name is no fault; a directory or a pipe under it is.
    const bool there = FileCanOpen(File) || !NotARegularFile(File).empty();
    if (there && refusedHelpFile != File) {
        refusedHelpFile = File;
        reportservices.ShowMessageIfEnabled("file " + FileNameToOem(File) + " " + f.OpenFailure());
    }
    return false;
}

// The origin and remedy of messages First..Last, the help file read once
// through a file of its own, so that it works while a report holds the
// shared text file. Without a readable help file both texts stay empty; an
// aborted run leaves them empty as well.
struct TListHelp {
    std::string Origin, Remedy;
};
std::vector<TListHelp> LookUpMessages(int First, int Last)
{
    std::vector<TListHelp> helps(static_cast<std::size_t>(std::max(Last, 0)) + 1);
    std::string whole;
    if (telmvar.Aborted || !ReadHelpFile(MessageHelpFileName(), whole)) return helps;
    for (int n = First; n <= Last; ++n) {
        const TMessageHelp help = FindMessageHelp(std::string_view(whole), error0.ErrorTexts[n]);
        helps[n] = {help.Found ? help.Origin : NoHelpText, help.Found ? help.Remedy : ""};
    }
    return helps;
}

int MessageCount()
{
    return std::min<int>(error0.ErrorCount, 12);
}

} // namespace

void ResetUhelperr()
{
    uhelperr.ShowHelperrForm = [](THelperrModel& M) {
        ToStderr(std::string(THelperrModel::Caption) + ": " + M.Message());
        ToStderr(std::string(THelperrModel::OriginLabel) + ": " + M.Origin());
        ToStderr(std::string(THelperrModel::RemedyLabel) + ": " + M.Remedy());
    };
    // The list's texts are the program's (code page 437), shown as a
    // message box shows them.
    uhelperr.MessageListAsText = [](const std::string& Text) {
        std::fputs(TerminalText(Text).c_str(), stderr);
    };
    refusedHelpFile.clear();
}

namespace
{
struct InitUhelperr {
    InitUhelperr() { ResetUhelperr(); }
} initUhelperr;
} // namespace

THelperrModel::THelperrModel(const std::string& Message, const std::string& Origin, const std::string& Remedy)
    : message_(DisplayText(Message)), origin_(DisplayText(Origin)), remedy_(DisplayText(Remedy))
{
}

void THelperrModel::SetOrigin(const std::string& Text)
{
    if (Text != origin_) modified_ = true;
    origin_ = Text;
}

void THelperrModel::SetRemedy(const std::string& Text)
{
    if (Text != remedy_) modified_ = true;
    remedy_ = Text;
}

void THelperrModel::Ok()
{
    if (!modified_) return;
    if (reportservices.AskYesNoCancel("Save Changes ?"))
        SaveMessageHelp(AnsiTextToOem(message_), AnsiTextToOem(origin_), AnsiTextToOem(remedy_));
    modified_ = false;
}

void THelperrModel::Help()
{
    reportservices.ShowHelpText(1970, 0, 1);
}

std::string MessageHelpFileName()
{
    return AddTrailingBackslash(telmvar.PltDir) + telmvar.ProgramFileStem + ".err";
}

void ShowMessageList()
{
    if (HasCommandLineParam("/NOGUI")) return;
    const int n = MessageCount();
    if (n == 0) {
        reportservices.ShowMessageBox("Calculation successful without error messages");
        return;
    }
    if (uhelperr.MessageListAsText) {
        uhelperr.MessageListAsText(FormatMessageListText());
        return;
    }
    telmvar.Aborted = false;
    for (int i = 1; i <= n; ++i)
        telmvar.TextItems[i] = error0.ErrorTexts[i];
    // Texts beyond the twelve are counted in an item of their own before
    // "Continue..."; it has no help, picking it leaves the list as it is.
    const std::string more = LeftOutMessagesLine();
    const int last = more.empty() ? n + 1 : n + 2;
    if (!more.empty()) telmvar.TextItems[n + 1] = more;
    telmvar.TextItems[last] = ContinueItem;
    uint16_t choice = static_cast<uint16_t>(telmvar.HelpLevel >= 2 ? 1 : last);
    for (;;) {
        reportservices.SetInputHelpNumber(1210);
        reportservices.AskSelect(ListPrompt, static_cast<uint16_t>(last), choice);
        if (telmvar.Aborted || choice == last) break;
        if (choice > n) {
            choice = static_cast<uint16_t>(last);
            continue;
        }
        ShowMessageHelp(choice);
        if (telmvar.Aborted) break;
        choice += 1;
        // After the help of the last message the list closes by itself.
        if (choice >= n + 1) break;
    }
}

void ShowMessageHelp(int n)
{
    if (n < 1 || n > MessageCount()) return;
    const std::string file = MessageHelpFileName();
    if (!reportservices.CheckFileExists(file)) return;
    std::string whole;
    if (!ReadHelpFile(file, whole)) return;
    const TMessageHelp help = FindMessageHelp(std::string_view(whole), error0.ErrorTexts[n]);
    if (!help.Found) {
        reportservices.ShowMessageCaption("Message", NoHelpText);
        return;
    }
    if (!telmvar.Aborted) ShowErrorHelpForm(error0.ErrorTexts[n], help.Origin, help.Remedy);
}

void ShowErrorHelpForm(const std::string& Message, const std::string& Origin, const std::string& Remedy)
{
    THelperrModel model(Message, Origin, Remedy);
    model.Shown();
    uhelperr.ShowHelperrForm(model);
}

void GetMessageOrigin(int n, std::string& Origin)
{
    if (n < 1 || n > 12) return;
    Origin = LookUpMessages(n, n)[n].Origin;
}

void GetMessageRemedy(int n, std::string& Remedy)
{
    if (n < 1 || n > 12) return;
    Remedy = LookUpMessages(n, n)[n].Remedy;
}

void SaveMessageHelp(const std::string& Message, const std::string& Origin, const std::string& Remedy)
{
    const std::string source = MessageHelpFileName();
    if (!reportservices.CheckFileExists(source)) return;
    std::string whole;
    if (!ReadHelpFile(source, whole)) return;
    // The record the list shows for the message is the one rewritten.
    const std::vector<std::string_view> lines = HelpLines(whole);
    const std::size_t key = FindMessageKeyLine(lines, Message);
    if (key == lines.size()) {
        reportservices.ShowMessageBox(Message + " not found.");
        return;
    }
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == key + 1 || i == key + 2) continue;
        text.append(lines[i]).append("\r\n");
        if (i == key) text += Origin + "\r\n" + Remedy + "\r\n";
    }
    // The new help file is written beside the old one and renamed over it, so
    // that a failed save never leaves a half-written help file; a failure
    // names the file and the system's reason.
    TTextFile out;
    out.Assign(source);
    if (!out.OpenWrite() || !out.Write(text) || !out.Close()) {
        out.Abandon();
        reportservices.ShowMessageBox(CannotBeWrittenText(source, out.WriteFailure()));
        telmvar.Aborted = true;
    }
}

std::string LeftOutMessagesLine()
{
    const std::size_t n = LeftOutMessageCount();
    if (n == 0) return {};
    return "... and " + std::to_string(n) + (n == 1 ? " more message" : " more messages");
}

std::string FormatMessageListText()
{
    std::string text;
    const int n = MessageCount();
    const std::vector<TListHelp> helps = LookUpMessages(1, n);
    for (int i = 1; i <= n; ++i) {
        const auto& [origin, remedy] = helps[i];
        text += error0.ErrorTexts[i] + "\n";
        if (!origin.empty()) text += "  " + std::string(THelperrModel::OriginLabel) + ": " + origin + "\n";
        if (!remedy.empty()) text += "  " + std::string(THelperrModel::RemedyLabel) + ": " + remedy + "\n";
    }
    if (const std::string more = LeftOutMessagesLine(); !more.empty()) text += more + "\n";
    return text;
}

void PrintReportMessages()
{
    const int n = MessageCount();
    if (n == 0) return;
    TReportDevice& device = CurrentReportDevice();
    device.RecordsBegin("REMARKS, WARNINGS AND ERROR MESSAGES");
    const std::vector<TListHelp> helps = LookUpMessages(1, n);
    for (int i = 1; i <= n; ++i)
        device.Record({error0.ErrorTexts[i], helps[i].Origin, helps[i].Remedy});
    // The list holds twelve texts; the ones after them are at least
    // counted, so that nobody takes the list for complete. Tab devices get
    // the columns of a message line, so that a sheet reading them keeps its
    // three columns.
    if (const std::string more = LeftOutMessagesLine(); !more.empty()) device.RecordsNote({more, "", ""});
    device.RecordsEnd();
}

void PrintMessagesPage()
{
    if (error0.ErrorCount == 0) return;
    PrintReportPageHeader(0, 0);
    if (telmvar.Aborted) return;
    PrintReportMessages();
    ReportPageBreak();
}

void ViewErrorMessages()
{
    telmvar.Aborted = false;
    if (error0.ErrorCount == 0) {
        reportservices.ShowMessageBox("Calculation successful without error messages");
        return;
    }
    const auto header = [](int TotalPages) {
        SetReportHeader(telmvar.ProgramName + " V" + telmvar.ProgramVersion, "Error Messages",
                        telmvar.RemarkLines[1], telmvar.RemarkLines[2], telmvar.RemarkLines[3], TotalPages);
    };
    header(1);
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    OpenReport(1, telmvar.ProjectName + ".txt");
    if (telmvar.Aborted) return;
    // The heads give the list's real page count rather than a fixed 1: twelve
    // messages with long help texts run onto a second page, which a fixed
    // count headed "pg. 2/ 1". The pages are counted by writing the list;
    // when they are more than one it is written again from the start with
    // that count (the count's field keeps its width, so the pages stay the
    // same).
    for (int pass = 1; pass <= 2; ++pass) {
        if (!BeginReportOutput()) {
            CancelReport();
            return;
        }
        PrintMessagesPage();
        if (telmvar.Aborted) {
            CancelReport();
            return;
        }
        const int pages = reportengine.ReportPageNo;
        if (pages <= 1 || pass == 2) break;
        header(pages);
    }
    CloseReport();
}
