#include "app/configdirs.h"

#include "app/configio.h"
#include "app/privatetempdir.h"
#include "dialogs/messageboxes.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/runtempdir.h"
#include "foundation/textutil.h"
#include "platform/platform.h"

#include <cstring>
#include <filesystem>
#include <system_error>

std::string ShippedDataDir(const std::string& ProgramDir)
{
    if (ProgramDir.empty()) return "";
    const std::filesystem::path data = std::filesystem::path(ProgramDir) / "data";
    std::error_code ec;
    return std::filesystem::is_directory(data, ec) ? AddTrailingBackslash(data.string()) : "";
}

namespace
{

// The message of a configured directory that cannot serve, and on the next
// line which directory it is and why: "invalid DBF Directory configured"
// alone left the user guessing which setting and why.
void ReportInvalidDir(const std::string& What, const std::string& Dir, int Error)
{
    ShowMessageIfEnabled("invalid " + What + " configured\n" + FileNameToOem(Dir) + ": " +
                         NameRefusalCause(Dir, Error));
}

} // namespace

void CheckConfigDirs()
{
    configio.TempDirFault.clear();
    const std::string start = AddTrailingBackslash(telmvar.StartDir);
    // Without a configured one, the catalogue tables and help files are the
    // ones the program ships in "data" beside it; only without those does
    // the start directory stand in.
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string shipped = ec ? std::string() : ShippedDataDir(exe.parent_path().string());
    if (!shipped.empty()) {
        for (std::string* dir : {&telmvar.DbfDir, &telmvar.PltDir})
            if (TrimBlanks(*dir).empty()) *dir = shipped;
    }
    // Without a configured temporary directory the run's working files go
    // to one of its own rather than among the user's files.
    bool madeTemp = false;
    if (TrimBlanks(telmvar.TempDir).empty()) {
        madeTemp = privatetempdir.Dir.empty();
        telmvar.TempDir = MakePrivateTempDir();
        // None could be made: the start directory, the user's, is no stand-in
        // (the start says why and ends), so it is not even probed.
        if (telmvar.TempDir.empty()) return;
    }
    // A directory nobody configured stands for the start directory (the data
    // directory is that by default). The start directory that cannot be
    // written is no "invalid ... configured" directory: the file that needs
    // it fails and says why (a read-only working folder once earned three
    // such lines about settings nobody had made).
    const auto configured = [&start](const std::string& Dir) {
        return !TrimBlanks(Dir).empty() && AddTrailingBackslash(Dir) != start;
    };
    const bool cadSet = configured(telmvar.CadDir);
    const bool ediSet = configured(telmvar.EdiDir);
    const bool dataSet = configured(wtelmvar.DefaultDataDir);
    for (std::string* dir :
         {&telmvar.TempDir, &telmvar.DbfDir, &telmvar.PltDir, &telmvar.EdiDir, &wtelmvar.DefaultDataDir})
        if (TrimBlanks(*dir).empty()) *dir = start;
    TWritableDirectories dirs;
    if (const int error = cadSet ? dirs.Error(telmvar.CadDir) : 0; error != 0)
        ReportInvalidDir("CAD Directory", telmvar.CadDir, error);
    if (const int error = DirExistsError(telmvar.DbfDir); error != 0)
        ReportInvalidDir("DBF Directory", telmvar.DbfDir, error);
    if (const int error = DirExistsError(telmvar.PltDir); error != 0) {
        ReportInvalidDir("PLT Directory", telmvar.PltDir, error);
        // The help texts of the message list live there: the shipped ones
        // stand in rather than none.
        if (!shipped.empty()) telmvar.PltDir = shipped;
    }
    // A directory this call has just made for the run (empty, its own, mode
    // 0700) takes files: no probe file is written into it to find out. The
    // probe's own error is the reason given: a full disk's "No space left on
    // device" is found by no look at the directory's permissions.
    if (const int error = madeTemp ? 0 : dirs.Error(telmvar.TempDir); error != 0) {
        ShowMessageIfEnabled("invalid temporary directory configured");
        const std::string invalid = telmvar.TempDir;
        platform::TextPromptRequest request;
        request.Caption = telmvar.ProgramName;
        request.Prompt = "temporary directory";
        request.Text = telmvar.TempDir;
        request.MaxLength = 60;
        request.FileName = true;
        if (const auto answer = platform::CurrentPlatform().Prompt().AskText(request))
            telmvar.TempDir = *answer;
        // Kept for the file that fails for want of it (a batch run's report).
        if (telmvar.TempDir == invalid)
            configio.TempDirFault = "invalid temporary directory configured: " + FileNameToOem(invalid) +
                                    ": " + NameRefusalCause(invalid, error);
    }
    if (const int error = ediSet ? dirs.Error(telmvar.EdiDir) : 0; error != 0)
        ReportInvalidDir("EDI Directory", telmvar.EdiDir, error);
    if (const int error = dataSet ? dirs.Error(wtelmvar.DefaultDataDir) : 0; error != 0)
        ReportInvalidDir("Data Directory", wtelmvar.DefaultDataDir, error);
    // A configured temporary directory is shared by every run that reads
    // the configuration: the files only this run uses (table copies, their
    // indexes, the numbered report copies) go into a directory of its own
    // inside it, so that runs at the same moment never copy over, read or
    // delete each other's. Without one, the run's directory is that already.
    if (!madeTemp && TrimBlanks(runtempdir.Dir).empty()) {
        runtempdir.Dir = MakePrivateTempDir(telmvar.TempDir);
        // Without it the run's copies would meet other runs' in the shared
        // directory: the start says why and ends.
        if (runtempdir.Dir.empty()) return;
    }
    if (wtelmvar.CopyDbfToTemp) {
        SetHourglassCursor();
        CopyFilesByMask("*.dbf", telmvar.DbfDir, RunTempPath(""));
        SetArrowCursor();
    }
}
