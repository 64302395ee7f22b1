#include "reports/engine/reporttable.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/textutil.h"
#include "foundation/numbertext.h"
#include "reports/engine/htmltext.h"
#include "reports/engine/numberfit.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"

#include <cctype>

namespace
{

std::string Cut(const std::string& S)
{
    return S.substr(0, TReportTable::MaxCellLength);
}

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

std::string FitReportCell(const std::string& Cell, uint32_t Width, bool Number)
{
    const int w = static_cast<int>(Width);
    if (!Number || static_cast<int>(Cell.size()) <= w) return FitLeft(Cell, w);
    const std::string trimmed = TrimBlanks(Cell);
    if (static_cast<int>(trimmed.size()) <= w)
        return FitLeft(std::string(static_cast<size_t>(w) - trimmed.size(), ' ') + trimmed, w);
    const std::string shorter = ShortestNumberText(trimmed, w);
    if (!shorter.empty()) return FitLeft(std::string(static_cast<size_t>(w) - shorter.size(), ' ') + shorter, w);
    return std::string(static_cast<size_t>(w), '*');
}

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
    const uint16_t dev = GetReportDevice();
    const int n = ColumnCount();
    if (dev == 6) {
        PrintReportText(Texts[1]);
        for (int i = 2; i <= n; ++i)
            WriteReportText("\t" + Texts[i]);
        WriteReportLine("");
        return;
    }
    if (dev == 7) {
        if (Head) {
            WriteReportLine("<TABLE BORDER = \"1\" WIDTH= \"100%\">");
            std::string row = "<TR><TD><CENTER>" + HtmlEscape(Texts[1]) + "</CENTER></TD>";
            for (int i = 2; i <= n; ++i)
                row += "<TD><CENTER>" + HtmlEscape(Texts[i]) + "</CENTER></TD>";
            WriteReportLine(row + "</TR>");
        } else {
            std::string row = "<TR><TD>" + HtmlEscape(Texts[1]) + "</TD>";
            for (int i = 2; i <= n; ++i)
                row += "<TD><DIV ALIGN=RIGHT>" + HtmlEscape(Texts[i]) + "</DIV></TD>";
            WriteReportLine(row + "</TR>");
        }
        return;
    }
    if (Head) PrintReportLine(GetDoubleRuleLine());
    PrintReportText(FitLeft(Texts[1], static_cast<int>(Widths[1])));
    for (int i = 2; i <= n; ++i)
        WriteReportText(FitReportCell(Texts[i], Widths[i], !Head && LooksNumeric(Texts[i])));
    WriteReportLine(" ");
    if (Head)
        PrintReportLine(GetDoubleRuleLine());
    else if (RuleAfterRow)
        PrintReportLine(GetRuleLine());
}

void TReportTable::Done()
{
    done_ = true;
    if (!RuleAfterRow) PrintReportLine(GetRuleLine());
    if (GetReportDevice() == 7) WriteReportLine("</TABLE>");
}
