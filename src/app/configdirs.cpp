#include "app/configdirs.h"

#include "app/configio.h"
#include "app/privatetempdir.h"
#include "dialogs/messageboxes.h"
#include "foundation/fileutil.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/runtempdir.h"
#include "foundation/textutil.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

std::string ShippedDataDir(const std::string& ProgramDir)
{
    if (ProgramDir.empty()) return "";
    const std::filesystem::path data = std::filesystem::path(ProgramDir) / "data";
    std::error_code ec;
    return std::filesystem::is_directory(data, ec) ? AddTrailingBackslash(data.string()) : "";
}

namespace
{

// The system's reason why no file can be made in Dir.
std::string NotWritableReason(const std::string& Dir)
{
    const std::string dir = NativePath(StripTrailingBackslash(Dir));
    struct stat st {
    };
    if (::stat(dir.empty() ? "." : dir.c_str(), &st) != 0) return std::strerror(errno);
    if (!S_ISDIR(st.st_mode)) return std::strerror(ENOTDIR);
    if (::access(dir.empty() ? "." : dir.c_str(), W_OK | X_OK) != 0) return std::strerror(errno);
    return "no file can be created in it";
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
    if (cadSet && !dirs.Writable(telmvar.CadDir)) ShowMessageIfEnabled("invalid CAD Directory configured");
    if (!DirExists(telmvar.DbfDir)) ShowMessageIfEnabled("invalid DBF Directory configured");
    if (!DirExists(telmvar.PltDir)) {
        ShowMessageIfEnabled("invalid PLT Directory configured");
        // The help texts of the message list live there: the shipped ones
        // stand in rather than none.
        if (!shipped.empty()) telmvar.PltDir = shipped;
    }
    // A directory this call has just made for the run (empty, its own, mode
    // 0700) takes files: no probe file is written into it to find out.
    if (!madeTemp && !dirs.Writable(telmvar.TempDir)) {
        ShowMessageIfEnabled("invalid temporary directory configured");
        const std::string invalid = telmvar.TempDir;
        platform::TextPromptRequest request;
        request.Caption = telmvar.ProgramName;
        request.Prompt = "temporary directory";
        request.Text = telmvar.TempDir;
        request.MaxLength = 60;
        if (const auto answer = platform::CurrentPlatform().Prompt().AskText(request))
            telmvar.TempDir = *answer;
        // Kept for the file that fails for want of it (a batch run's report).
        if (telmvar.TempDir == invalid)
            configio.TempDirFault =
                "invalid temporary directory configured: " + invalid + ": " + NotWritableReason(invalid);
    }
    if (ediSet && !dirs.Writable(telmvar.EdiDir)) ShowMessageIfEnabled("invalid EDI Directory configured");
    if (dataSet && !dirs.Writable(wtelmvar.DefaultDataDir))
        ShowMessageIfEnabled("invalid Data Directory configured");
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
