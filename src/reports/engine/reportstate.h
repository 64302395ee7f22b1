#pragma once
// What a report in progress knows: the device, the page and line counters,
// the header texts and the column layout. The engine opens, closes and
// delivers; the device classes (reportdevice.h) write; both read this.

#include "foundation/types.h"

#include <cstdint>
#include <string>

// Columns of the value tables on the text devices, 1-based.
struct TColumnPositions {
    int Symbol = 35;
    int Unit = 44;
    int Value1 = 51;
    int Value2 = 62;
    int Single = 56;
    int Value3 = 0; // set by the three- and four-value layouts
    int Value4 = 0; // set by the four-value layout
};

struct TReportEngine {
    uint16_t ReportDevice = 1;
    // Page headers begun since the last SetReportHeader or OpenReport.
    int32_t ReportPageNo = 0;
    // Lines counted on the current page.
    int32_t ReportLineCount = 0;
    // Counted lines written since the last page end (form feed) of the text
    // devices: what the sheet holds. SetReportHeader leaves it alone, since a
    // new header does not begin a new sheet.
    int32_t SheetLineCount = 0;
    // A line of the sheet holds more than blanks: a sheet without one is
    // not ended before a head, as it would come out of the printer empty.
    bool SheetHoldsText = false;
    void NewSheet()
    {
        SheetLineCount = 0;
        SheetHoldsText = false;
    }
    // The page holds nothing but its head (and the blank line written after
    // it): such a page is not ended before a line of the report stands on
    // it. HeadDepth counts the heads being written, whose lines leave it set.
    bool PageHoldsOnlyHead = false;
    int32_t HeadDepth = 0;
    // Column-head argument of the last text page header, reused by the
    // headers of automatic page breaks.
    int32_t PageHeaderColumnsMode = 0;
    // Text printer only: ask for paper before each page.
    bool SinglePagePrinting = false;
    std::string ReportFileName = "$out.tmp";
    // The project file a batch report (device 9) is made from. Its header
    // names this file rather than the working copy the lines go to first,
    // which is deleted once the report stands beside the project.
    std::string ReportProjectFile;
    bool HtmlTableOpen = false;
    // DataExt of the project while a save dialog or the HTML browser device
    // uses "txt" or "htm".
    std::string SavedDataExt;
    std::string ReportTitle;
    TArray<std::string, 1, 4> ReportHeaderLines;
    // Shown after the page number as "/" + count; 0 = not shown.
    int32_t ReportTotalPages = 0;

    // Column layout (reportcolumns.h): 1 label, 2 symbol, 3 unit, 4..7 the
    // value heads 1..4.
    TArray<std::string, 1, 7> ColumnHeads;
    TColumnPositions ColumnPositions;
    bool ThreeValueLayout = false;
    bool FourValueLayout = false;

    // The text printer's ports LPT1..LPT4 have no device here: the report goes
    // to the file "LPT" + port + ".PRN" in TempDir, and when this command is
    // set (a print spooler such as "lp") it is started on that file.
    std::string PrinterPortCommand;

    // The output is assigned and may be open: every way out of the report
    // closes it.
    bool OutputAssigned = false;
    // A line could not be written since OpenReport: the report is a failure
    // even though the engine wrote on to its end.
    bool ReportWriteFailed = false;
    // The printer start file waits until the output is open for writing.
    std::string PendingStartFile;
    // Index k of the TXT devices' "$$$k.txt" while the report is open.
    int TxtFileNumber = 0;
};

extern TReportEngine reportengine;
