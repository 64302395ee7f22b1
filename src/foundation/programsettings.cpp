#include "foundation/programsettings.h"

#include "foundation/textutil.h"

#include <filesystem>
#include <system_error>

TWtelmvar wtelmvar;

namespace
{

const bool wtelmvarInitialised = [] {
    ResetWtelmvar();
    return true;
}();

} // namespace

void ResetWtelmvar()
{
    (void)wtelmvarInitialised;
    wtelmvar = TWtelmvar{};
    // Systems 0 and 3 say "Nmm" although torques are shown in N·m: the names
    // are kept as users know them.
    wtelmvar.UnitSystemNames[0] = "metric (mm, N, MPa, Nmm, \xF8"
                                  "C)";
    wtelmvar.UnitSystemNames[1] = "imperial (in, lbf, psi, lbfin, degF)";
    wtelmvar.UnitSystemNames[2] = "metric (mm, kN, MPa, Nm, \xF8"
                                  "C)";
    wtelmvar.UnitSystemNames[3] = "metric (mm, N, N/mm\xFD, Nmm, \xF8"
                                  "C)";
    wtelmvar.UnitSystemNames[4] = "metric (mm, kN, N/mm\xFD, Nm, \xF8"
                                  "C)";

    std::error_code ec;
    const auto cwd = std::filesystem::current_path(ec);
    const std::string dir = ec ? std::string() : cwd.string();
    wtelmvar.ConfigDir = dir;
    wtelmvar.WorkingDir = dir;
    wtelmvar.DefaultDataDir = dir;
}

bool UsesDesktopProgram(const std::string& Path)
{
    const std::string p = TrimBlanks(Path);
    if (p.empty()) return true;
    if (p.size() >= 2 && p[1] == ':') return true;
    return p.find('\\') != std::string::npos;
}
