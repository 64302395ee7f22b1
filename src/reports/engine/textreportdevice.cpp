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

#include <algorithm>

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

// The first column at or after From that holds a character other than a
// blank; one past the line when there is none.
int FirstInkFrom(const std::string& Line, int From)
{
    for (int c = std::max(From, 1); c <= static_cast<int>(Line.size()); ++c)
        if (Line[static_cast<size_t>(c - 1)] != ' ') return c;
    return static_cast<int>(Line.size()) + 1;
}

// The last column a field starting at Pos may fill: one blank must stay
// before whatever already stands to its right, so that a reader can tell
// where one field ends and the next begins.
int LastFreeColumn(const std::string& Line, int Pos)
{
    const int ink = FirstInkFrom(Line, Pos);
    return ink > static_cast<int>(Line.size()) ? ink - 1 : ink - 2;
}

std::string WithoutTrailingBlanks(std::string Text)
{
    while (!Text.empty() && Text.back() == ' ')
        Text.pop_back();
    return Text;
}

// A label, symbol or unit at Pos, cut where it would touch what stands to
// its right (the fields to the right are placed first).
void PlaceCaption(const std::string& Text, std::string& Line, int Pos)
{
    const int room = LastFreeColumn(Line, Pos) - Pos + 1;
    if (room <= 0) return;
    OverwriteAt(WithoutTrailingBlanks(Text.substr(0, static_cast<size_t>(room))), Line, Pos);
}

// The first value of a row that is not empty: its column (0 when all are
// empty) and the last column of its slot.
struct TFirstValue {
    int At = 0;
    int SlotEnd = 0;
};

// The unit, symbol and label of a row whose values are placed. The unit is
// shown whole with a blank before the first value, as the tab-separated
// report shows it: where the narrow unit columns of the three- and
// four-value layouts lack room, it ends a blank before the first value's
// digits, reaching left as far as a blank after the symbol, and what it
// still lacks moves the first value right within its slot; only a unit
// that has no room then either is cut. The symbol and the label give way to
// what stands to their right, so that a blank always parts them from it.
void PlaceCaptions(std::string& Line, const std::string& Label, const std::string& Symbol,
                   const std::string& Unit, TFirstValue First)
{
    const TColumnPositions& P = E.ColumnPositions;
    std::string unit = WithoutTrailingBlanks(Unit);
    const int length = static_cast<int>(unit.size());
    int at = P.Unit;
    if (First.At != 0 && length > 0) {
        const int width = static_cast<int>(Line.size());
        const int ink = FirstInkFrom(Line, First.At);
        const std::string symbol = WithoutTrailingBlanks(Symbol);
        const int leftmost = symbol.empty() ? P.Symbol : P.Symbol + static_cast<int>(symbol.size()) + 1;
        at = std::max(std::min(at, ink - 1 - length), std::min(leftmost, at));
        int last = std::min(First.SlotEnd, width);
        while (last > ink && Line[static_cast<size_t>(last - 1)] == ' ')
            --last;
        const int limit =
            std::min(LastFreeColumn(Line, last + 1), First.SlotEnd < width ? First.SlotEnd - 1 : width);
        const int shift = ink <= last ? std::clamp(at + length + 1 - ink, 0, std::max(limit - last, 0)) : 0;
        if (shift > 0) {
            const std::string value =
                Line.substr(static_cast<size_t>(ink - 1), static_cast<size_t>(last - ink + 1));
            Line.replace(static_cast<size_t>(ink - 1), value.size(), value.size(), ' ');
            OverwriteAt(value, Line, ink + shift);
        }
        unit = unit.substr(0, static_cast<size_t>(std::max(ink + shift - 1 - at, 0)));
    }
    OverwriteAt(unit, Line, at);
    PlaceCaption(Symbol, Line, P.Symbol);
    PlaceCaption(Label, Line, 1);
}

