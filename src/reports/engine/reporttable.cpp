#include "reports/engine/reporttable.h"

#include "reports/engine/reportdevice.h"

#include <vector>

namespace
{

std::string Cut(const std::string& S)
{
    return S.substr(0, TReportTable::MaxCellLength);
}

} // namespace

TReportTable::TReportTable(uint32_t Width1, uint32_t Width2, uint32_t Width3, uint32_t Width4,
                           uint32_t Width5, uint32_t Width6, uint32_t Width7, const std::string& Head1,
                           const std::string& Head2, const std::string& Head3, const std::string& Head4,
                           const std::string& Head5, const std::string& Head6, const std::string& Head7)
{
    const uint32_t w[] = {Width1, Width2, Width3, Width4, Width5, Width6, Width7};
    const std::string* h[] = {&Head1, &Head2, &Head3, &Head4, &Head5, &Head6, &Head7};
    for (int i = 1; i <= 7; ++i) {
        Widths[i] = w[i - 1];
        Texts[i] = Cut(*h[i - 1]);
    }
    Widths[8] = 0;
    Texts[8] = "";
    RuleAfterRow = true;
    WriteRow(true);
}

TReportTable::~TReportTable()
{
    if (!done_) Done();
}

int TReportTable::ColumnCount() const
{
    int n = 2;
    while (n < 7 && Widths[n + 1] != 0)
        ++n;
    return n;
}

void TReportTable::AddRow(const std::string& Cell1, const std::string& Cell2, const std::string& Cell3,
                          const std::string& Cell4, const std::string& Cell5, const std::string& Cell6,
                          const std::string& Cell7)
{
    const std::string* c[] = {&Cell1, &Cell2, &Cell3, &Cell4, &Cell5, &Cell6, &Cell7};
    for (int i = 1; i <= 7; ++i)
        Texts[i] = Cut(*c[i - 1]);
    WriteRow(false);
}

void TReportTable::WriteRow(bool Head)
{
    const int n = ColumnCount();
    std::vector<std::string> cells;
    std::vector<uint32_t> widths;
    for (int i = 1; i <= n; ++i) {
        cells.push_back(Texts[i]);
        widths.push_back(Widths[i]);
    }
    CurrentReportDevice().TableRow(cells, widths, Head, RuleAfterRow);
}

void TReportTable::Done()
{
    done_ = true;
    CurrentReportDevice().TableEnd(RuleAfterRow);
}
