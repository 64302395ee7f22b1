#include "reports/engine/reportservicedefaults.h"

#include "foundation/codepage.h"
#include "foundation/datetexts.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "platform/platform.h"
#include "reports/engine/reportengine.h"
#include "reports/textview/printtext.h"
#include "reports/textview/showtextfile.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

TReportServices reportservices;

namespace
{

platform::Platform& P()
{
    return platform::CurrentPlatform();
}

// Yes/No/Cancel with the program title as caption; Cancel sets Aborted. The
// texts of the report engine are the program's (code page 437): shown as the
// program's own boxes show them.
bool AskYesNoCancelBox(const std::string& Question)
{
    const platform::MessageAnswer a =
        P().Messages().AskYesNoCancel(DisplayText(telmvar.ProgramTitle), DisplayText(Question));
    if (a == platform::MessageAnswer::Cancel) telmvar.Aborted = true;
    return a == platform::MessageAnswer::Yes;
}

void DefaultCheckFileName(const std::string& Path)
{
    namespace fs = std::filesystem;
    const std::string name = fs::path(Path).filename().string();
    if (CountChar('.', name) > 1) {
        reportservices.ShowMessageBox(FileNameToOem(Path) + " not allowed (too many dots)!");
        telmvar.Aborted = true;
        return;
    }
    std::error_code ec;
    if (fs::exists(Path, ec)) {
        if (!AskYesNoCancelBox(OverwriteQuestionText(Path))) telmvar.Aborted = true;
        return;
    }
    // Creatable: made once and removed again.
    std::ofstream probe(Path, std::ios::binary);
    if (!probe) {
        reportservices.ShowMessageBox("invalid file name \"" + FileNameToOem(Path) + "\" !");
        telmvar.Aborted = true;
        return;
    }
    probe.close();
    fs::remove(Path, ec);
}

void DefaultSaveFileDialog(const std::string& Name, std::string& Path)
{
    namespace fs = std::filesystem;
    if (!Name.empty()) {
        Path = Name.find('.') == std::string::npos
                   ? AddTrailingBackslash(telmvar.DataDir) + Name + "." + telmvar.DataExt
                   : Name;
    } else {
        platform::FileDialogRequest r;
        r.Kind = platform::FileDialogKind::Save;
        r.Caption = "Save";
        r.Filter = "*." + telmvar.DataExt + "|*." + telmvar.DataExt;
        r.InitialDir = telmvar.DataDir;
        const std::optional<std::string> chosen = P().Files().Run(r);
        if (!chosen || chosen->empty()) {
            telmvar.Aborted = true;
            return;
        }
        const fs::path p(*chosen);
        telmvar.DataDir = AddTrailingBackslash(p.parent_path().string());
        telmvar.ProjectName = p.stem().string();
        Path = telmvar.DataDir + telmvar.ProjectName + "." + telmvar.DataExt;
    }
    reportservices.CheckFileName(Path);
}

// Only a print command reaches a printer from here; a copy named after the
// port in the temporary directory would print nothing.
std::string PrinterPortRefusal(int Port)
{
    if (!reportengine.PrinterPortCommand.empty()) return {};
    return "printer port LPT" + std::to_string(Port) + " does not exist on this system";
}

} // namespace

void ResetReportServices()
{
    TReportServices& S = reportservices;
    // The choice itself is asked by the program's one selection prompt,
    // which the application installs; without it (batch runs, the report
    // tests) the current choice stands.
    S.AskSelect = [](const std::string&, int Count, uint16_t& Choice) {
        if (Choice < 1 || Choice > Count) Choice = 1;
    };
    S.AskYesNoCancel = AskYesNoCancelBox;
    S.QueryYesNo = AskYesNoCancelBox;
    S.SaveFileDialog = DefaultSaveFileDialog;
    S.CheckFileName = DefaultCheckFileName;
    S.CheckFileExists = [](const std::string& Path) {
        if (FileCanOpen(Path)) return true;
        reportservices.ShowMessageBox("file " + FileNameToOem(Path) + " not found or no access !");
        telmvar.Aborted = true;
        return false;
    };
    S.ShowMessageBox = [](const std::string& T) { P().Messages().ShowOk("Message:", DisplayText(T)); };
    S.ShowMessageCaption = [](const std::string& C, const std::string& T) {
        P().Messages().ShowOk(DisplayText(C), DisplayText(T));
    };
    S.ShowMessageIfEnabled = [](const std::string& T) { ShowErrorBoxIfEnabled(T); };
    S.SetInputHelpNumber = [](int) {};
    S.ShowHelpText = [](int, int, int) {};
    S.SetHourglassCursor = [] { P().ScreenCursor().Set(platform::CursorShape::Hourglass); };
    S.RestoreCursor = [] { P().ScreenCursor().Set(platform::CursorShape::Arrow); };
    S.TodayDateText = [] { return ::TodayDateText(); };
    S.NowTimeText = [] { return ::NowTimeText(); };
    S.WindowMenuTexts = [] { return TWindowMenuTexts{}; };
    // Without a window the report is shown as a text screen (standard output
    // of a batch run).
    S.ShowResultWindow = [](const std::string& PrintFileName) {
        TShowTextFileModel model;
        model.PrintFileName = PrintFileName;
        if (!model.Show()) return;
        platform::TextScreenRequest r;
        r.Caption = model.Caption();
        std::string line;
        for (char c : model.Text()) {
            if (c == '\n') {
                r.Lines.push_back(line);
                line.clear();
            } else if (c != '\r') {
                line += c;
            }
        }
        if (!line.empty()) r.Lines.push_back(line);
        P().Prompt().ShowTextScreen(r);
    };
    S.Launch = [](const std::string& Program, const std::vector<std::string>& Args) {
        if (!Program.empty()) return P().Launch().StartProgram(Program, Args);
        return P().Launch().OpenDocument(Args.empty() ? std::string() : Args.front());
    };
    S.PrinterPortRefusal = PrinterPortRefusal;
    S.SendToPrinterPort = [](int Port, const std::string& SpoolFile) -> std::string {
        const std::string name = "LPT" + std::to_string(Port);
        if (const std::string why = PrinterPortRefusal(Port); !why.empty()) return why;
        const std::string port = AddTrailingBackslash(telmvar.TempDir) + name + ".PRN";
        std::error_code ec;
        std::filesystem::copy_file(SpoolFile, port, std::filesystem::copy_options::overwrite_existing, ec);
        if (ec) return CannotBeWrittenText(port, ErrnoText(ec.value()));
        const platform::LaunchResult r = P().Launch().StartProgram(reportengine.PrinterPortCommand, {port});
        return r.Started ? std::string() : FileNameToOem(r.Message);
    };
    S.PrintTextFile = [](const std::string& FileName) { ::PrintTextFile(FileName); };
    S.CopyToClipboard = [](const std::string& Text) { P().Clip().SetText(Text); };
    S.ChoosePrintPages = [](int PageCount, int& From, int& To) {
        return P().Print().ChoosePages(PageCount, From, To);
    };
    S.DrawLoadSpectrumDiagram = nullptr;
}

namespace
{
struct InitServices {
    InitServices() { ResetReportServices(); }
} initServices;
} // namespace
