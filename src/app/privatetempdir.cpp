#include "app/privatetempdir.h"

#include "foundation/fileutil.h"
#include "foundation/programstate.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

TPrivateTempDir privatetempdir;

std::string MakePrivateTempDir()
{
    if (!privatetempdir.Dir.empty())
        return privatetempdir.Dir;
    std::error_code ec;
    const auto base = std::filesystem::temp_directory_path(ec);
    if (ec)
        return {};
    std::string name = (base / "qyr7-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr)
        return {};
    privatetempdir.Dir = AddTrailingBackslash(name);
    // Every way out through exit() or the end of main takes it along; the
    // batch end, which leaves by _Exit, removes it itself.
    static const bool registered = std::atexit(RemovePrivateTempDir) == 0;
    (void)registered;
    return privatetempdir.Dir;
}

void RemovePrivateTempDir()
{
    if (privatetempdir.Dir.empty())
        return;
    std::error_code ec;
    std::filesystem::remove_all(StripTrailingBackslash(privatetempdir.Dir), ec);
    if (telmvar.TempDir == privatetempdir.Dir)
        telmvar.TempDir.clear();
    privatetempdir.Dir.clear();
}
