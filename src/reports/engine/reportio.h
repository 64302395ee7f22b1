#pragma once
// The report engine's road to its output file and to the file helpers.
//
// All line output of a report goes through the program's one shared text
// file; this unit is the only place in the reports that touches it, so that
// the rule "the output is closed on every way out of a report" is kept in
// one spot.

#include <string>

// Binds the output to a file name (nothing opened).
void ReportOutputAssign(const std::string& Name);
// Opens the bound file for writing, truncating it. False on failure, with
// the reason ("disk full" or "file write error") in Why.
bool ReportOutputRewrite(std::string& Why);
// Closes the output when it is open; harmless when it is not.
bool ReportOutputClose();
bool ReportOutputIsOpen();
// Writes a text with or without line end (CR LF). False on a write error
// (which also sets telmvar.Aborted, as every line writer does).
bool ReportOutputLine(const std::string& Text);
bool ReportOutputText(const std::string& Text);
