#include "app/programidentity.h"

#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"

void InitProgramIdentity()
{
    telmvar.ProgramName = "QYR7";
    telmvar.ProgramFileStem = "qyr7";
    telmvar.DataExt = "qy7";
    telmvar.ProgramTitle = "QYR7 - Radi Divivuzez Orude";
    telmvar.ProgramVersion = "1.0";
    // This program draws the tooth root curve of its gears.
    GearPair.DrawRootCurve = true;
}

std::string ProgramIdentityLine()
{
    return telmvar.ProgramTitle + "  Version " + telmvar.ProgramVersion + "  (" + ProgramFileName() + ")";
}

std::string ProgramFileName()
{
    return "w" + telmvar.ProgramFileStem;
}
