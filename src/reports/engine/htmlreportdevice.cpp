#include "foundation/codepage.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "reports/engine/htmltext.h"
#include "reports/engine/reportdevice.h"
#include "reports/engine/reportstate.h"

namespace
{

TReportEngine& E = reportengine;

// "<TD>" cells of the texts, each escaped; Open and Close wrap each text.
std::string TdCells(const std::vector<std::string>& Texts, size_t From, const std::string& Open,
                    const std::string& Close)
{
    std::string R;
    for (size_t i = From; i < Texts.size(); ++i)
        R += "<TD>" + Open + HtmlEscape(Texts[i]) + Close + "</TD>";
    return R;
}

} // namespace

// The report bytes are converted to the display code page the page names.
std::string THtmlReportDevice::Encoded(const std::string& Text) const
{
    return ConvertTextCodePage(Text);
}

// A counted line ends the open table. Rules are left out; a text without
// line end still counts towards a page.
void THtmlReportDevice::Line(const std::string& Text)
{
    EndTable();
    E.ReportLineCount += 1;
    if (!IsRule(Text)) RawLine("<br>" + HtmlEscape(Text));
}

void THtmlReportDevice::Text(const std::string& Text)
{
    EndTable();
    E.ReportLineCount += 1;
    CheckPageEnd(E.PageHeaderColumnsMode);
    RawText("<br>" + HtmlEscape(Text));
}

// One page: the head, the title and the header lines on the first call.
void THtmlReportDevice::PageHeader(int PageNo, int /*WithColumnHeads*/)
{
    if (!FirstPage(PageNo)) return;
    const std::string title = HtmlEscape(ProgramTitleWithVersion());
    RawLine("<!-- " + FileNameToOem(WithoutBlanks(E.ReportFileName)) + " -->");
    RawLine("<HTML>");
    RawLine("<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\"><title>" +
            title + "</title></head>");
    RawLine("<BODY BGCOLOR=\"C0C0C0\">");
    RawLine("<hr>");
    EndTable();
    E.ReportLineCount += 1;
    RawLine("<br><h4>" + title + "</h4>");
    RawLine("<hr>");
    for (int i = 1; i <= 4; ++i)
        RawLine("<h5>" + HtmlEscape(E.ReportHeaderLines[i]) + "</h5>");
    RawLine("<hr>");
    E.ReportPageNo += 1;
}

void THtmlReportDevice::Finish()
{
    EndTable();
    RawLine("</BODY>");
    RawLine("</HTML>");
}

void THtmlReportDevice::ColumnHeads()
{
    const std::vector<std::string> heads = HeadTexts();
    BeginTable();
    RawLine("<TR><TD><CENTER>" + HtmlEscape(heads[0]) + "</CENTER></TD>" + TdCells(heads, 1, "", "") +
            "</TR>");
}

// A one-value row opens a table without heads and sets its value right.
void THtmlReportDevice::Row(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                            const std::vector<std::string>& Values)
{
    if (Values.size() == 1) {
        if (!E.HtmlTableOpen) BeginTable();
        RawLine("<TR>" + TdCells({Label, Symbol, Unit}, 0, "", "") +
                TdCells(Values, 0, "<DIV ALIGN=RIGHT>", "</DIV>") + "</TR>");
        return;
    }
    if (!E.HtmlTableOpen) ColumnHeads();
    RawLine("<TR>" + TdCells({Label, Symbol, Unit}, 0, "", "") + TdCells(Values, 0, "", "") + "</TR>");
}

void THtmlReportDevice::TextRow(const std::string& Text)
{
    if (!E.HtmlTableOpen) BeginTable();
    RawLine("<TR><TD>" + HtmlEscape(Text) + "</TD></TR>");
}

void THtmlReportDevice::BeginTable()
{
    EndTable();
    RawLine("<TABLE BORDER = \"2\" WIDTH= \"100%\">");
    E.HtmlTableOpen = true;
}

void THtmlReportDevice::EndTable()
{
    if (!E.HtmlTableOpen) return;
    RawLine("</TABLE>");
    E.HtmlTableOpen = false;
}

// Free tables have a border of their own and centred heads.
void THtmlReportDevice::TableRow(const std::vector<std::string>& Cells,
                                 const std::vector<uint32_t>& /*Widths*/, bool Head, bool /*RuleAfterRow*/)
{
    if (Head) {
        RawLine("<TABLE BORDER = \"1\" WIDTH= \"100%\">");
        RawLine("<TR>" + TdCells(Cells, 0, "<CENTER>", "</CENTER>") + "</TR>");
    } else {
        RawLine("<TR><TD>" + HtmlEscape(Cells[0]) + "</TD>" +
                TdCells(Cells, 1, "<DIV ALIGN=RIGHT>", "</DIV>") + "</TR>");
    }
}

void THtmlReportDevice::TableEnd(bool RuleAfterRow)
{
    TReportDevice::TableEnd(RuleAfterRow);
    RawLine("</TABLE>");
}

void THtmlReportDevice::RecordSeparator()
{
    EndTable();
    Line("");
    BeginTable();
}
