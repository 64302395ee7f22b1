#include "app/startup.h"

#include "app/auxiliaryimages.h"
#include "app/batchfiles.h"
#include "app/cadbatch.h"
#include "app/configdirs.h"
#include "app/configio.h"
#include "app/menutexts.h"
#include "app/privatetempdir.h"
#include "app/programidentity.h"
#include "app/sessionfile.h"
#include "app/windowplacement.h"
#include "dialogs/diagramlimits.h"
#include "dialogs/dialogservices.h"
#include "dialogs/fileguard.h"
#include "dialogs/helptext.h"
#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/signalcleanup.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "graphics/diagrams/loadspectrumdiagram.h"
#include "graphics/graphfacade.h"
#include "graphics/graphservices.h"
#include "graphics/graphsettings.h"
#include "planetary/bearings/operationdata.h"
#include "planetary/filenames.h"
#include "planetary/projectfile.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "platform/codepage.h"
#include "platform/headless/platform_headless.h"
#include "platform/platform.h"
#include "platform/posix/launcher_posix.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservices.h"
#include "reports/engine/tableprint.h"
#include "reports/stage/planetaryreport.h"
#include "reports/textview/printsettings.h"
#include "xbase/access/tableaccess.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/ui/tablebrowser.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

TStartup startup;

void ResetStartup()
{
    startup = TStartup{};
}

void ReportStartFailure(const std::string& Text)
{
    std::fputs(TerminalText(ProgramFileName() + ": " + Text + "\n").c_str(), stderr);
    std::fflush(stderr);
}

void InitProgramLoadDefaults()
{
    ResetCadSettings();
    ResetGraphSettings();
    ResetPrintSettings();
    ResetMessageboxes();
    ResetStartup();
    InitProgramDefaults();
    SetDefaultInput();
}

namespace
{

// The last text the message collector holds: why a read or calculation
// failed.
std::string LastMessage()
{
    if (error0.ErrorCount == 0) return {};
    return error0.ErrorTexts[error0.ErrorCount];
}

// The fatal condition that stopped the calculation, not the list's first
// text: that is often a warning of a step that still ran.
std::string FatalMessage()
{
    if (!error0.FatalText.empty()) return error0.FatalText;
    return error0.ErrorCount == 0 ? std::string() : error0.ErrorTexts[1];
}

// The first text of the report's message list that says "Fatal": a step
// whose result cannot be trusted although the stage as a whole was
// calculated (specific sliding, a span measure without a solution).
std::string FatalListedMessage()
{
    for (int i = 1; i <= error0.ErrorCount; ++i)
        if (error0.ErrorTexts[i].find("Fatal") != std::string::npos) return error0.ErrorTexts[i];
    for (const auto& text : error0.LeftOutTexts)
        if (text.find("Fatal") != std::string::npos) return text;
    return {};
}

// The boxes of the report engine while the batch report is written: passed
// on once it was written; dropped when it was not, as the run's own line
// names the file that failed and why ("file write error" of the working
// copy said the same again without the cause).
class TBatchReportBoxes
{
  public:
    TBatchReportBoxes() : box_(reportservices.ShowMessageBox)
    {
        reportservices.ShowMessageBox = [this](const std::string& T) { held_.push_back(T); };
    }
    ~TBatchReportBoxes() { reportservices.ShowMessageBox = box_; }
    TBatchReportBoxes(const TBatchReportBoxes&) = delete;
    TBatchReportBoxes& operator=(const TBatchReportBoxes&) = delete;

    void PassOn()
    {
        reportservices.ShowMessageBox = box_;
        for (const auto& text : held_)
            if (box_) box_(text);
        held_.clear();
    }
    // The last box held: why the output failed when no write said so.
    std::string Last() const { return held_.empty() ? std::string() : held_.back(); }

