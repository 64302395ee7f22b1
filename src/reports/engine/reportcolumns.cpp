#include "reports/engine/reportcolumns.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/numbertext.h"
#include "reports/engine/htmltext.h"
#include "reports/engine/numberfit.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"

#include <vector>

namespace
{

TReportEngine& E = reportengine;

void SetHeads(const std::vector<std::string>& Heads)
{
    for (size_t i = 0; i < Heads.size(); ++i)
        E.ColumnHeads[static_cast<int>(i) + 1] = Heads[i];
}

std::string Joined(const std::vector<std::string>& Fields, char Sep)
{
    std::string R;
    for (size_t i = 0; i < Fields.size(); ++i) {
        if (i > 0) R += Sep;
        R += Fields[i];
    }
    return R;
}

// Value heads shown by the head row and the tab form: 2, 3 or 4.
int ValueHeadCount()
{
    if (E.FourValueLayout) return 4;
    if (E.ThreeValueLayout) return 3;
    return 2;
}

// A text row of Width blanks with the label, symbol and unit placed.
std::string RowLine(int Width, const std::string& Label, const std::string& Symbol, const std::string& Unit)
{
    std::string line(static_cast<size_t>(Width), ' ');
    OverwriteAt(Label, line, 1);
    OverwriteAt(Symbol, line, E.ColumnPositions.Symbol);
    OverwriteAt(Unit, line, E.ColumnPositions.Unit);
    return line;
}

// Places the values at their columns, each allowed up to the column before
// the next value (the last one up to the end of the line).
void PlaceValues(std::string& Line, const std::vector<std::string>& Values, const std::vector<int>& Positions)
{
    const int width = static_cast<int>(Line.size());
    for (size_t i = 0; i < Values.size(); ++i) {
        const int slotEnd = i + 1 < Positions.size() ? Positions[i + 1] - 1 : width;
        PlaceReportValue(Values[i], Line, Positions[i], slotEnd);
    }
}

void PrintTextRow(const std::string& Line)
{
    PrintReportLine(Line);
    if (telmvar.PrintSeparatorMode != 4) PrintReportLine(GetRuleLine());
}

std::string HtmlCells(const std::vector<std::string>& Cells)
{
    std::string R = "<TR>";
    for (const std::string& c : Cells)
        R += "<TD>" + HtmlEscape(c) + "</TD>";
    return R + "</TR>";
}

void HtmlDataRow(const std::vector<std::string>& Cells)
{
    if (!E.HtmlTableOpen) PrintReportColumnHeads();
    WriteReportLine(HtmlCells(Cells));
}

} // namespace

void PlaceReportValue(const std::string& Value, std::string& Line, int Pos, int SlotEnd)
{
    if (Pos < 1) Pos = 1;
    SlotEnd = std::min<int>(SlotEnd, static_cast<int>(Line.size()));
    if (SlotEnd < Pos) return;
    const int len = static_cast<int>(Value.size());
    if (Pos + len - 1 <= SlotEnd) {
        OverwriteAt(Value, Line, Pos);
        return;
    }
    const std::string trimmed = TrimBlanks(Value);
    const int room = SlotEnd - Pos + 1;
    // Keep one blank before the next column so that two numbers never run
    // into one.
    const int roomBeforeNext = SlotEnd < static_cast<int>(Line.size()) ? room - 1 : room;
    if (static_cast<int>(trimmed.size()) <= roomBeforeNext) {
        OverwriteAt(trimmed, Line, Pos);
        return;
    }
    const std::string shorter = ShortestNumberText(trimmed, roomBeforeNext);
    OverwriteAt(shorter.empty() ? std::string(static_cast<size_t>(std::max(roomBeforeNext, 1)), '*') : shorter, Line,
                Pos);
}

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
    const uint16_t dev = E.ReportDevice;
    const int n = ValueHeadCount();
    std::vector<std::string> heads{E.ColumnHeads[1], E.ColumnHeads[2], E.ColumnHeads[3]};
    for (int i = 1; i <= n; ++i)
        heads.push_back(E.ColumnHeads[3 + i]);

    if (IsTabDevice(dev)) {
        PrintReportLine(Joined(heads, '\t'));
        return;
    }
    if (IsHtmlDevice(dev)) {
        BeginHtmlTable();
        std::string row = "<TR><TD><CENTER>" + HtmlEscape(heads[0]) + "</CENTER></TD>";
        for (size_t i = 1; i < heads.size(); ++i)
            row += "<TD>" + HtmlEscape(heads[i]) + "</TD>";
        WriteReportLine(row + "</TR>");
        return;
    }
    std::string line(ReportLineWidth, ' ');
    line.front() = GetFrameSideChar();
    line.back() = GetFrameSideChar();
    OverwriteAt(heads[0], line, 3);
    OverwriteAt(heads[1], line, E.ColumnPositions.Symbol);
    OverwriteAt(heads[2], line, E.ColumnPositions.Unit);
    if (E.FourValueLayout) {
        const int at[] = {45, 52, 59, 66};
        for (int i = 0; i < 4; ++i)
            OverwriteAt(E.ColumnHeads[4 + i], line, at[i]);
    } else if (E.ThreeValueLayout) {
        const int at[] = {49, 56, 63};
        for (int i = 0; i < 3; ++i)
            OverwriteAt(E.ColumnHeads[4 + i], line, at[i]);
    } else {
        OverwriteAt(E.ColumnHeads[4], line, E.ColumnPositions.Value1);
        OverwriteAt(E.ColumnHeads[5], line, E.ColumnPositions.Value2);
    }
    PrintReportLine(line);
    PrintReportLine(GetFrameBottomLine());
    PrintReportLine("");
}

