#include "reports/engine/reportcolumns.h"

#include "foundation/textutil.h"
#include "reports/engine/reportdevice.h"
#include "reports/engine/reportstate.h"

#include <vector>

namespace
{

TReportEngine& E = reportengine;

void SetHeads(const std::vector<std::string>& Heads)
{
    for (size_t i = 0; i < Heads.size(); ++i)
        E.ColumnHeads[static_cast<int>(i) + 1] = Heads[i];
}

} // namespace

void SetReportColumns2(const std::string& Name, const std::string& Symbol, const std::string& Unit,
                       const std::string& Head1, const std::string& Head2)
{
    SetHeads({Name, Symbol, Unit, Head1, Head2});
    TColumnPositions& P = E.ColumnPositions;
    P.Symbol = 35;
    P.Unit = 44;
    P.Value1 = 51;
    P.Value2 = 62;
    P.Single = 56;
    E.ThreeValueLayout = false;
    E.FourValueLayout = false;
}

void SetReportColumns3(const std::string& Name, const std::string& Symbol, const std::string& Unit,
                       const std::string& Head1, const std::string& Head2, const std::string& Head3)
{
    SetHeads({Name, Symbol, Unit, Head1, Head2, Head3});
    TColumnPositions& P = E.ColumnPositions;
    P.Symbol = 30;
    P.Unit = 37;
    P.Value1 = 42;
    P.Value2 = 52;
    P.Single = 52;
    P.Value3 = 62;
    E.ThreeValueLayout = true;
}

void SetReportColumns4(const std::string& Name, const std::string& Symbol, const std::string& Unit,
                       const std::string& Head1, const std::string& Head2, const std::string& Head3,
                       const std::string& Head4)
{
    SetHeads({Name, Symbol, Unit, Head1, Head2, Head3, Head4});
    TColumnPositions& P = E.ColumnPositions;
    P.Symbol = 30;
    P.Unit = 37;
    P.Value1 = 40;
    P.Value2 = 48;
    P.Single = 52;
    P.Value3 = 56;
    P.Value4 = 64;
    E.FourValueLayout = true;
}

void PrintReportColumnHeads()
{
    CurrentReportDevice().ColumnHeads();
}

void PrintReportRow1(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value)
{
    CurrentReportDevice().Row(Label, Symbol, Unit, {Value});
}

void PrintReportRow2(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value1, const std::string& Value2)
{
    CurrentReportDevice().Row(Label, Symbol, Unit, {Value1, Value2});
}

void PrintReportRow3(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value1, const std::string& Value2, const std::string& Value3)
{
    CurrentReportDevice().Row(Label, Symbol, Unit, {Value1, Value2, Value3});
}

void PrintReportRow4(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value1, const std::string& Value2, const std::string& Value3,
                     const std::string& Value4)
{
    CurrentReportDevice().Row(Label, Symbol, Unit, {Value1, Value2, Value3, Value4});
}

void PrintReportTextRow(const std::string& Text)
{
    CurrentReportDevice().TextRow(Text);
}

void PrintReportWrapped(const std::string& Text)
{
    CurrentReportDevice().Wrapped(Text);
}

void FormatHeaderNoLine(const std::string& Text, const std::string& No, std::string& Line)
{
    Line.assign(64, ' ');
    OverwriteAt(Text, Line, 1);
    // The number's field holds the rest of the line: a title running on past
    // column 39 would otherwise show its tail after the number, and
    // "i0 = 3.25" under the field read "i0No.: 25", a number the stage does
    // not have. The title's part before the field stays.
    constexpr std::size_t FieldAt = 40;
    Line.replace(FieldAt - 1, std::string::npos, Line.size() - (FieldAt - 1), ' ');
    OverwriteAt("No.: " + No, Line, static_cast<int>(FieldAt));
}