  private:
    std::function<void(const std::string&)> box_;
    std::vector<std::string> held_;
};

// The texts the message list had no room for: the list only counts them.
void ReportLeftOutMessages()
{
    for (const auto& text : error0.LeftOutTexts)
        ReportStartFailure("left out of the message list: " + text);
}

// A temporary directory found not writable at the start, as the line
// before the one of the file that failed: the start's message box said only
// "invalid temporary directory configured".
void ReportTempDirFault()
{
    if (!configio.TempDirFault.empty()) ReportStartFailure(configio.TempDirFault);
}

// Why the start ends without a directory of the run's own; a batch run names
// the file it does not write (a CAD file's name is built from the project
// name, which the caller has set).
std::string NoRunDirectoryText(const TCommandLine& Cmd)
{
    std::string file;
    if (Cmd.Mode == TStartMode::TextBatch && !TrimBlanks(Cmd.P1).empty())
        file = "report file " + FileNameToOem(BatchReportPath(CommandLineProjectPath(Cmd.P1)));
    if (Cmd.Mode == TStartMode::CadBatch && !TrimBlanks(Cmd.P1).empty()) {
        const std::string target = CadBatchTarget(ParseCadSwitch(Cmd.P2).Device);
        file = target.empty() ? target : "CAD file " + FileNameToOem(target);
    }
    return (file.empty() ? file : file + " could not be written: ") + privatetempdir.Failure;
}

bool ModifiedSince(const std::string& File, const struct stat& Before, bool Existed)
{
    struct stat after {
    };
    if (::stat(NativePath(File).c_str(), &after) != 0) return false;
    if (!Existed) return true;
    return after.st_mtim.tv_sec != Before.st_mtim.tv_sec || after.st_mtim.tv_nsec != Before.st_mtim.tv_nsec ||
           after.st_size != Before.st_size || after.st_ino != Before.st_ino;
}

// The system's cause of a project file that cannot be opened, where "not
// found or no access" does not say it already: a directory of that name, a
// name too long, a loop of links.
std::string OpenRefusalCause(const std::string& Path)
{
    const int error = OpenToReadError(Path);
    return error == 0 || error == ENOENT || error == EACCES ? std::string() : ": " + ErrnoText(error);
}

// Reads the project named on the command line without any box: a batch run
// explains a failure in its one line, the interactive open in its own box.
bool ReadCommandLineProject(const std::string Name, std::string& Why)
{
    // A name without extension gets the project extension; the extension is
    // judged on the file name alone, so "../examples/default" is read as
    // "../examples/default.qy7".
    const std::string path = CommandLineProjectPath(Name);
    const bool messages = telmvar.MessagesEnabled;
    telmvar.MessagesEnabled = false;
    ResetErrorState();
    ClearErrorMessages();
    ReadProjectFile(path);
    telmvar.MessagesEnabled = messages;
    if (!telmvar.Aborted) return true;
    if (!FileCanOpen(path)) {
        Why = "project file " + FileNameToOem(path) + " not found or no access" + OpenRefusalCause(path);
        // The user typed the other name: say how the one looked for came about.
        if (path != Name)
            Why += " (" + FileNameToOem(Name) + " has no extension, ." + telmvar.DataExt + " added)";
        // The file of that name may well be there: the system looked for
        // another one.
        const std::string backslash = BackslashNameText(path);
        if (!backslash.empty()) Why += " (" + backslash + ")";
    } else {
        Why = "project file " + FileNameToOem(path) + " cannot be read";
        const std::string detail = LastMessage();
        if (!detail.empty()) Why += ": " + detail;
    }
    return false;
}

} // namespace

