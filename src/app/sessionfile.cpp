#include "app/sessionfile.h"

#include "app/configio.h"
#include "dialogs/fileguard.h"
#include "dialogs/messageboxes.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

std::string SessionFileName()
{
    const std::string name = telmvar.ProgramFileStem + ".cff";
    if (!configio.SessionDir.empty()) return configio.SessionDir + name;
    std::error_code ec;
    if (std::filesystem::is_regular_file(ConfigFileName(), ec))
        return AddTrailingBackslash(wtelmvar.ConfigDir) + name;
    const std::string user = UserConfigDir();
    const auto& fallbacks = configio.FallbackDirs;
    if (!user.empty() && std::find(fallbacks.begin(), fallbacks.end(), user) != fallbacks.end())
        return user + name;
    return AddTrailingBackslash(wtelmvar.ConfigDir) + name;
}

namespace
{

// A recent-file entry: no control character (a name never holds one) and no
// longer than a path can be.
bool IsFileNameText(const std::string& Text)
{
    if (Text.size() > 4096) return false;
    return std::none_of(Text.begin(), Text.end(), [](char C) {
        const auto u = static_cast<unsigned char>(C);
        return u < 0x20 || u == 0x7F;
    });
}

} // namespace

void ReadSessionFile()
{
    TTextFile& f = textfile.SharedTextFile;
    for (auto& entry : wtelmvar.RecentFiles)
        entry.clear();
    configio.SessionDir.clear();
    configio.SessionUnreadable = false;
    // Where the configuration file is looked for, ConfigDir first: after
    // ReadConfigFile that is the directory the configuration came from.
    std::vector<std::string> candidates{AddTrailingBackslash(wtelmvar.ConfigDir)};
    for (const auto& dir : configio.FallbackDirs)
        candidates.push_back(AddTrailingBackslash(dir));
    for (const auto& dir : candidates) {
        std::error_code ec;
        const std::string name = dir + telmvar.ProgramFileStem + ".cff";
        if (!std::filesystem::exists(name, ec)) continue;
        configio.SessionDir = dir;
        // Something else under its name (a FIFO, a directory, a link to a
        // device) is this directory's session file all the same: refused by
        // name, and no other directory's is read or written instead.
        if (const std::string why = NotARegularFile(name); !why.empty()) {
            ShowMessageIfEnabled("file " + FileNameToOem(name) + " " + why + ", not read");
            configio.SessionUnreadable = true;
            return;
        }
        f.Assign(name);
        if (!f.OpenRead(SessionFileMaxBytes)) {
            configio.SessionUnreadable = true;
            return;
        }
        std::string label;
        ReadTextLine(label);
        for (int i = 1; i <= 4; ++i) {
            std::string entry;
            ReadTextLine(entry);
            wtelmvar.RecentFiles[i] = entry;
            // A damaged file's junk is no file name: it would be offered in
            // the File menu and saved back with the list.
            if (!IsFileNameText(wtelmvar.RecentFiles[i])) wtelmvar.RecentFiles[i].clear();
        }
        f.Close();
        return;
    }
}

void WriteSessionFile()
{
    // With no recent file there is nothing to remember: no session file is
    // made for it (a first run left one of blank lines in the user's
    // directory), and one already there stays as it is.
    if (wtelmvar.RecentFiles[1].empty()) return;
    telmvar.Aborted = false;
    if (configio.SessionUnreadable) return;
    const std::string name = SessionFileName();
    std::error_code ec;
    // Only a regular file (or none) takes the list: a FIFO of its name would
    // hold the end of the run until somebody read it, a device would get it.
    if (const std::string why = NotARegularFile(name); !why.empty()) {
        ShowMessageIfEnabled("file " + FileNameToOem(name) + " " + why + ", not written");
        telmvar.Aborted = true;
        return;
    }
    std::filesystem::create_directories(std::filesystem::path(name).parent_path(), ec);
    TTextFile& f = textfile.SharedTextFile;
    f.Assign(name);
    if (!RewriteRetrying(f) || telmvar.Aborted) return;
    // Line 1 is never read back; a data directory with a line break in its
    // name would split it and move every entry down a line, so the line
    // then goes without it.
    const std::string dataDir = HoldsLineBreak(telmvar.DataDir) ? std::string() : telmvar.DataDir;
    WriteTextLine(telmvar.ProgramFileStem + " Session " + dataDir);
    for (int i = 1; i <= 4; ++i)
        WriteTextLine(wtelmvar.RecentFiles[i]);
    if (telmvar.Aborted) {
        f.Abandon();
        return;
    }
    CloseFileChecked(f);
}
