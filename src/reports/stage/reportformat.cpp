#include "reports/stage/reportformat.h"

#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "planetary/stage.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"

std::string StageReportTitle(const std::string& Text, const std::string& Gap)
{
    return telmvar.ProgramName + " V" + telmvar.ProgramVersion + Gap + Text;
}

std::string StageHeaderNoLine()
{
    std::string line;
    FormatHeaderNoLine(PlanetaryGears.StageText, "", line);
    return line;
}

void StageSubHeading(const std::string& Heading, bool CountEmptyLine)
{
    if (CountEmptyLine)
        PrintReportLine("");
    else
        WriteReportBlankLine();
    KeepReportLines(1);
    PrintReportLine(Heading);
    PrintReportLine(GetRuleLine());
}

void GearRow(const std::string& Label, const std::string& Symbol, const std::string& Unit,
             const std::function<std::string(int gear)>& Cell)
{
    PrintReportRow4(Label, Symbol, Unit, Cell(gS), Cell(gPi), Cell(gPe), Cell(gH));
}

void MeshRow(const std::string& Label, const std::string& Symbol, const std::string& Unit,
             const std::function<std::string(int mesh)>& Cell)
{
    PrintReportRow3(Label, Symbol, Unit, Cell(mSPi), Cell(mPiPe), Cell(mPeH));
}

void MeshMemberRow(const std::string& Label, const std::string& Symbol, const std::string& Unit, int Mesh,
                   const std::function<std::string(int slot)>& Cell)
{
    // Mesh m joins gears m and m + 1: its two members stand in those columns.
    TArray<std::string, 1, 4> cells{};
    cells[Mesh] = Cell(1);
    cells[Mesh + 1] = Cell(2);
    PrintReportRow4(Label, Symbol, Unit, cells[1], cells[2], cells[3], cells[4]);
}

std::string Len(int IntDigits, int Decimals, Extended X)
{
    return FormatLengthFixed(IntDigits, Decimals, X);
}

std::string Fix(int IntDigits, int Decimals, Extended X)
{
    return FormatFloatFixed(IntDigits, Decimals, X);
}