void InstallPlatformServices()
{
    // The report engine's own platform defaults stay for the dates, the
    // result window, printing and launching; the message boxes, questions,
    // prompts, file dialogs and file checks are the program's.
    TReportServices& S = reportservices;
    S.AskYesNoCancel = [](const std::string& Q) { return AskYesNoCancel(Q); };
    S.QueryYesNo = [](const std::string& Q) { return QueryYesNo(Q); };
    S.SaveFileDialog = [](const std::string& Name, std::string& Path) { SaveFileDialog(Name, Path); };
    S.CheckFileName = [](const std::string& Path) { CheckFileName(Path); };
    S.CheckFileExists = [](const std::string& Path) { return CheckFileReadable(Path); };
    S.ShowMessageBox = [](const std::string& T) { ShowMessageBox(T); };
    S.ShowMessageCaption = [](const std::string& C, const std::string& T) { ShowMessageCaption(C, T); };
    S.ShowMessageIfEnabled = [](const std::string& T) { ShowMessageIfEnabled(T); };
    S.AskSelect = [](const std::string& Prompt, int Count, uint16_t& Choice) {
        AskSelect(Prompt, static_cast<uint16_t>(Count), Choice);
    };
    S.SetInputHelpNumber = [](int No) { SetInputHelpNumber(static_cast<uint16_t>(No)); };
    S.ShowHelpText = [](int No, int Spare, int Mode) {
        ShowHelpText(static_cast<uint16_t>(No), Spare, Mode);
    };
    S.SetHourglassCursor = [] { SetHourglassCursor(); };
    S.RestoreCursor = [] { RestoreCursor(); };
    // The result window and the file preview take their menus from the
    // menu texts of the language the main window shows.
    S.WindowMenuTexts = [] {
        const TGeneralMenuTexts& t = menutexts;
        return TWindowMenuTexts{t.MenuTextFile,      t.MenuTextPrint, t.MenuTextExit, t.MenuTextEdit,
                                t.MenuTextSelectAll, t.MenuTextCopy,  t.MenuTextHelp, GeneralCodePage()};
    };

    // The table browser prints through the report engine and shows the
    // shell's help; its HTML page carries the shell's date and time.
    InstallTablePrint();
    tablebrowserservices.ShowHelpText = S.ShowHelpText;
    bearingdialogservices.HelpHint = [](uint16_t No) { return GetHelpHint(No); };
    bearingdialogservices.ShowHelp = [](uint16_t No, int Mode) { ShowHelpText(No, 0, Mode); };
    tablebrowserservices.TodayDateText = [] { return reportservices.TodayDateText(); };
    tablebrowserservices.NowTimeText = [] { return reportservices.NowTimeText(); };

    // A print to a file is written beside it as the program's other files
    // are: a run ended by a signal takes it along.
    platform::PrintFiles() = {MakeTempFileBeside, UnmarkTempFile};

    graphservices.AskText = [](const std::string& P, int Max, std::string& T) { AskText(P, Max, T); };
    graphservices.AskFileName = [](const std::string& P, int Max, std::string& N) { AskFileName(P, Max, N); };
    graphservices.AskLengthInRange = [](const std::string& P, Extended& V, Extended Lo, Extended Hi) {
        AskLengthInRange(P, V, Lo, Hi);
    };
    graphservices.AskWordInRange = [](const std::string& P, uint16_t& V, uint16_t Lo, uint16_t Hi) {
        AskWordInRange(P, V, Lo, Hi);
    };
    graphservices.AskDoubleInRange = [](const std::string& P, Extended& V, Extended Lo, Extended Hi) {
        AskValueInRange(P, V, Lo, Hi);
    };
    graphservices.AskYesNoFlag = [](const std::string& P, bool& F) { AskYesNoFlag(P, F); };
    graphservices.AskSelect = [](const std::string& P, int Count, uint16_t& Choice) {
        AskSelect(P, static_cast<uint16_t>(Count), Choice);
    };
    graphservices.AskIntInRange = [](const std::string& P, int32_t& V, int32_t Lo, int32_t Hi) {
        AskIntInRange(P, V, Lo, Hi);
    };
    graphservices.ReadHelpHint = [](int No) {
        std::string hint;
        ReadHelpHint(static_cast<uint16_t>(No), hint);
        return hint;
    };
    graphservices.EnterDiagramLimits = [](const std::string& XL, const std::string& YL, const std::string& T,
                                          Extended X1, Extended Y1, Extended X2,
                                          Extended Y2) { RunDiagramLimitsDialog(XL, YL, T, X1, Y1, X2, Y2); };
    // The load spectrum diagrams and tables of the load spectrum output menu.
    S.DrawLoadSpectrumDiagram = [](int Kind, int Device) {
        DrawLoadSpectrumDiagram(static_cast<uint16_t>(Kind), Device);
    };

    dialogservices.ToggleUnitSystem = [] { ToggleUnitSystem(); };
    dialogservices.PlaceDialog = [](TDialogPlace& P) {
        TFormPlacement f;
        f.DesignedWidth = P.Width;
        f.DesignedHeight = P.Height;
        f.Left = P.Left;
        f.Top = P.Top;
        f.Width = P.Width;
        f.Height = P.Height;
        ScaleDialogForm(f);
        P = {f.Left, f.Top, f.Width, f.Height, f.ContentScale};
    };
    dialogservices.ShowAuxiliaryImages = [] { ShowAuxiliaryImages(); };
    // The IGES, text CAD and STL outputs of the device menu, and the
    // drawings the CAD batch mode writes.
    RegisterCadWriters();
    InstallCadExports();

    filenamedialogs.SaveFileDialog = [](const std::string& Name, std::string& Path) {
        SaveFileDialog(Name, Path);
    };
    filenamedialogs.OpenFileDialog = [](const std::string& Name, std::string& Path) {
        OpenFileDialog(Name, Path);
    };
}

