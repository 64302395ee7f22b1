#include "dialogs/fileguard.h"

#include "dialogs/messageboxes.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/numbertext.h"
#include "foundation/pathsplit.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "planetary/filenames.h"
#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

int CountDotsInFilePart(const std::string& Path)
{
    const std::string file = NamePart(Path);
    return static_cast<int>(std::count(file.begin(), file.end(), '.'));
}

bool PathExists(const std::string& Path)
{
    struct stat st {
    };
    return ::stat(NativePath(Path).c_str(), &st) == 0;
}

// Can the file be written under this name? 0 when it can, else the
// system's error of the check. An existing file is judged by its
// permissions; a new one is created exclusively and removed again (it is
// our own probe, never somebody's file).
int NameWriteError(const std::string& Path)
{
    const std::string name = NativePath(Path);
    if (name.empty()) return ENOENT;
    struct stat st {
    };
    if (::stat(name.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return EISDIR;
        // Asked, not opened: opening a FIFO for writing waits for a reader,
        // and a file of the user's is not to be touched by a check.
        return ::faccessat(AT_FDCWD, name.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
    }
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    ::close(fd);
    return ::unlink(name.c_str()) == 0 ? 0 : errno;
}

std::string WithSeparator(const std::string& Dir)
{
    return Dir.empty() ? Dir : AddTrailingBackslash(Dir);
}

std::optional<std::string> RunFileDialog(platform::FileDialogKind Kind, const std::string& Filter,
                                         const std::string& InitialDir)
{
    platform::FileDialogRequest request;
    request.Kind = Kind;
    request.Caption = telmvar.ProgramName;
    request.Filter = Filter;
    request.InitialDir = NativePath(InitialDir);
    return platform::CurrentPlatform().Files().Run(request);
}

} // namespace

void CheckFileName(const std::string& Path)
{
    if (CountDotsInFilePart(Path) > 1) {
        ShowPlainMessage(FileNameToOem(Path) + " not allowed (too many dots)!");
        telmvar.Aborted = true;
        return;
    }
    const bool unread = !messageboxes.UnreadProjectPath.empty() &&
                        NativePath(messageboxes.UnreadProjectPath) == NativePath(Path);
    if (PathExists(Path) &&
        (unread || (messageboxes.OverwriteQuery && Path.find("actual") == std::string::npos))) {
        telmvar.HelpNumber = 3055;
        if (!AskYesNoCancel(OverwriteQuestionText(Path)))
            telmvar.Aborted = true;
        else if (unread)
            messageboxes.UnreadProjectPath.clear();
    }
    if (telmvar.Aborted) return;
    if (const int error = NameWriteError(Path)) {
        // A "\" made the system check another file than the one typed:
        // that, not the other file's trouble, is why.
        const std::string backslash = BackslashNameText(Path);
        const std::string why = backslash.empty() ? ErrnoText(error) : backslash;
        ShowMessageIfEnabled("invalid file name \"" + FileNameToOem(Path) + "\" ! (" + why + ")");
        telmvar.Aborted = true;
    }
}

void ShowCannotBeWritten(const std::string& Path, const std::string& Why)
{
    ShowMessageIfEnabled(CannotBeWrittenText(Path, Why));
}

// The archive mode ends at the first file dialog. Its name, the path as it
// was given, becomes a directory and a name as a file chosen in the dialog
// is held: the report head, the title and the recent list would otherwise
// add the extension a second time. A name with another extension keeps its
// path, which a Save writes as it is: "." + DataExt would name another file.
namespace
{

void EndArchiveMode()
{
    telmvar.ArchiveMode = false;
    const std::string path = telmvar.ProjectName;
    if (FileExtNoDot(path) != telmvar.DataExt) return;
    telmvar.DataDir = FileDirPart(path);
    telmvar.ProjectName = FileNameNoExt(path);
}

} // namespace

bool CheckFileReadable(const std::string& Path)
{
    // Blanks at the ends belong to the name (" a.qy7" is another file than
    // "a.qy7"); a directory from the configuration was trimmed where the
    // path was built from it.
    if (FileCanOpen(Path)) return true;
    ShowMessageIfEnabled("file " + FileNameToOem(Path) + " " + "not found or no access" + " !");
    telmvar.Aborted = true;
    return false;
}

void SaveFileDialog(std::string Name, std::string& Path)
{
    if (telmvar.ArchiveMode && telmvar.ArchiveFlag && Name != "actual") {
        ArchiveModeMessage();
        telmvar.Aborted = true;
        return;
    }
    if (telmvar.ArchiveMode && !telmvar.ArchiveFlag) EndArchiveMode();
    if (Name.empty()) {
        const std::string mask = "*." + telmvar.DataExt;
        const auto chosen = RunFileDialog(platform::FileDialogKind::Save, mask + "|" + mask, telmvar.DataDir);
        RestoreCursor();
        if (!chosen || chosen->empty()) {
            telmvar.Aborted = true;
            return;
        }
        // The directory, as the name, is taken only once the name passed:
        // a refused name leaves the project where it was.
        const std::string dir = FileDirPart(*chosen);
        Name = FileNameNoExt(*chosen);
        Path = WithSeparator(dir) + Name + "." + telmvar.DataExt;
        CheckFileName(Path);
        if (telmvar.Aborted) return;
        telmvar.DataDir = dir;
        telmvar.ProjectName = Name;
        return;
    }
    if (Name.find('.') == std::string::npos)
        Path = WithSeparator(telmvar.DataDir) + Name + "." + telmvar.DataExt;
    else
        Path = Name;
    CheckFileName(Path);
}

std::string ProjectFileRefusal(const std::string& Path)
{
    std::string why = BackslashNameText(Path);
    if (why.empty()) {
        const std::string ext = "." + telmvar.DataExt;
        const std::string name = Path.substr(FileDirPart(Path).size());
        const bool ends =
            name.size() >= ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0;
        if (!ends)
            why = "its name does not end in \"" + ext + "\", so a Save would write another file";
        else if (name.find('.') < name.size() - ext.size())
            why = "its name holds another \".\", so a Save would write another file";
    }
    return why.empty() ? why : "file \"" + FileNameToOem(Path) + "\" not opened: " + why;
}

void OpenFileDialog(std::string Name, std::string& Path)
{
    if (telmvar.ArchiveMode && telmvar.ArchiveFlag) {
        ArchiveModeMessage();
        telmvar.Aborted = true;
        return;
    }
    if (telmvar.ArchiveMode && !telmvar.ArchiveFlag) EndArchiveMode();
    if (Name.empty()) {
        std::string dir = telmvar.DataDir;
        std::string chosen;
        AskOpenFileName(5, dir, "*." + telmvar.DataExt, chosen);
        if (telmvar.Aborted) return;
        // A file that is no project (a load spectrum to import) is read as
        // chosen, whatever its name ends in: it is kept under no name, so no
        // Save can write another file, and its reader refuses what is no
        // such file line by line. Only a backslash names another file already.
        if (ResolvingOtherFile()) {
            if (const std::string why = BackslashNameText(chosen); !why.empty()) {
                ShowMessageIfEnabled("file \"" + FileNameToOem(chosen) + "\" not opened: " + why);
                telmvar.Aborted = true;
                return;
            }
            Path = chosen;
            if (CheckFileReadable(Path)) ShowStatusText("file " + FileNameToOem(Path) + " " + "is loaded");
            return;
        }
        // The file is read only when the name it is kept under leads back to
        // it: "b.qy7 " or "b.QY7" would be read, and b.qy7 written by Save.
        if (const std::string refusal = ProjectFileRefusal(chosen); !refusal.empty()) {
            ShowMessageIfEnabled(refusal);
            telmvar.Aborted = true;
            return;
        }
        telmvar.DataDir = dir;
        telmvar.ProjectName = ExtractBaseName(chosen);
        Path = WithSeparator(telmvar.DataDir) + telmvar.ProjectName + "." + telmvar.DataExt;
    } else if (Name.find('.') != std::string::npos) {
        Path = Name;
    } else {
        telmvar.ProjectName = Name;
        Path = WithSeparator(telmvar.DataDir) + Name + "." + telmvar.DataExt;
    }
    if (!CheckFileReadable(Path)) {
        if (Path != Name) telmvar.ProjectName.clear();
        return;
    }
    ShowStatusText("file " + FileNameToOem(Path) + " " + "is loaded");
}

void AskOpenFileName(int Kind, std::string& Dir, const std::string& Filter, std::string& Name)
{
    const auto chosen =
        RunFileDialog(platform::FileDialogKind::Open, Filter + "|" + Filter, StripTrailingBackslash(Dir));
    if (!chosen || chosen->empty()) {
        Name.clear();
        telmvar.Aborted = true;
        return;
    }
    Dir = FileDirPart(*chosen);
    Name = Kind == 5 ? *chosen : ExtractBaseName(*chosen);
    if (Kind == 4) telmvar.DataExt = FileExtNoDot(*chosen);
}

void BrowseForFile(const std::string& Path, const std::string& Filter, std::string& Result)
{
    const auto chosen =
        RunFileDialog(platform::FileDialogKind::Open, Filter + "|" + Filter, TrimBlanks(FileDirPart(Path)));
    if (!chosen || chosen->empty()) {
        Result = Path;
        telmvar.Aborted = true;
        return;
    }
    Result = *chosen;
}

void ChooseDirectory(const std::string& Dir, std::string& Result)
{
    const std::string start = DirExists(Dir) ? Dir : std::string();
    const auto chosen = RunFileDialog(platform::FileDialogKind::Open, "*.*|*.*", start);
    if (!chosen || chosen->empty()) {
        Result = Dir;
        return;
    }
    Result = StripTrailingBackslash(FileDirPart(*chosen));
}

uint16_t IoErrorCodeOf(int ErrnoValue)
{
    switch (ErrnoValue) {
    case 0:
        return 0;
    case ENOENT:
        return 2;
    case ENOTDIR:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
        return 5;
    case EIO:
        return 100;
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return 101;
    case EROFS:
        return 150;
    case ENXIO:
    case ENODEV:
        return 152;
    default:
        return 31;
    }
}

std::string WriteErrorText(uint16_t Code)
{
    switch (Code) {
    case 100:
        return "read error";
    case 101:
        return "disk full";
    case 106:
        return "invalid numeric code";
    default:
        return "file access error";
    }
}

std::string CloseErrorText(uint16_t Code)
{
    return Code == 101 ? "disk full" : "file close error";
}

std::string RewriteErrorText(uint16_t Code)
{
    return Code == 101 ? "disk full" : "file write error";
}

std::string RewriteRetryText(uint16_t Code)
{
    switch (Code) {
    case 150:
        return "remove write protect !";
    case 152:
        return "put program disk into drive A !";
    default:
        return "I/O-Error " + IntToText(Code);
    }
}

bool WriteLineChecked(TTextFile& F, const std::string& Text)
{
    if (telmvar.Aborted) return false;
    errno = 0;
    if (F.WriteLine(Text)) return true;
    const uint16_t code = IoErrorCodeOf(errno);
    ShowMessageIfEnabled(WriteErrorText(code == 0 ? 31 : code));
    telmvar.Aborted = true;
    return false;
}

bool CloseFileChecked(TTextFile& F)
{
    errno = 0;
    if (F.Close()) return true;
    const uint16_t code = IoErrorCodeOf(errno);
    ShowMessageIfEnabled(CloseErrorText(code == 0 ? 31 : code));
    telmvar.Aborted = true;
    return false;
}

bool RewriteChecked(TTextFile& F)
{
    errno = 0;
    if (F.OpenWrite()) return true;
    const uint16_t code = IoErrorCodeOf(errno);
    ShowMessageIfEnabled(RewriteErrorText(code == 0 ? 31 : code));
    telmvar.Aborted = true;
    return false;
}

bool RewriteRetrying(TTextFile& F)
{
    for (int attempt = 1; attempt <= RewriteMaxTries; ++attempt) {
        errno = 0;
        if (F.OpenWrite()) return true;
        const uint16_t code = IoErrorCodeOf(errno);
        // Nobody can remove the cause while messages are off: no point in
        // trying again.
        if (!telmvar.MessagesEnabled) break;
        // The system's reason beside the old advice: a write protection is
        // rarely a switch on a disk now.
        const std::string why = F.WriteFailure().empty() ? std::string() : " (" + F.WriteFailure() + ")";
        ShowMessageIfEnabled(RewriteRetryText(code == 0 ? 31 : code) + why);
    }
    ShowCannotBeWritten(F.Name(), F.WriteFailure());
    telmvar.Aborted = true;
    return false;
}