void PrintReportRow1(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value)
{
    const uint16_t dev = E.ReportDevice;
    if (IsTabDevice(dev)) {
        WriteReportLine(Joined({Label, Symbol, Unit, Value}, '\t'));
        return;
    }
    if (IsHtmlDevice(dev)) {
        if (!E.HtmlTableOpen) BeginHtmlTable();
        WriteReportLine("<TR><TD>" + HtmlEscape(Label) + "</TD><TD>" + HtmlEscape(Symbol) + "</TD><TD>" +
                        HtmlEscape(Unit) + "</TD><TD><DIV ALIGN=RIGHT>" + HtmlEscape(Value) +
                        "</DIV></TD></TR>");
        return;
    }
    std::string line = RowLine(ReportLineWidth, Label, Symbol, Unit);
    const int s = E.ColumnPositions.Single;
    std::string value = Value;
    int pos = s;
    if (static_cast<int>(value.size()) > ReportLineWidth - s) {
        value = TrimBlanks(value);
        // Still too long: moved left so that its last character stands in
        // column 69.
        if (static_cast<int>(value.size()) > ReportLineWidth - s)
            pos = ReportLineWidth - static_cast<int>(value.size());
    }
    if (pos >= 1)
        OverwriteAt(value, line, pos);
    else
        PlaceReportValue(value, line, s, ReportLineWidth - 1);
    PrintTextRow(line);
}

void PrintReportRow2(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value1, const std::string& Value2)
{
    const uint16_t dev = E.ReportDevice;
    if (IsTabDevice(dev)) {
        WriteReportLine(Joined({Label, Symbol, Unit, Value1, Value2}, '\t'));
        return;
    }
    if (IsHtmlDevice(dev)) {
        HtmlDataRow({Label, Symbol, Unit, Value1, Value2});
        return;
    }
    // Two-value rows are one character wider: the second value may end in
    // column 71.
    std::string line = RowLine(ReportLineWidth + 1, Label, Symbol, Unit);
    if (E.ColumnPositions.Value1 == 51)
        PlaceValues(line, {Value1, Value2}, {51, 62});
    else
        PlaceValues(line, {Value1, Value2}, {47, 57});
    PrintTextRow(line);
}

void PrintReportRow3(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value1, const std::string& Value2, const std::string& Value3)
{
    const uint16_t dev = E.ReportDevice;
    if (IsTabDevice(dev)) {
        WriteReportLine(Joined({Label, Symbol, Unit, Value1, Value2, Value3}, '\t'));
        return;
    }
    if (IsHtmlDevice(dev)) {
        HtmlDataRow({Label, Symbol, Unit, Value1, Value2, Value3});
        return;
    }
    std::string line = RowLine(ReportLineWidth, Label, Symbol, Unit);
    const TColumnPositions& P = E.ColumnPositions;
    if (E.FourValueLayout)
        PlaceValues(line, {Value1, Value2, Value3}, {P.Value1 + 2, P.Value2 + 3, P.Value3 + 4});
    else
        PlaceValues(line, {Value1, Value2, Value3}, {P.Value1, P.Value2, P.Value3});
    PrintTextRow(line);
}

void PrintReportRow4(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                     const std::string& Value1, const std::string& Value2, const std::string& Value3,
                     const std::string& Value4)
{
    const uint16_t dev = E.ReportDevice;
    if (IsTabDevice(dev)) {
        WriteReportLine(Joined({Label, Symbol, Unit, Value1, Value2, Value3, Value4}, '\t'));
        return;
    }
    if (IsHtmlDevice(dev)) {
        HtmlDataRow({Label, Symbol, Unit, Value1, Value2, Value3, Value4});
        return;
    }
    std::string line = RowLine(ReportLineWidth, Label, Symbol, Unit);
    const TColumnPositions& P = E.ColumnPositions;
    PlaceValues(line, {Value1, Value2, Value3, Value4}, {P.Value1, P.Value2, P.Value3, P.Value4});
    PrintTextRow(line);
}

void PrintReportTextRow(const std::string& Text)
{
    if (IsHtmlDevice(E.ReportDevice)) {
        if (!E.HtmlTableOpen) BeginHtmlTable();
        WriteReportLine("<TR><TD>" + HtmlEscape(Text) + "</TD></TR>");
        return;
    }
    PrintReportLine(Text);
}

void PrintReportWrapped(const std::string& Text)
{
    if (Text.empty()) return;
    const uint16_t dev = E.ReportDevice;
    if (!IsTabDevice(dev) && !IsHtmlDevice(dev) && Text.size() > 72) {
        int count = 0;
        int maxLen = 0;
        WrapText(Text, ' ', 64, count, maxLen);
        for (int i = 1; i <= count; ++i)
            PrintReportTextRow(telmvar.WrappedTextLines[i]);
        return;
    }
    PrintReportTextRow(Text);
}

void BeginHtmlTable()
{
    EndHtmlTable();
    WriteReportLine("<TABLE BORDER = \"2\" WIDTH= \"100%\">");
    E.HtmlTableOpen = true;
}

void EndHtmlTable()
{
    if (!E.HtmlTableOpen) return;
    WriteReportLine("</TABLE>");
    E.HtmlTableOpen = false;
}

void FormatHeaderNoLine(const std::string& Text, const std::string& No, std::string& Line)
{
    Line.assign(64, ' ');
    OverwriteAt(Text, Line, 1);
    OverwriteAt("No.: " + No, Line, 40);
}