TStartOutcome ThhFormCreate(const TCommandLine& Cmd)
{
    InstallPlatformServices();
    // The menu captions and the graphics window's display list come with the
    // menus and the graphics window.
    InitProgramIdentity();
    ReadConfigFile();
    telmvar.Aborted = false;
    ReadSessionFile();
    telmvar.Aborted = false;
    // The table browser of the Database menu, owned by the main window.
    ResetDbf4();
    startup.TableBrowserCreated = true;
    const TStartOutcome outcome = StartupAndCommandLine(Cmd);
    if (outcome.EndProcess) return outcome;
    telmvar.Aborted = false;
    SizeMainWindow();
    UpdateAppTitle();
    return outcome;
}

TStartOutcome RunTextBatch(const TCommandLine& Cmd)
{
    std::string why;
    if (TrimBlanks(Cmd.P1).empty()) {
        // An empty name would ask with the open dialog: nobody is there.
        ReportStartFailure("no project file named");
        return {true, ExitProjectUnreadable};
    }
    // Every way out of this routine takes the report's working copy along.
    const TReportWorkingCopyGuard workingCopy;
    if (!ReadCommandLineProject(Cmd.P1, why)) {
        ReportStartFailure(why);
        return {true, ExitProjectUnreadable};
    }
    // "wqyr7 proj.txt /I" would write the report over the project it read.
    const std::string project = CommandLineProjectPath(Cmd.P1);
    if (SameExistingFile(project, BatchReportPath(project))) {
        ReportStartFailure("report file " + FileNameToOem(BatchReportPath(project)) +
                           " is the project file " + FileNameToOem(project) +
                           " itself: not written, the project stays as it is");
        return {true, ExitReportNotWritten};
    }
    reportengine.ReportProjectFile = ReportedProjectPath(project);
    telmvar.ProjectName = ExtractBaseName(Cmd.P1);
    wtelmvar.TextDeviceDialog = false;
    wtelmvar.TextDevice = 9;
    // The report prints results: the stage is calculated from what was read
    // rather than trusting whatever the records held before.
    telmvar.Aborted = false;
    CalcPlanetaryStage();
    const bool fatal = telmvar.FatalCalcError;
    telmvar.Aborted = false;
    const std::string target = telmvar.ProjectName + ".txt";
    struct stat before {
    };
    const bool existed = ::stat(NativePath(target).c_str(), &before) == 0;
    reportengine.ReportWriteFailed = false;
    textfile.LastWriteFailure.clear();
    TBatchReportBoxes boxes;
    // A stage that cannot be judged gets the message list as its report, as
    // the window shows it in place of the report.
    if (fatal)
        PrintPlanetaryMessagesReport();
    else
        PrintPlanetaryReport(0);
    const bool written =
        !telmvar.Aborted && !reportengine.ReportWriteFailed && ModifiedSince(target, before, existed);
    if (written) boxes.PassOn();
    // The file that failed and the system's reason: the working copy in a
    // full temporary directory fails before the report itself is touched.
    const std::string failure = textfile.LastWriteFailure.empty() ? boxes.Last() : textfile.LastWriteFailure;
    const std::string cause = failure.empty() ? std::string() : ": " + failure;
    if (fatal)
        ReportStartFailure("stage of " + FileNameToOem(Cmd.P1) + " cannot be calculated: " + FatalMessage());
    if (!written) {
        ReportTempDirFault();
        ReportStartFailure("report file " + FileNameToOem(target) + " could not be written" + cause);
    }
    const std::string listedFatal = fatal || !written ? std::string() : FatalListedMessage();
    if (!listedFatal.empty())
        ReportStartFailure("report file " + FileNameToOem(target) +
                           " written, its message list holds: " + listedFatal);
    ReportLeftOutMessages();
    if (fatal || !written) return {true, ExitReportNotWritten};
    return {true, listedFatal.empty() ? ExitOk : ExitFatalMessage};
}

