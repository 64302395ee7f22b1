#include "reports/engine/tableprint.h"

#include "foundation/codepage.h"
#include "foundation/programstate.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reporttable.h"
#include "xbase/ui/tablebrowser.h"

#include <algorithm>
#include <array>

void PrintDbfTable(TTzFileDataSet& Table, const std::string& Caption, const std::string& Title1)
{
    if (!Table.Active()) return;
    SetReportHeader(telmvar.ProgramName + " V" + telmvar.ProgramVersion, FileNameToOem(Table.DbfFileName()),
                    Caption, Title1, "", 0);
    OpenReport(0, telmvar.ProjectName);
    if (telmvar.Aborted) return;
    if (!BeginReportOutput()) {
        CancelReport();
        return;
    }
    PrintReportPageHeader(1, 0);
    if (!telmvar.Aborted) PrintReportLine("");
    if (telmvar.Aborted) {
        CancelReport();
        return;
    }
    // A report table has room for seven columns: wider tables show their
    // first seven fields.
    const int columns = std::min(7, Table.FieldCount());
    std::array<uint32_t, 7> widths{};
    std::array<std::string, 7> heads{};
    for (int c = 0; c < columns; ++c) {
        widths[static_cast<std::size_t>(c)] = static_cast<uint32_t>(Table.FieldLen(c + 1) + 1);
        heads[static_cast<std::size_t>(c)] = Table.FieldName(c + 1);
    }
    {
        TReportTable t(widths[0], widths[1], widths[2], widths[3], widths[4], widths[5], widths[6], heads[0],
                       heads[1], heads[2], heads[3], heads[4], heads[5], heads[6]);
        std::array<std::string, 7> cells{};
        const int32_t count = Table.RecordCount();
        for (int32_t r = 1; r <= count && !telmvar.Aborted; ++r) {
            for (int c = 0; c < columns; ++c)
                Table.Peek(c + 1, r, cells[static_cast<std::size_t>(c)]);
            t.AddRow(cells[0], cells[1], cells[2], cells[3], cells[4], cells[5], cells[6]);
        }
        t.Done();
    }
    CloseReport();
}

void InstallTablePrint()
{
    tablebrowserservices.PrintTable = [](TTzFileDataSet& Table, const std::string& Caption,
                                         const std::string& Title1) {
        PrintDbfTable(Table, Caption, Title1);
    };
}
