// Fuzz target of the session file (the four recent project files): the bytes
// are the file. Whatever it holds, the File menu must come out with at most
// four recent items numbered from 1 without holes or twins, the separator
// before Exit shown exactly with an item, an entry that names no file must
// leave the list with its message, and the list written back must read the
// same.
#include "app/configio.h"
#include "app/maincommands.h"
#include "app/mainmenu.h"
#include "app/menutexts.h"
#include "app/programidentity.h"
#include "app/projectcommands.h"
#include "app/sessionfile.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "scratch.h"

namespace
{

const std::string& ScratchDir()
{
    static const std::string dir = fuzzscratch::Dir("session") + "/";
    return dir;
}

void Check(bool ok)
{
    if (!ok) std::abort();
}

void CheckMenu()
{
    int shown = 0;
    for (int i = 1; i <= 4; ++i) {
        const auto* item = mainmenu.Find(RecentItemName(i));
        Check(item != nullptr);
        const std::string& entry = wtelmvar.RecentFiles[i];
        Check(item->Visible == !entry.empty());
        if (item->Visible) {
            Check(shown == i - 1); // no hole before it
            ++shown;
            Check(item->Caption.rfind("&" + std::to_string(i) + " ", 0) == 0);
            for (int k = 1; k < i; ++k)
                Check(wtelmvar.RecentFiles[k] != entry);
        }
    }
    Check(mainmenu.Find(RecentSeparatorName)->Visible == (shown > 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::PlatformHeadless headless(platform::HeadlessMode::Scripted);
    platform::ScopedPlatform scope(headless);
    ResetFoundationState();
    ResetConfigio();
    configio.FallbackDirs.clear();
    InitProgramIdentity();
    ResetMenuTexts();
    ResetMainMenu();
    wtelmvar.ConfigDir = ScratchDir();
    telmvar.DataDir = ScratchDir();
    const std::string name = ScratchDir() + "qyr7.cff";
    if (std::FILE* f = std::fopen(name.c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    ReadSessionFile();
    InitRecentMenu();
    CheckMenu();

    // Written back and read again, the list is the same.
    const auto list = wtelmvar.RecentFiles;
    if (!configio.SessionUnreadable) {
        WriteSessionFile();
        ReadSessionFile();
        InitRecentMenu();
        for (int i = 1; i <= 4; ++i)
            Check(wtelmvar.RecentFiles[i] == list[i] || list[i].find_first_of("\r\n") != std::string::npos);
    }

    // The first entry names no project file here: choosing it removes it.
    if (!wtelmvar.RecentFiles[1].empty()) {
        const std::string first = wtelmvar.RecentFiles[1];
        std::FILE* probe = std::fopen(first.c_str(), "rb");
        if (probe) {
            std::fclose(probe);
        } else {
            hh.Click("mi_file1");
            for (int i = 1; i <= 4; ++i)
                Check(wtelmvar.RecentFiles[i] != first);
            CheckMenu();
        }
    }
    AddRecentFile("newest");
    InitRecentMenu();
    CheckMenu();
    Check(wtelmvar.RecentFiles[1] == ScratchDir() + "newest.qy7");
    return 0;
}