namespace
{

// The platform of a CAD batch run: nobody answers, questions get their safe
// answer (the STL height keeps its preset), and the plot device starts its
// program for real. The questions are kept, not printed: a run that writes
// its file says nothing about them, one that fails names them.
struct TCadBatchParts : platform::detail::HeadlessParts {
    TCadBatchParts() : HeadlessParts(platform::HeadlessMode::Batch) { Session.Questions = &Answered; }
    platform::LauncherImplPosix PlotLauncher;
    std::ostringstream Answered;
};

class TCadBatchPlatform final : private TCadBatchParts, public platform::Platform
{
  public:
    TCadBatchPlatform()
        : Platform(MessagesImpl, FilesImpl, PromptsImpl, DialogsImpl, WindowImpl, PrinterImpl, ClipboardImpl,
                   PlotLauncher, CursorImpl, SoundImpl)
    {
    }
    // The questions answered so far, joined for one line.
    std::string Questions() const
    {
        std::string asked = Answered.str();
        while (!asked.empty() && asked.back() == '\n')
            asked.pop_back();
        std::replace(asked.begin(), asked.end(), '\n', ';');
        return asked;
    }
};

// The settings a CAD batch run changes, put back however it ends: the file
// goes under the project's name without a save dialog and is never opened
// with its program, and the messages of the drawing are collected for the
// one line the batch writes rather than shown.
class TCadBatchSettings
{
  public:
    TCadBatchSettings()
        : skip_(wtelmvar.CadSkipSaveDialog), exec_(cadsettings.CadExecFile),
          ifEnabled_(reportservices.ShowMessageIfEnabled), box_(reportservices.ShowMessageBox)
    {
        wtelmvar.CadSkipSaveDialog = true;
        cadsettings.CadExecFile = false;
        reportservices.ShowMessageIfEnabled = [this](const std::string& T) { messages_.push_back(T); };
        reportservices.ShowMessageBox = [this](const std::string& T) { messages_.push_back(T); };
    }
    ~TCadBatchSettings()
    {
        wtelmvar.CadSkipSaveDialog = skip_;
        cadsettings.CadExecFile = exec_;
        reportservices.ShowMessageIfEnabled = ifEnabled_;
        reportservices.ShowMessageBox = box_;
    }
    TCadBatchSettings(const TCadBatchSettings&) = delete;
    TCadBatchSettings& operator=(const TCadBatchSettings&) = delete;

