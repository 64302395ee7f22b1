#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "reports/engine/numberfit.h"
#include "reports/engine/reportdevice.h"
#include "reports/engine/reportframes.h"
#include "reports/engine/reportservices.h"
#include "reports/engine/reportstate.h"

namespace
{

TReportEngine& E = reportengine;

const std::string Indent(7, ' ');

// A framed header line: the side character in columns 1 and 70.
std::string FramedLine()
{
    std::string line(ReportLineWidth, ' ');
    const char side = GetFrameSideChar();
    line.front() = side;
    line.back() = side;
    return line;
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

// One value at the single-value column; a value too long for it is trimmed,
// then moved left so that its last character stands in column 69.
void PlaceSingleValue(std::string& Line, const std::string& Value)
{
    const int s = E.ColumnPositions.Single;
    std::string value = Value;
    int pos = s;
    if (static_cast<int>(value.size()) > ReportLineWidth - s) {
        value = TrimBlanks(value);
        if (static_cast<int>(value.size()) > ReportLineWidth - s) pos = ReportLineWidth - static_cast<int>(value.size());
    }
    if (pos >= 1)
        OverwriteAt(value, Line, pos);
    else
        PlaceReportValue(value, Line, s, ReportLineWidth - 1);
}

} // namespace

void TTextReportDevice::Line(const std::string& Text)
{
    if (Text == ReportDropMarker) return;
    E.ReportLineCount += 1;
    CheckPageEnd(E.PageHeaderColumnsMode);
    RawLine(Indent + Text);
}

void TTextReportDevice::Text(const std::string& Text)
{
    if (Text == ReportDropMarker) return;
    E.ReportLineCount += 1;
    CheckPageEnd(E.PageHeaderColumnsMode);
    RawText(Indent + Text);
}

void TTextReportDevice::PageHeader(int PageNo, int WithColumnHeads)
{
    AskInsertPaper();
    if (telmvar.Aborted) return;
    const bool first = FirstPage(PageNo);
    if (wtelmvar.PrintHeaderMode == 2 && !first) {
        RawLine(" ");
        return;
    }
    if (telmvar.PrintSeparatorMode == 4 && telmvar.LinesPerPage / 2 > E.ReportLineCount && !first) return;
    E.ReportLineCount = 0;
    E.PageHeaderColumnsMode = WithColumnHeads;
    E.ReportPageNo += 1;
    if (PageNo == 0) PageNo = E.ReportPageNo;

    if (telmvar.PrintSeparatorMode == 4) Line("");
    for (int i = 0; i < wtelmvar.HeaderSpaceLines; ++i)
        Line("");
    Line(GetFrameTopLine());
    if (telmvar.Aborted) return;

    std::string line = FramedLine();
    OverwriteAt(E.ReportTitle, line, 4);
    if (wtelmvar.PrintHeaderMode != 2) {
        if (E.ReportTotalPages == 0)
            OverwriteAt("pg." + IntToTextBlankPad(PageNo, 2), line, 64);
        else
            OverwriteAt("pg." + IntToTextBlankPad(PageNo, 2) + "/" + IntToTextBlankPad(E.ReportTotalPages, 2),
                        line, 60);
    }
    Line(line);

    line = FramedLine();
    OverwriteAt(reportservices.TodayDateText(), line, 53);
    OverwriteAt(reportservices.NowTimeText(), line, 64);
    Line(line);

    line = FramedLine();
    telmvar.ProjectName = TrimBlanks(telmvar.ProjectName);
    if (telmvar.ArchiveMode)
        OverwriteAt(telmvar.ProjectName, line, 4);
    else if (telmvar.DataDir.size() + telmvar.ProjectName.size() > 69)
        OverwriteAt(telmvar.ProjectName + "." + telmvar.DataExt, line, 4);
    else
        OverwriteAt(AnsiTextToOem(AddTrailingBackslash(telmvar.DataDir) + telmvar.ProjectName) + "." +
                        telmvar.DataExt,
                    line, 4);
    Line(line);
    Line(GetFrameSeparatorLine());

    for (int i = 1; i <= 4; ++i) {
        if (i == 4 && E.ReportHeaderLines[4].empty()) break;
        line = FramedLine();
        OverwriteAt(E.ReportHeaderLines[i], line, 4);
        Line(line);
    }
    if (WithColumnHeads == 1) {
        Line(GetFrameSeparatorLine());
        ColumnHeads();
    } else {
        Line(GetFrameBottomLine());
    }
}

void TTextReportDevice::PageBreak(bool HonourCompressedMode)
{
    if (HonourCompressedMode && telmvar.PrintSeparatorMode == 4 && telmvar.LinesPerPage / 2 > E.ReportLineCount)
        return;
    if (feed_ == TFeed::Line)
        RawLine("\f");
    else if (feed_ == TFeed::Byte)
        RawText("\f");
    E.ReportLineCount = 0;
}

void TTextReportDevice::Finish()
{
    if (feed_ != TFeed::None && E.ReportLineCount > 0 &&
        (wtelmvar.PrintHeaderMode == 2 || telmvar.PrintSeparatorMode == 4))
        RawText("\f");
}

void TTextReportDevice::ColumnHeads()
{
    std::string line(ReportLineWidth, ' ');
    line.front() = GetFrameSideChar();
    line.back() = GetFrameSideChar();
    OverwriteAt(E.ColumnHeads[1], line, 3);
    OverwriteAt(E.ColumnHeads[2], line, E.ColumnPositions.Symbol);
    OverwriteAt(E.ColumnHeads[3], line, E.ColumnPositions.Unit);
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
    Line(line);
    Line(GetFrameBottomLine());
    Line("");
}

void TTextReportDevice::Row(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                            const std::vector<std::string>& Values)
{
    const TColumnPositions& P = E.ColumnPositions;
    // Two-value rows are one character wider: the second value may end in
    // column 71.
    std::string line = RowLine(ReportLineWidth + (Values.size() == 2 ? 1 : 0), Label, Symbol, Unit);
    switch (Values.size()) {
    case 1:
        PlaceSingleValue(line, Values[0]);
        break;
    case 2:
        PlaceValues(line, Values, P.Value1 == 51 ? std::vector<int>{51, 62} : std::vector<int>{47, 57});
        break;
    case 3:
        if (E.FourValueLayout)
            PlaceValues(line, Values, {P.Value1 + 2, P.Value2 + 3, P.Value3 + 4});
        else
            PlaceValues(line, Values, {P.Value1, P.Value2, P.Value3});
        break;
    default:
        PlaceValues(line, Values, {P.Value1, P.Value2, P.Value3, P.Value4});
        break;
    }
    RowWithRule(line);
}

void TTextReportDevice::RowWithRule(const std::string& Text)
{
    Line(Text);
    if (telmvar.PrintSeparatorMode != 4) Line(GetRuleLine());
}

// Texts longer than a line become rows of at most 64 characters cut at
// blanks.
void TTextReportDevice::Wrapped(const std::string& Text)
{
    if (Text.size() <= 72) {
        TReportDevice::Wrapped(Text);
        return;
    }
    int count = 0;
    int maxLen = 0;
    WrapText(Text, ' ', 64, count, maxLen);
    for (int i = 1; i <= count; ++i)
        TextRow(telmvar.WrappedTextLines[i]);
}
