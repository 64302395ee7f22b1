#include "app/privatetempdir.h"

#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/runtempdir.h"
#include "foundation/signalcleanup.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

TPrivateTempDir privatetempdir;

std::string MakePrivateTempDir(const std::string& Base)
{
    if (!privatetempdir.Dir.empty())
        return privatetempdir.Dir;
    std::error_code ec;
    const std::filesystem::path base = Base.empty() ? std::filesystem::temp_directory_path(ec)
                                                    : std::filesystem::path(NativePath(StripTrailingBackslash(Base)));
    if (ec || base.empty())
        return {};
    std::string name = (base / "qyr7-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr)
        return {};
    privatetempdir.Dir = AddTrailingBackslash(name);
    // Every way out through exit() or the end of main takes it along; the
    // batch end, which leaves by _Exit, removes it itself.
    static const bool registered = std::atexit(RemovePrivateTempDir) == 0;
    (void)registered;
    MarkRunDirectory(name);
    return privatetempdir.Dir;
}

void KeepPrivateTempDir()
{
    MarkRunDirectory("");
    if (runtempdir.Dir == privatetempdir.Dir)
        runtempdir.Dir.clear();
    privatetempdir.Dir.clear();
}

void RemovePrivateTempDir()
{
    if (privatetempdir.Dir.empty())
        return;
    MarkRunDirectory("");
    // Mostly the run has taken its working files along already: an empty
    // directory goes with one call, without listing it first.
    const std::string dir = StripTrailingBackslash(privatetempdir.Dir);
    if (::rmdir(dir.c_str()) != 0) {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    if (telmvar.TempDir == privatetempdir.Dir)
        telmvar.TempDir.clear();
    if (runtempdir.Dir == privatetempdir.Dir)
        runtempdir.Dir.clear();
    privatetempdir.Dir.clear();
}