    // What the drawing and the CAD layer said, joined for one line.
    std::string Messages() const
    {
        std::string all;
        for (const auto& m : messages_)
            all += (all.empty() ? "" : "; ") + m;
        return all;
    }

  private:
    bool skip_;
    bool exec_;
    std::function<void(const std::string&)> ifEnabled_;
    std::function<void(const std::string&)> box_;
    std::vector<std::string> messages_;
};

// Why a switch is refused before anything is read (exit 5).
std::string RefusedCadSwitch(const std::string& P2, const TCadSwitch& S)
{
    if (!S.Valid)
        return "switch " + CommandLineShownText(P2) + " not understood, use " + "/CADi:j  -> CAD File";
    switch (CadDeviceKind(S.Device)) {
    case TCadDeviceKind::Asks:
        return "CAD device 0 asks for the output device, nobody answers in a batch run (1=DXF, 2=IGS, "
               "4=KORVILT, "
               "5=TXT, 6=STL)";
    case TCadDeviceKind::Screen:
        return "CAD device 3 draws on the screen, a batch run has none";
    case TCadDeviceKind::NoSuchCode:
        return "CAD device " + std::to_string(S.Device) +
               " does not exist (1=DXF, 2=IGS, 4=KORVILT, 5=TXT, 6=STL)";
    default:
        break;
    }
    switch (CadIndexKind(S.Index)) {
    case TCadIndexKind::OutsideTable:
        return "drawing " + std::to_string(S.Index) + " does not exist (index 1 to 28)";
    case TCadIndexKind::NoFile:
        return "drawing " + std::to_string(S.Index) +
               " only calculates the mesh of the sun, it writes no file";
    default:
        return {};
    }
}

} // namespace

