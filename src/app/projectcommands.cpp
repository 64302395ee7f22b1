#include "app/projectcommands.h"

#include "app/menutree.h"
#include "dialogs/fileguard.h"
#include "dialogs/messageboxes.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/cad/cadfiles.h"
#include "planetary/projectfile.h"
#include "platform/platform.h"

#include <filesystem>
#include <system_error>

void WriteProjectCommand(const std::string& Name)
{
    // The user's yes to writing over a file that was never read holds for
    // that write only: a write that failed leaves the file unread, and the
    // next Save asks again.
    const std::string unread = messageboxes.UnreadProjectPath;
    TWriteFault fault;
    if (WriteProjectFile(Name, fault)) return;
    messageboxes.UnreadProjectPath = unread;
    if (!fault.Path.empty()) ShowCannotBeWritten(fault.Path, fault.Why);
}

void SaveProject(const std::string& Name)
{
    messageboxes.OverwriteQuery = false;
    WriteProjectCommand(Name);
    messageboxes.OverwriteQuery = true;
}

void QuerySaveChanges()
{
    if (telmvar.ArchiveMode && telmvar.ArchiveFlag) {
        telmvar.DataModified = false;
        return;
    }
    if (!telmvar.ProjectName.empty() && telmvar.DataModified) {
        // The name is the file system's bytes: the question is the
        // program's text (code page 437), shown through DisplayText.
        const std::string shown =
            FileNameToOem(telmvar.ArchiveMode ? telmvar.ProjectName
                                              : AddTrailingBackslash(telmvar.DataDir) + telmvar.ProjectName +
                                                    "." + telmvar.DataExt);
        const bool yes = AskYesNoCancel("Save file (" + shown + ") ?");
        if (telmvar.Aborted) return;
        if (yes) {
            SaveProject(telmvar.ProjectName);
            // A save that failed or was cancelled keeps the input marked as
            // unsaved, and the command that asked stops.
            if (!telmvar.Aborted) telmvar.DataModified = false;
        } else {
            telmvar.DataModified = false;
        }
        return;
    }
    if (telmvar.DataModified) {
        if (AskYesNoCancel("Discard previous input data ?"))
            telmvar.DataModified = false;
        else
            telmvar.Aborted = true;
    }
}

std::string ShortenPath(const std::string& Path)
{
    if (Path.size() < 50) return Path;
    const auto first = Path.find('/');
    const auto last = Path.rfind('/');
    if (first != std::string::npos && first > 0 && first < last)
        return Path.substr(0, first + 1) + "..." + Path.substr(last);
    // A path starting at the root: keep the root and the first directory.
    if (first == 0) {
        const auto second = Path.find('/', 1);
        if (second != std::string::npos && second < last)
            return Path.substr(0, second + 1) + "..." + Path.substr(last);
    }
    return Path;
}

void ShowRecentItem(const std::string& Item, int I)
{
    platform::MenuEntrySpec* e = mainmenu.Find(Item);
    if (!e) return;
    const std::string& entry = wtelmvar.RecentFiles[I];
    e->Visible = !entry.empty();
    if (e->Visible) {
        // The path is the file system's bytes, shown as such; an "&" in it is
        // a character of the name, not an accelerator.
        std::string shown;
        for (const char ch : ShortenPath(entry))
            shown += ch == '&' ? std::string("&&") : std::string(1, ch);
        e->Caption = "&" + std::to_string(I) + " " + shown;
        e->CodePage = platform::FileSystemCodePage;
    }
}

void ShowRecentFiles()
{
    if (platform::MenuEntrySpec* sep = mainmenu.Find(RecentSeparatorName))
        sep->Visible = !wtelmvar.RecentFiles[1].empty();
    for (int i = 1; i <= 4; ++i)
        ShowRecentItem(RecentItemName(i), i);
}

void InitRecentMenu()
{
    // The list comes from a session file a user may have edited: empty
    // lines and a file named twice would leave holes or twin items in the
    // menu, so the list is closed up first, newest entry kept.
    TArray<std::string, 1, 4> list;
    int n = 0;
    for (int i = 1; i <= 4; ++i) {
        const std::string& entry = wtelmvar.RecentFiles[i];
        if (entry.empty()) continue;
        bool twice = false;
        for (int k = 1; k <= n; ++k)
            twice = twice || list[k] == entry;
        if (!twice) list[++n] = entry;
    }
    wtelmvar.RecentFiles = list;
    ShowRecentFiles();
}

void RemoveRecentFile(int I)
{
    if (I < 1 || I > 4) return;
    for (int k = I; k <= 3; ++k)
        wtelmvar.RecentFiles[k] = wtelmvar.RecentFiles[k + 1];
    wtelmvar.RecentFiles[4].clear();
}

namespace
{

// The path as the file system tells files apart: absolute, "." and ".."
// resolved, case kept.
std::string FileIdentity(const std::string& Path)
{
    std::error_code ec;
    const auto abs = std::filesystem::absolute(std::filesystem::path(NativePath(Path)), ec);
    return ec ? Path : abs.lexically_normal().string();
}

} // namespace

void AddRecentFile(const std::string& Name)
{
    // In the archive mode the name is the path as it was passed.
    const std::string given = telmvar.ArchiveMode && Name.find('.') != std::string::npos
                                  ? Name
                                  : AddTrailingBackslash(telmvar.DataDir) + Name + "." + telmvar.DataExt;
    const std::string full = FileIdentity(given);
    // The session file holds one name a line: a name with a line break
    // there would become two entries and push the last one out. Such a
    // project opens and saves, it is only not remembered.
    if (HoldsLineBreak(full)) return;
    // Every entry of the same file goes, not only the first: a list read
    // from an edited session file may hold it twice.
    for (int i = 4; i >= 1; --i)
        if (!wtelmvar.RecentFiles[i].empty() && FileIdentity(wtelmvar.RecentFiles[i]) == full)
            RemoveRecentFile(i);
    for (int k = 4; k >= 2; --k)
        wtelmvar.RecentFiles[k] = wtelmvar.RecentFiles[k - 1];
    wtelmvar.RecentFiles[1] = full;
}

void UpdateCaption()
{
    UpdateAppTitle();
    ShowRecentFiles();
    PublishMainMenu();
}

void SetCaptionText(const std::string& Text)
{
    platform::CurrentPlatform().MainWindow().SetTitle(Text);
}

bool DeleteTempDrawings()
{
    telmvar.Aborted = false;
    ShowStatusText("Delete temporary files ...");
    // The block files of drawings live in directories of their own that the
    // CAD layer made for this process; files in TempDir that merely look
    // like block files belong to the user (a logo, a title block) and stay.
    CadRemoveBlockDirectories();
    return true;
}
