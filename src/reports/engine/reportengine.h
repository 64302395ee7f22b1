#pragma once
// The report output engine: every text report of the program goes through it.
//
// A report routine calls, in this order: SetReportHeader (and a column layout,
// reportcolumns.h), OpenReport, BeginReportOutput (opens SharedTextFile for
// writing), PrintReportPageHeader for the first page, any number of line, row
// and page calls, and CloseReport. OpenReport chooses the device and assigns
// the output; CloseReport closes it and delivers it (result window, printer,
// copy, word processor or browser).
//
// Devices: 1 screen, 2 text printer, 3 file, 4 printer, 5 word processor,
// 6 TXT file, 7 HTML file, 8 fixed DOS text file, 9 batch text file. The text
// devices (1, 2, 3, 4, 5, 8) get framed pages with headers and page breaks,
// the tab devices (6, 9) plain tab-separated lines, the HTML device one page;
// the line, row and page calls go to the device's class (reportdevice.h).
//
// Report texts are DOS code page 437 bytes; report lines are 70 characters
// indented by 7 blanks; a line starting with a form feed ends a page.

#include "reports/engine/reportstate.h"

#include <cstdint>
#include <string>

// Start-up state of the engine (device 1, empty headers, two-value layout).
void ResetReportEngine();

// The device list texts, in code order 1..7.
const char* ReportDeviceName(int Device);

// --- header and output -----------------------------------------------------

// Stores the header texts; an empty Title becomes ProgramTitle + "  V" +
// ProgramVersion. Resets the page and line counters.
void SetReportHeader(const std::string& Title, const std::string& Line1, const std::string& Line2,
                     const std::string& Line3, const std::string& Line4, int TotalPages);

// Chooses and prepares the output: Device 0 the configured default (with the
// device list when TextDeviceDialog is on), 90 only fills the device list,
// 1..9 a fixed device. Name is the caller's report name. On return without
// telmvar.Aborted the output is assigned and closed.
void OpenReport(uint16_t Device, const std::string& Name);

// Opens the assigned output for writing (the Rewrite of the report routines).
// False, with Aborted set, when it cannot be created.
bool BeginReportOutput();

// Finishes and delivers the output. False when the report failed: a line
// could not be written or the output could not be delivered; the caller (the
// batch run) must not take the output as complete. An output that could not
// be written is named in a box with the system's reason.
bool CloseReport();

// Closes the output without delivering it: for report routines that stop on
// Aborted after OpenReport. Temporary files are removed. A report that stops
// because its output could not be created or written says so in the box
// CloseReport shows.
void CancelReport();

// PageNo 1 = the first page, 0 = a following page (numbered by the
// counter). WithColumnHeads 1 ends the frame with the column heads.
void PrintReportPageHeader(int PageNo, int WithColumnHeads);

// Raw output of a line (with line end) or a text (without); on the HTML
// device converted to the display code page first.
void WriteReportLine(const std::string& Text);
void WriteReportText(const std::string& Text);

// One counted report line, and the same without line end.
void PrintReportLine(const std::string& Text);
void PrintReportText(const std::string& Text);
// An empty line between blocks that the page does not count, so that it
// leaves room for the block that follows; on the screen, text printer and
// printer, whose pages are sheets, it counts, since the sheet holds it.
void WriteReportBlankLine();
// A counted line that the framed text pages (screen, printers, files) show
// whole: a text wider than the report's line goes on over following lines,
// cut at blanks where it has them, each with the text's indent. The tab and
// HTML devices, whose lines have no width, write it as one line.
void PrintReportLongLine(const std::string& Text);

// Page control.
void ReportPageBreak();
void EjectReportPage();
void CheckReportPageEnd(int WithColumnHeads);
void KeepReportLines(int WithColumnHeads);
// Before a page head that should stand at the top of a sheet: on the devices
// whose pages end with a form feed (screen, text printer, printer) a page
// that already holds text is ended. The files, the tab and HTML devices are
// left as they are: they have no sheets, and a fresh line count there would
// move their later page breaks.
void BreakReportPageBeforeHead();

uint16_t GetReportDevice();

// Copies a file byte for byte into the open output.
void CopyFileToReport(const std::string& FileName);