TStartOutcome RunCadBatch(const TCommandLine& Cmd)
{
    const TCadSwitch sw = ParseCadSwitch(Cmd.P2);
    const std::string refused = RefusedCadSwitch(Cmd.P2, sw);
    if (!refused.empty()) {
        ReportStartFailure(refused);
        return {true, ExitSwitchNotServed};
    }
    if (!CadExportRegistered(sw.Index)) {
        ReportStartFailure("drawing " + std::to_string(sw.Index) + " is not available yet");
        return {true, ExitNotAvailable};
    }
    if (TrimBlanks(Cmd.P1).empty()) {
        ReportStartFailure("no project file named");
        return {true, ExitProjectUnreadable};
    }
    std::string why;
    if (!ReadCommandLineProject(Cmd.P1, why)) {
        ReportStartFailure(why);
        return {true, ExitProjectUnreadable};
    }
    telmvar.ProjectName = ExtractBaseName(Cmd.P1);
    // The drawings show results: the stage is calculated from what was read,
    // as the text batch does.
    telmvar.Aborted = false;
    CalcPlanetaryStage();
    telmvar.Aborted = false;
    if (telmvar.FatalCalcError) {
        ReportStartFailure("stage of " + FileNameToOem(Cmd.P1) + " cannot be calculated: " + FatalMessage() +
                           "; drawing " + std::to_string(sw.Index) + " not written");
        return {true, ExitReportNotWritten};
    }
    // A step whose result cannot be trusted although the stage was
    // calculated: the drawing is made, and the run says so as the text
    // batch does (a drawing's own mesh calculation starts a new list).
    std::string listedFatal = FatalListedMessage();

    TCadBatchPlatform batchPlatform;
    const platform::ScopedPlatform scope(batchPlatform);
    const TCadBatchSettings settings;
    const std::string target = CadBatchTarget(sw.Device);
    // "wqyr7 proj.txt /CAD5:1" would write the text CAD code over the project.
    const std::string project = CommandLineProjectPath(Cmd.P1);
    if (SameExistingFile(project, target)) {
        ReportStartFailure("CAD file " + FileNameToOem(target) + " is the project file " +
                           FileNameToOem(project) + " itself: not written, the project stays as it is");
        return {true, ExitReportNotWritten};
    }
    struct stat before {
    };
    const bool existed = ::stat(NativePath(target).c_str(), &before) == 0;
    {
        const TCadOutputScope output;
        ExportCadByIndex(sw.Device, sw.Index);
    }
    const bool aborted = telmvar.Aborted;
    telmvar.Aborted = false;
    const bool written = !aborted && ModifiedSince(target, before, existed);
    const std::string said = settings.Messages();
    if (telmvar.FatalCalcError) {
        ReportStartFailure("drawing " + std::to_string(sw.Index) + " of " + FileNameToOem(Cmd.P1) +
                           " cannot be calculated: " + FatalMessage() +
                           (written ? "" : "; " + FileNameToOem(target) + " not written"));
        return {true, ExitReportNotWritten};
    }
    if (!written) {
        ReportTempDirFault();
        // The questions were asked in Windows text, as the boxes show them.
        const std::string asked = AnsiTextToOem(batchPlatform.Questions());
        ReportStartFailure("CAD file " + FileNameToOem(target) + " could not be written" +
                           (said.empty() ? "" : ": " + said) +
                           (asked.empty() ? "" : " (answered for the user: " + asked + ")"));
        return {true, ExitReportNotWritten};
    }
    if (!said.empty()) {
        // Written, but something went wrong on the way: for the plot
        // device, its program did not start.
        ReportStartFailure(sw.Device == 4 ? "plot program of " + FileNameToOem(target) + ": " + said : said);
        return {true, ExitReportNotWritten};
    }
    // The plot program runs on after this run and reads its file then.
    if (sw.Device == 4 && target.rfind(privatetempdir.Dir, 0) == 0) KeepPrivateTempDir();
    if (listedFatal.empty()) listedFatal = FatalListedMessage();
    if (!listedFatal.empty()) {
        ReportStartFailure("CAD file " + FileNameToOem(target) +
                           " written, its message list holds: " + listedFatal);
        return {true, ExitFatalMessage};
    }
    return {true, ExitOk};
}

