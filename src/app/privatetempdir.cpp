#include "app/privatetempdir.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/runtempdir.h"
#include "foundation/signalcleanup.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

TPrivateTempDir privatetempdir;

std::string MakePrivateTempDir(const std::string& Base)
{
    if (!privatetempdir.Dir.empty()) return privatetempdir.Dir;
    privatetempdir.Failure.clear();
    const std::filesystem::path base =
        NativePath(StripTrailingBackslash(Base.empty() ? SystemTempDir() : Base));
    std::string name = (base / "qyr7-XXXXXX").string();
    // The handlers that remove it are set before it is made: a signal in
    // between would leave it behind.
    if (!MakeMarkedRunDirectory(name)) {
        const int error = errno;
        privatetempdir.Failure = "directory of the run's own files could not be made in " +
                                 FileNameToOem(base.string()) + ": " + NameRefusalCause(Base, error);
        return {};
    }
    privatetempdir.Dir = AddTrailingBackslash(name);
    // Every way out through exit() or the end of main takes it along; the
    // batch end, which leaves by _Exit, removes it itself.
    static const bool registered = std::atexit(RemovePrivateTempDir) == 0;
    (void)registered;
    return privatetempdir.Dir;
}

void KeepPrivateTempDir()
{
    UnmarkRunDirectory();
    if (runtempdir.Dir == privatetempdir.Dir) runtempdir.Dir.clear();
    privatetempdir.Dir.clear();
}

void RemovePrivateTempDir()
{
    if (privatetempdir.Dir.empty()) return;
    // A signal meanwhile would find it neither removed nor marked any more.
    const TSignalsHeld held;
    UnmarkRunDirectory();
    // Mostly the run has taken its working files along already: an empty
    // directory goes with one call, without listing it first.
    const std::string dir = StripTrailingBackslash(privatetempdir.Dir);
    if (::rmdir(dir.c_str()) != 0) {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    if (telmvar.TempDir == privatetempdir.Dir) telmvar.TempDir.clear();
    if (runtempdir.Dir == privatetempdir.Dir) runtempdir.Dir.clear();
    privatetempdir.Dir.clear();
}
