#include "foundation/codepage.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "reports/engine/reportdevice.h"
#include "reports/engine/reportservices.h"
#include "reports/engine/reportstate.h"

namespace
{

std::string Joined(const std::vector<std::string>& Fields)
{
    std::string R;
    for (size_t i = 0; i < Fields.size(); ++i) {
        if (i > 0) R += '\t';
        R += Fields[i];
    }
    return R;
}

} // namespace

// Rules have no place between tab-separated lines.
void TTabReportDevice::Line(const std::string& Text)
{
    if (!IsRule(Text)) RawLine(Text);
}

void TTabReportDevice::Text(const std::string& Text)
{
    RawText(Text);
}

// Only the first page has a header: program, date and time, the file (the
// project of a batch report, not its working copy), the three remarks.
void TTabReportDevice::PageHeader(int PageNo, int /*WithColumnHeads*/)
{
    TReportEngine& E = reportengine;
    if (!FirstPage(PageNo)) return;
    Line(ProgramTitleWithVersion() + "\t" + reportservices.TodayDateText() + "\t" +
         reportservices.NowTimeText());
    // Both are names as the file system has them.
    if (batch_ && !E.ReportProjectFile.empty())
        Line(FileNameToOem(E.ReportProjectFile));
    else
        Line(FileNameToOem(WithoutBlanks(E.ReportFileName)));
    for (int i = 1; i <= 3; ++i)
        Line(telmvar.RemarkLines[i]);
    Line(" ");
    E.ReportPageNo += 1;
}

void TTabReportDevice::ColumnHeads()
{
    Line(Joined(HeadTexts()));
}

void TTabReportDevice::Row(const std::string& Label, const std::string& Symbol, const std::string& Unit,
                           const std::vector<std::string>& Values)
{
    std::vector<std::string> fields{Label, Symbol, Unit};
    fields.insert(fields.end(), Values.begin(), Values.end());
    RawLine(Joined(fields));
}

// The batch report keeps its free tables in fixed columns.
void TTabReportDevice::TableRow(const std::vector<std::string>& Cells, const std::vector<uint32_t>& Widths,
                                bool Head, bool RuleAfterRow)
{
    if (batch_) {
        TReportDevice::TableRow(Cells, Widths, Head, RuleAfterRow);
        return;
    }
    Text(Cells[0]);
    for (size_t i = 1; i < Cells.size(); ++i)
        RawText("\t" + Cells[i]);
    RawLine("");
}

void TTabReportDevice::RecordsBegin(const std::string& Title)
{
    RawLine("");
    Line(Title);
}

void TTabReportDevice::Record(const std::vector<std::string>& Fields)
{
    RawLine(Joined(Fields));
}