TStartOutcome StartupAndCommandLine(const TCommandLine& Cmd)
{
    InitProgramIdentity();
    telmvar.Aborted = false;
    telmvar.MessagesEnabled = true;
    CheckConfigDirs();
    telmvar.DataDir.clear();
    // Without a directory of its own the run's working files would go among
    // the user's files or meet another run's: it ends, saying why.
    if (privatetempdir.Dir.empty() && !privatetempdir.Failure.empty() && Cmd.Mode != TStartMode::Usage) {
        if (Cmd.Mode == TStartMode::CadBatch && !TrimBlanks(Cmd.P1).empty())
            telmvar.ProjectName = ExtractBaseName(Cmd.P1);
        const std::string text = NoRunDirectoryText(Cmd);
        if (startup.Interactive) ShowMessageIfEnabled(text);
        ReportTempDirFault();
        ReportStartFailure(text);
        return {true, ExitReportNotWritten};
    }

    switch (Cmd.Mode) {
    case TStartMode::Gui:
        break;
    case TStartMode::Usage:
        // The shell shows the usage text before any window exists.
        SetUsageText();
        return {true, ExitOk};
    case TStartMode::ExchangeGui:
        telmvar.ProjectName = Cmd.P1;
        telmvar.DataDir.clear();
        // The named file is not read: a plain Save must not put the built-in
        // data over it without asking.
        messageboxes.UnreadProjectPath = Cmd.P1;
        break;
    case TStartMode::TextBatch:
    case TStartMode::CadBatch:
        if (!Cmd.SecondBatchSwitch.empty()) {
            // Neither is what the user asked for alone: nothing is written.
            ReportStartFailure(
                CommandLineShownText(Cmd.P2) + " and " + CommandLineShownText(Cmd.SecondBatchSwitch) +
                " given together: one run serves one batch mode and writes one file, nothing written");
            return {true, ExitSwitchNotServed};
        }
        telmvar.ProjectName = Cmd.P1;
        if (Cmd.Mode == TStartMode::TextBatch) return RunTextBatch(Cmd);
        return RunCadBatch(Cmd);
    case TStartMode::MissingExtension: {
        // "wqyr7 /NOGUI /I": a switch where the name belongs is no name
        // without its extension, the name is missing.
        if (IsProgramSwitch(Cmd.P1)) {
            const std::string text = "no project file named";
            if (startup.Interactive) ShowMessageIfEnabled(text);
            ReportStartFailure(text);
            return {true, ExitMissingExtension};
        }
        const std::string text = "extension ." + telmvar.DataExt + " " + "missing";
        if (startup.Interactive) ShowMessageIfEnabled(text);
        ReportStartFailure(FileNameToOem(Cmd.P1) + ": " + text);
        return {true, ExitMissingExtension};
    }
    case TStartMode::InteractiveOpen: {
        telmvar.ProjectName = Cmd.P1;
        std::string why;
        const bool read = ReadCommandLineProject(Cmd.P1, why);
        telmvar.ArchiveMode = true;
        telmvar.MessagesEnabled = true;
        if (!read && !startup.Interactive) {
            // Nobody is there to see the built-in stage stand in for the
            // named one: the start fails as a batch run does.
            ReportStartFailure(why);
            return {true, ExitProjectUnreadable};
        }
        if (!read) {
            telmvar.Aborted = false;
            // Only the name is checked: no overwrite question, and the file
            // stays as it is whatever the check finds.
            const bool query = messageboxes.OverwriteQuery;
            messageboxes.OverwriteQuery = false;
            CheckFileName(Cmd.P1);
            messageboxes.OverwriteQuery = query;
            if (telmvar.Aborted) {
                ReportStartFailure(why);
                return {true, ExitProjectUnreadable};
            }
            ShowMessageBox(why);
            // Nothing was read: the built-in stage stands, and a plain Save
            // asks before it goes over the named file.
            messageboxes.UnreadProjectPath = Cmd.P1;
        }
        break;
    }
    }

    // The program runs with its window.
    if (telmvar.ArchiveMode) {
        telmvar.DataDir.clear();
    } else {
        SetHourglassCursor();
        telmvar.DataDir = AddTrailingBackslash(wtelmvar.DefaultDataDir) + telmvar.DataDir;
        // The start logo on its own world window.
        GraphFacade.SetLogoWindow();
        GraphFacade.DrawLogo();
        if (FileCanOpen(AddTrailingBackslash(telmvar.DataDir) + "null." + telmvar.DataExt)) {
            ReadProjectFile("null");
            messageboxes.UnreadProjectPath.clear();
            telmvar.ProjectName.clear();
        }
    }
    telmvar.Aborted = false;
    CalcPlanetaryStage();
    telmvar.Aborted = false;
    telmvar.DataModified = false;
    startup.StartPictureFound = FileCanOpen(AddTrailingBackslash(telmvar.PltDir) + "start.plt");
    return {false, ExitOk};
}

void EndBatchProcess(int ExitCode)
{
    CloseAll();
    ResetDbf4();
    // An output still open here was never finished: its temporary file goes,
    // the file it was to replace stays.
    if (textfile.SharedTextFile.IsOpen()) textfile.SharedTextFile.Abandon();
    if (CadOutputIsOpen()) CadAbandonOutput();
    RemovePrivateTempDir();
    std::fflush(nullptr);
    std::_Exit(ExitCode);
}

void ThhFormDestroy()
{
    WriteSessionFile();
    ResetDbf4();
    RemovePrivateTempDir();
    startup.TableBrowserCreated = false;
}
