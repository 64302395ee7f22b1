#include "foundation/programstate.h"

#include <filesystem>
#include <system_error>

TTelmvar telmvar;

namespace
{

// Set before main runs, as the start-up order wants: the texts are preset
// before any window or command can look at them.
const bool telmvarInitialised = [] {
    ResetTelmvar();
    return true;
}();

} // namespace

void InitGlobalTexts()
{
    for (auto& item : telmvar.TextItems)
        item.assign(65, ' ');
    for (auto& line : telmvar.WrappedTextLines)
        line.assign(64, ' ');
    for (auto& remark : telmvar.RemarkLines)
        remark.clear();
    std::error_code ec;
    const auto cwd = std::filesystem::current_path(ec);
    telmvar.StartDir = ec ? std::string() : cwd.string();
}

TProjectPlace CurrentProjectPlace()
{
    return {telmvar.ProjectName, telmvar.DataDir, telmvar.ArchiveMode};
}

void RestoreProjectPlace(const TProjectPlace& Place)
{
    telmvar.ProjectName = Place.ProjectName;
    telmvar.DataDir = Place.DataDir;
    telmvar.ArchiveMode = Place.ArchiveMode;
}

void ResetTelmvar()
{
    (void)telmvarInitialised;
    telmvar = TTelmvar{};
    InitGlobalTexts();
}