// Places the values at their columns, each allowed up to the column before
// the next value (the last one up to the end of the line). They are placed
// from the right, so that a value that would run into its right neighbour
// gives way (fewer decimals) instead of touching it.
TFirstValue PlaceValues(std::string& Line, const std::vector<std::string>& Values,
                        const std::vector<int>& Positions)
{
    const int width = static_cast<int>(Line.size());
    TFirstValue first;
    for (size_t i = Values.size(); i-- > 0;) {
        const int slotEnd = i + 1 < Positions.size() ? Positions[i + 1] - 1 : width;
        PlaceReportValue(Values[i], Line, Positions[i], slotEnd, LastFreeColumn(Line, Positions[i]));
        if (!Values[i].empty()) first = {Positions[i], slotEnd};
    }
    return first;
}

// One value at the single-value column; a value too long for it is trimmed,
// then moved left so that its last character stands in column 69.
TFirstValue PlaceSingleValue(std::string& Line, const std::string& Value)
{
    const int s = E.ColumnPositions.Single;
    std::string value = Value;
    int pos = s;
    if (static_cast<int>(value.size()) > ReportLineWidth - s) {
        value = TrimBlanks(value);
        if (static_cast<int>(value.size()) > ReportLineWidth - s)
            pos = ReportLineWidth - static_cast<int>(value.size());
    }
    if (pos < 1) {
        PlaceReportValue(value, Line, s, ReportLineWidth - 1, ReportLineWidth - 1);
        pos = s;
    } else {
        OverwriteAt(value, Line, pos);
    }
    return {Value.empty() ? 0 : pos, static_cast<int>(Line.size())};
}

// The project as the page head names it, from column 4 up to column 68
// (a blank before the frame's side, as the page number and the time keep):
// its directory and name where the whole text fits there, else the name
// alone, else the name cut in its middle. The room is judged on the whole
// text written, directory, separator, name and extension: judged on the
// directory and name alone, a path a few characters too long for the line
// left the head without any project.
std::string ProjectHeadText()
{
    constexpr std::size_t room = ReportLineWidth - 5;
    const std::string name = FileNameToOem(TrimBlanks(telmvar.ProjectName));
    // In archive mode the name holds the whole path.
    const std::string whole = telmvar.ArchiveMode ? name
                                                  : FileNameToOem(AddTrailingBackslash(telmvar.DataDir)) +
                                                        name + "." + telmvar.DataExt;
    if (whole.size() <= room) return whole;
    const std::string alone =
        telmvar.ArchiveMode ? name.substr(FileDirPart(name).size()) : name + "." + telmvar.DataExt;
    // Cut in its middle only when longer than the room: a name of exactly
    // the room's width is shown whole.
    return AbbreviateMiddle(alone, static_cast<int>(room));
}

} // namespace

void TTextReportDevice::Line(const std::string& Text)
{
    if (Text == ReportDropMarker) return;
    E.ReportLineCount += 1;
    CheckPageEnd(E.PageHeaderColumnsMode);
    LineWritten();
    CountOnSheet(Text);
    RawLine(Indent + Text);
}

void TTextReportDevice::Text(const std::string& Text)
{
    if (Text == ReportDropMarker) return;
    E.ReportLineCount += 1;
    CheckPageEnd(E.PageHeaderColumnsMode);
    LineWritten();
    CountOnSheet(Text);
    RawText(Indent + Text);
}

void TTextReportDevice::CountOnSheet(const std::string& Text)
{
    E.SheetLineCount += 1;
    if (Text.find_first_not_of(' ') != std::string::npos) E.SheetHoldsText = true;
}

void TTextReportDevice::BlankLine(const std::string& Text)
{
    // The files keep the pages they have always had.
    if (!FeedsPages()) {
        RawLine(Text);
        return;
    }
    E.ReportLineCount += 1;
    CheckPageEnd(E.PageHeaderColumnsMode);
    LineWritten();
    CountOnSheet(Text);
    RawLine(Text);
}

