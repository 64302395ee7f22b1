#include "app/projecttable.h"

#include "app/projectcommands.h"
#include "dialogs/fileguard.h"
#include "dialogs/messageboxes.h"
#include "foundation/codepage.h"
#include "foundation/datetexts.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/suggestions.h"
#include "platform/platform.h"
#include "reports/engine/launchfailure.h"
#include "reports/messages/messagelist.h"
#include "reports/preview/filepreview.h"
#include "reports/stage/planetaryreport.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

namespace
{

std::string Fixed(int IntDigits, int Decimals, Extended X)
{
    return FormatFloatFixed(IntDigits, Decimals, X);
}

std::time_t FileTimeOf(const std::string& Path)
{
    struct stat st {
    };
    return ::stat(Path.c_str(), &st) == 0 ? st.st_mtime : 0;
}

// The smaller of the two gears' safeties of a mesh.
Extended MeshMin(const SlotArray& S, int Mesh)
{
    return std::min(S[1][Mesh], S[2][Mesh]);
}

} // namespace

std::vector<std::string> ProjectTableHeader()
{
    const std::string len = LengthUnitLabel();
    const std::string torque = TorqueUnitLabel();
    const std::string deg = DisplayText(DegreeSign());
    std::vector<std::string> h{"File", "Date  y/m/d", "No.S",          "No.Pi",       "No.Pe",
                               "No.H", "No.Gear",     "mn  " + len,    "zS",          "zPi",
                               "zPe",  "zH",          "alpha  " + deg, "\xDF  " + deg};
    for (const char* d : {"dS ", "dPi ", "dPe ", "dH "})
        h.push_back(d + len);
    h.push_back("bH" + len);
    h.push_back("qp");
    for (const char* t : {"TS ", "TC ", "TH "})
        h.push_back(t + torque);
    for (const char* s :
         {"PS  kW", "PC  kW", "PH  kW", "nS  /min", "nC  /min", "nH  /min", "nPi /min", "nPe /min"})
        h.push_back(s);
    for (const char* g : {"S", "Pi", "Pe", "H"}) {
        h.push_back(std::string("Mat.") + g);
        h.push_back(std::string("Sig.Hlim") + g);
        h.push_back(std::string("Sig.FE") + g);
    }
    // The mesh of the inner and outer planets is Pi-Pe.
    for (const char* s :
         {"SH-SPi", "SF-SPi", "SH-PiPe", "SF-PiPe", "SH-PeH", "SF-PeH", "i", "input", "output"})
        h.push_back(s);
    return h;
}

std::vector<std::string> UnreadableProjectRow(const std::string& FileName, std::time_t FileTime)
{
    std::vector<std::string> row(ProjectTableColumns);
    row[0] = FileName;
    row[1] = FileDateText(FileTime);
    row[2] = "not readable";
    return row;
}

std::vector<std::string> ProjectTableRow(const std::string& FileName, std::time_t FileTime)
{
    const TPlanetaryGears& g = PlanetaryGears;
    const TPlanetaryStage& s = PlanetaryStage;
    const TGearPairData& p = GearPair;
    std::vector<std::string> r;
    r.reserve(ProjectTableColumns);
    r.push_back(FileName);
    r.push_back(FileDateText(FileTime));
    for (int i : {1, 2, 3, 4, 0})
        r.push_back(DisplayText(g.PartNumber[i]));
    r.push_back(FormatLengthFixed(3, 3, p.mn));
    for (int i = 1; i <= 4; ++i)
        r.push_back(IntToText(g.z[i]));
    r.push_back(Fixed(3, 2, p.alpha));
    r.push_back(Fixed(3, 2, p.beta));
    for (int i = 1; i <= 4; ++i)
        r.push_back(FormatLengthFixed(4, 2, g.d[i]));
    r.push_back(FormatLengthFixed(4, 1, g.b[gH]));
    r.push_back(IntToText(p.qp));
    // Results: none shown for a project whose calculation failed.
    const bool results = !telmvar.FatalCalcError;
    auto result = [results](std::string text) { return results ? text : std::string(); };
    for (int k = 1; k <= 3; ++k)
        r.push_back(result(FormatTorqueFixed(5, 1, s.T[k])));
    for (int k = 1; k <= 3; ++k)
        r.push_back(result(Fixed(3, 3, s.P[k])));
    for (int k = 1; k <= 3; ++k)
        r.push_back(result(Fixed(5, 0, s.n[k])));
    for (int k = 1; k <= 2; ++k)
        r.push_back(result(Fixed(5, 0, s.npC[k])));
    for (int i = 1; i <= 4; ++i) {
        r.push_back(DisplayText(g.MaterialName[i]));
        r.push_back(FormatStressFixed(4, 0, g.SigmaHlim[i]));
        r.push_back(FormatStressFixed(4, 0, g.Sigma_FE[i]));
    }
    for (int m = 1; m <= 3; ++m) {
        r.push_back(result(Fixed(3, 2, MeshMin(g.SH, m))));
        r.push_back(result(Fixed(3, 2, MeshMin(g.SF, m))));
    }
    r.push_back(result(Fixed(3, 2, s.i)));
    r.push_back(ShaftLetter(PlanetaryShafts.InputShaft));
    r.push_back(ShaftLetter(PlanetaryShafts.OutputShaft));
    return r;
}

