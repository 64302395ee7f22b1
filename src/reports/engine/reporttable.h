#pragma once
// A small report table of up to seven free columns with fixed widths: the
// head row is written by Init, each AddRow writes one row, Done closes the
// table. Fixed-width rows on the text devices and on the batch device 9,
// tab-separated fields on device 6, an HTML table on device 7.

#include "foundation/types.h"
#include "reports/engine/numberfit.h"

#include <cstdint>
#include <string>

class TReportTable
{
  public:
    // Widths in characters; a width of 0 from column 3 on ends the column
    // list (columns 1 and 2 always belong to it).
    TReportTable(uint32_t Width1, uint32_t Width2, uint32_t Width3, uint32_t Width4, uint32_t Width5,
                 uint32_t Width6, uint32_t Width7, const std::string& Head1, const std::string& Head2,
                 const std::string& Head3, const std::string& Head4, const std::string& Head5,
                 const std::string& Head6, const std::string& Head7);
    virtual ~TReportTable();
    TReportTable(const TReportTable&) = delete;
    TReportTable& operator=(const TReportTable&) = delete;

    void AddRow(const std::string& Cell1, const std::string& Cell2, const std::string& Cell3 = "",
                const std::string& Cell4 = "", const std::string& Cell5 = "", const std::string& Cell6 = "",
                const std::string& Cell7 = "");
    // Writes the closing rule or "</TABLE>"; the destructor calls it when the
    // caller did not.
    virtual void Done();

    TArray<uint32_t, 1, 8> Widths;
    // Headings after construction, then the cells of the last row; each cut
    // to 60 characters.
    TArray<std::string, 1, 8> Texts;
    bool RuleAfterRow = true;

    // Number of columns in the list (2..7).
    int ColumnCount() const;

    static constexpr size_t MaxCellLength = 60;

  private:
    void WriteRow(bool Head);
    bool done_ = false;
};