void TTextReportDevice::LongLine(const std::string& Text)
{
    // Cut at the last blank that leaves the piece within the line, or at the
    // line's end where a word is longer than that; the following lines keep
    // the text's indent, so that they read as its continuation.
    const size_t indent = std::min(Text.find_first_not_of(' '), Text.size());
    const size_t line = ReportLineWidth;
    const size_t width = line > indent ? line - indent : 1;
    // The rest never begins with a blank: a blank found is past its start.
    std::string rest = Text.substr(indent);
    while (rest.size() > width) {
        const size_t cut = std::min(rest.rfind(' ', width), width);
        Line(Text.substr(0, indent) + rest.substr(0, cut));
        rest.erase(0, std::min(rest.find_first_not_of(' ', cut), rest.size()));
    }
    Line(Text.substr(0, indent) + rest);
}

void TTextReportDevice::PageHeader(int PageNo, int WithColumnHeads)
{
    AskInsertPaper();
    if (telmvar.Aborted) return;
    const bool first = FirstPage(PageNo);
    if (wtelmvar.PrintHeaderMode == 2 && !first) {
        // With the head on page 1 only, a later head is a blank line; where
        // pages are sheets it counts, as every line a sheet holds.
        BlankLine(" ");
        return;
    }
    if (telmvar.PrintSeparatorMode == 4 && telmvar.LinesPerPage / 2 > E.ReportLineCount && !first) return;
    // A head on a sheet that already holds lines (the compressed form fills
    // a sheet less than half full before a section's head) counts on from
    // them: counted from 0, the page went on past the sheet's end.
    E.ReportLineCount = FeedsPages() ? E.SheetLineCount : 0;
    // A head that begins a page holds it until a line of the report stands
    // below it; one that begins on a sheet already holding lines counts on
    // from them and breaks where the sheet ends, as it always has.
    E.PageHoldsOnlyHead = E.ReportLineCount == 0;
    struct THeadLines {
        THeadLines() { ++E.HeadDepth; }
        ~THeadLines() { --E.HeadDepth; }
    } headLines;
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
    // The head shows the name without its outer blanks; the project keeps
    // them: " p" is another file than "p", and a Save after the report
    // writes the file that was opened.
    // The project's directory and name are the file system's bytes: the
    // report's code page gets them character by character ("?" for what it
    // cannot show), and the line's room is counted in those characters.
    OverwriteAt(ProjectHeadText(), line, 4);
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
    if (HonourCompressedMode && telmvar.PrintSeparatorMode == 4 &&
        telmvar.LinesPerPage / 2 > E.ReportLineCount)
        return;
    if (feed_ == TFeed::Line)
        RawLine("\f");
    else if (feed_ == TFeed::Byte)
        RawText("\f");
    if (feed_ != TFeed::None) E.NewSheet();
    E.ReportLineCount = 0;
}

void TTextReportDevice::Finish()
{
    // A last sheet of blank lines only (the blank line of a later head)
    // is left without its end, so that it is not printed.
    if (feed_ != TFeed::None && E.ReportLineCount > 0 && E.SheetHoldsText &&
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
    std::string line(static_cast<size_t>(ReportLineWidth + (Values.size() == 2 ? 1 : 0)), ' ');
    TFirstValue first;
    switch (Values.size()) {
    case 1:
        first = PlaceSingleValue(line, Values[0]);
        break;
    case 2:
        first =
            PlaceValues(line, Values, P.Value1 == 51 ? std::vector<int>{51, 62} : std::vector<int>{47, 57});
        break;
    case 3:
        if (E.FourValueLayout)
            first = PlaceValues(line, Values, {P.Value1 + 2, P.Value2 + 3, P.Value3 + 4});
        else
            first = PlaceValues(line, Values, {P.Value1, P.Value2, P.Value3});
        break;
    default:
        first = PlaceValues(line, Values, {P.Value1, P.Value2, P.Value3, P.Value4});
        break;
    }
    PlaceCaptions(line, Label, Symbol, Unit, first);
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