std::vector<std::string> ProjectFilesOf(const std::string& Dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    const std::string ext = "." + LowerCaseText(telmvar.DataExt);
    for (std::filesystem::directory_iterator it(Dir.empty() ? "." : Dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code fe;
        if (!it->is_regular_file(fe)) continue;
        const std::string name = it->path().filename().string();
        if (name.size() > ext.size() && LowerCaseText(name.substr(name.size() - ext.size())) == ext)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void FillProjectTable(TForm_preview& Form)
{
    const std::vector<std::string> files = ProjectFilesOf(telmvar.DataDir);
    Form.SetSize(static_cast<int>(files.size()) + 1, ProjectTableColumns);
    Form.Cells[0] = ProjectTableHeader();
    Form.FileNameColumn = 0;
    Form.ColWidths.assign(ProjectTableColumns, 64);
    for (int c = 2; c <= 6; ++c)
        Form.ColWidths[static_cast<std::size_t>(c)] = 90;
    for (int c : {31, 34, 37, 40})
        Form.ColWidths[static_cast<std::size_t>(c)] = 60;
    const std::string dataDir = telmvar.DataDir;
    // Messages of the projects are collected, never shown in a box: a
    // directory of many projects would otherwise stop at each one.
    const bool messages = telmvar.MessagesEnabled;
    telmvar.MessagesEnabled = false;
    for (std::size_t k = 0; k < files.size(); ++k) {
        const std::string path = AddTrailingBackslash(dataDir) + files[k];
        SetHourglassCursor();
        platform::CurrentPlatform().MainWindow().SetTitleWithFileName(
            DisplayText(telmvar.ProgramTitle) + " -> ", files[k]);
        telmvar.Aborted = false;
        ReadProjectFile(path);
        const std::time_t when = FileTimeOf(path);
        if (telmvar.Aborted) {
            Form.Cells[k + 1] = UnreadableProjectRow(files[k], when);
        } else {
            // Each row shows this project's own results, not what the
            // previous one left in the records.
            CalcPlanetaryStage();
            Form.Cells[k + 1] = ProjectTableRow(files[k], when);
        }
        telmvar.DataDir = dataDir;
    }
    telmvar.MessagesEnabled = messages;
    telmvar.Aborted = false;
    SetArrowCursor();
}

void ProjectTableCommand(const std::function<void()>& Refresh)
{
    telmvar.Aborted = false;
    // Filling the table reads every project into the records. The project
    // that was open comes back when the user opens none: an answer "No" to
    // the save question gave nothing up yet, so its input stays unsaved.
    const bool unsaved = telmvar.DataModified;
    QuerySaveChanges();
    if (telmvar.Aborted) return;
    const TProjectData project = CaptureProject();
    const std::string projectName = telmvar.ProjectName;
    // Reading the directory's projects leaves the archive mode (the name
    // then no longer holds a whole path); a project started from its path
    // keeps it when none is opened, or its name would be shown and saved
    // with the extension twice.
    const bool archiveMode = telmvar.ArchiveMode;
    telmvar.ProjectName.clear();
    TForm_preview form;
    FillProjectTable(form);
    // The records hold the directory's last project, which nobody opened;
    // its messages belong to no project shown, and a project that fails to
    // open must not show them as its own.
    telmvar.ProjectName.clear();
    ResetErrorState();
    const std::string dataDir = telmvar.DataDir;
    bool opened = false;
    for (;;) {
        telmvar.Aborted = false;
        form.SelectedRow = 0;
        if (!ShowFilePreview(form)) break;
        const std::string file = form.Cell(form.SelectedRow, 0);
        // The table lists "b.QY7" too: kept as "b", it would be saved as b.qy7.
        if (const std::string refusal = ProjectFileRefusal(AddTrailingBackslash(dataDir) + file);
            !refusal.empty()) {
            ShowMessageBox(refusal);
            continue;
        }
        const TProjectPlace place = CurrentProjectPlace();
        telmvar.ProjectName = FileNameNoExt(file);
        std::string why;
        if (ReadProjectFile(AddTrailingBackslash(dataDir) + file, why)) {
            opened = true;
            CalcPlanetaryStage();
            telmvar.Aborted = false;
            telmvar.DataModified = false;
            AddRecentFile(telmvar.ProjectName);
            if (Refresh) Refresh();
            UpdateCaption();
        } else {
            // Said as File > Open says it, with the file, its line and why;
            // the table stays open for another choice. The data in memory
            // are still those of before, and so is their name, or a Save
            // would write them over the file that could not be read.
            RestoreProjectPlace(place);
            if (!why.empty()) ShowMessageIfEnabled(why);
        }
    }
    if (!opened) {
        // Records, results and messages as they were; the picture in the
        // window still shows this project.
        CommitProject(project);
        GearPair = project.Pair;
        telmvar.ProjectName = projectName;
        telmvar.ArchiveMode = archiveMode;
        telmvar.DataDir = dataDir;
        const bool cancelled = telmvar.Aborted;
        CalcPlanetaryStage();
        telmvar.Aborted = cancelled;
        telmvar.DataModified = unsaved;
    }
    UpdateCaption();
}

void StartExcel()
{
    if (telmvar.ProjectName.empty()) {
        ShowMessageBox(
            "You must save your input data before you can use Excel interface (Menu \"File -> Save\")");
        telmvar.Aborted = true;
        return;
    }
    SetHourglassCursor();
    const platform::LaunchResult there = platform::CurrentPlatform().Launch().FindApplicationFor("text/csv");
    SetArrowCursor();
    if (!there.Started) {
        ShowLaunchFailure("Could not start Excel", there);
        telmvar.Aborted = true;
    }
}

void ExportToExcel()
{
    telmvar.Aborted = false;
    if (telmvar.DataModified) {
        SaveProject(telmvar.ProjectName);
        if (!telmvar.Aborted) telmvar.DataModified = false;
    }
    if (!telmvar.Aborted) ExportTextFileToExcel(telmvar.ProjectName);
}

void PrintoutViaExcel(int Part)
{
    telmvar.Aborted = false;
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    const platform::LaunchResult there = platform::CurrentPlatform().Launch().FindApplicationFor("text/csv");
    if (!there.Started) {
        ShowLaunchFailure("Could not start Excel", there);
        return;
    }
    const bool dialog = wtelmvar.TextDeviceDialog;
    const uint16_t device = wtelmvar.TextDevice;
    wtelmvar.TextDeviceDialog = false;
    wtelmvar.TextDevice = 6;
    PrintPlanetaryReport(static_cast<uint16_t>(Part));
    wtelmvar.TextDevice = device;
    wtelmvar.TextDeviceDialog = dialog;
    if (telmvar.Aborted) return;
    ExportTextFileToExcel(AddTrailingBackslash(telmvar.TempDir) + "$$" + IntToText(telmvar.TempFileCounter) +
                          ".txt");
}
