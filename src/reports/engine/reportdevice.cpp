#include "reports/engine/reportdevice.h"

#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "reports/engine/numberfit.h"
#include "reports/engine/reportframes.h"
#include "reports/engine/reportio.h"
#include "reports/engine/reportservices.h"
#include "reports/engine/reportstate.h"

#include <cctype>

namespace
{

TReportEngine& E = reportengine;

// Texts that are numbers (with sign, decimal separator, exponent, or a
// tolerance pair "+0.02/-0.01"): cutting them would show a wrong value.
bool LooksNumeric(const std::string& S)
{
    bool digit = false;
    for (unsigned char c : S) {
        if (std::isdigit(c))
            digit = true;
        else if (!(c == ' ' || c == '.' || c == ',' || c == '+' || c == '-' || c == 'E' || c == 'e' ||
                   c == '/'))
            return false;
    }
    return digit;
}

} // namespace

void TReportDevice::RawLine(const std::string& Text)
{
    if (!ReportOutputLine(Encoded(Text))) E.ReportWriteFailed = true;
}

void TReportDevice::RawText(const std::string& Text)
{
    if (!ReportOutputText(Encoded(Text))) E.ReportWriteFailed = true;
}

void TReportDevice::CheckPageEnd(int WithColumnHeads)
{
    if (E.ReportLineCount < telmvar.LinesPerPage) return;
    if (wtelmvar.PrintHeaderMode == 2) {
        RawLine("\f");
        E.ReportLineCount = 0;
        E.NewSheet();
        return;
    }
    // A page that holds nothing but its head (and the blank line after it)
    // is not ended: the line goes on that page. This departs from ending
    // every page that reaches "Max. lines per page", because a head as tall
    // as the page reached its end again with the blank line written after
    // it, and each new head began another page without end until the stack
    // ran out. So a head taller than the page is written whole, every page
    // holds its head and a line of the report, and the printout carries an
    // over-long page over further sheets, as it does any other.
    if (E.PageHoldsOnlyHead) return;
    PageBreak(true);
    ++E.HeadDepth;
    PageHeader(0, WithColumnHeads);
    Line("");
    --E.HeadDepth;
}

void TReportDevice::LineWritten()
{
    // The lines of a head (and the blank line after it) leave the page
    // holding only its head.
    if (E.HeadDepth == 0) E.PageHoldsOnlyHead = false;
}

void TReportDevice::Wrapped(const std::string& Text)
{
    if (!Text.empty()) TextRow(Text);
}

// Fixed-width rows between double rules for the head, single rules between
// the rows.
void TReportDevice::TableRow(const std::vector<std::string>& Cells, const std::vector<uint32_t>& Widths,
                             bool Head, bool RuleAfterRow)
{
    if (Head) Line(GetDoubleRuleLine());
    const std::string first = FitLeft(Cells[0], static_cast<int>(Widths[0]));
    Text(first);
    char before = first.empty() ? ' ' : first.back();
    for (size_t i = 1; i < Cells.size(); ++i) {
        const bool number = !Head && LooksNumeric(Cells[i]);
        std::string cell = FitReportCell(Cells[i], Widths[i], number);
        // A number that fills its column (one written shorter fills it
        // whole) would run into the text before it, "2.638888889E11" twice
        // reading as one number: it is fitted one character narrower behind
        // a blank, ending where the column's other numbers end.
        if (number && Widths[i] > 1 && !cell.empty() && cell.front() != ' ' && before != ' ')
            cell = " " + FitReportCell(Cells[i], Widths[i] - 1, true);
        RawText(cell);
        if (!cell.empty()) before = cell.back();
    }
    RawLine(" ");
    if (Head)
        Line(GetDoubleRuleLine());
    else if (RuleAfterRow)
        Line(GetRuleLine());
}

void TReportDevice::TableEnd(bool RuleAfterRow)
{
    if (!RuleAfterRow) Line(GetRuleLine());
}

void TReportDevice::RecordsBegin(const std::string& Title)
{
    // The two empty lines are not counted by the page, as the list has
    // always been written; a sheet holds them all the same, so where pages
    // are sheets they count (BlankLine). Uncounted they made a full page two
    // lines longer than its sheet, its last line printed alone on a sheet
    // the heads' page count does not know.
    BlankLine("");
    Line(Title);
    Line(GetDoubleRuleLine());
    BlankLine("");
    Line(GetRuleLine());
    BeginTable();
}

void TReportDevice::Record(const std::vector<std::string>& Fields)
{
    TextRow(Fields.front());
    for (size_t i = 1; i < Fields.size(); ++i)
        Wrapped(Fields[i]);
    RecordSeparator();
}

void TReportDevice::RecordSeparator()
{
    if (telmvar.PrintSeparatorMode != 4) Line(GetRuleLine());
}

bool TReportDevice::IsRule(const std::string& Text)
{
    return Text == GetRuleLine() || Text == GetDoubleRuleLine() || Text == ReportDropMarker;
}

bool TReportDevice::FirstPage(int PageNo)
{
    return PageNo == 1 || (PageNo == 0 && E.ReportPageNo == 0);
}

std::string TReportDevice::ProgramTitleWithVersion()
{
    return telmvar.ProgramTitle + " V" + telmvar.ProgramVersion;
}

std::vector<std::string> TReportDevice::HeadTexts()
{
    const int values = E.FourValueLayout ? 4 : E.ThreeValueLayout ? 3 : 2;
    std::vector<std::string> heads;
    for (int i = 1; i <= 3 + values; ++i)
        heads.push_back(E.ColumnHeads[i]);
    return heads;
}

TReportDevice& CurrentReportDevice()
{
    static TTextReportDevice fileDevice(TTextReportDevice::TFeed::None);
    static TTextReportDevice pageDevice(TTextReportDevice::TFeed::Line);
    static TTextReportDevice portDevice(TTextReportDevice::TFeed::Byte);
    static TTabReportDevice tabDevice(false);
    static TTabReportDevice batchDevice(true);
    static THtmlReportDevice htmlDevice;
    switch (E.ReportDevice) {
    case 1:
    case 4:
        return pageDevice;
    case 2:
        return portDevice;
    case 6:
        return tabDevice;
    case 7:
        return htmlDevice;
    case 9:
        return batchDevice;
    default:
        return fileDevice;
    }
}

void AskInsertPaper()
{
    if (!E.SinglePagePrinting) return;
    if (!reportservices.AskYesNoCancel("Insert paper.  Continue ?")) telmvar.Aborted = true;
}
