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
// Opens the bound file for writing. False on failure; Why holds a message
// still to be shown (empty when the failure was reported already).
bool ReportOutputRewrite(std::string& Why, bool Scratch = false);
// Closes the output when it is open; harmless when it is not.
bool ReportOutputClose();
bool ReportOutputIsOpen();
// Closes an open output without putting it in place (a cancelled report).
void ReportOutputAbandon();
// Writes a text with or without line end (CR LF). False on a write error
// (which also sets telmvar.Aborted, as every line writer does).
bool ReportOutputLine(const std::string& Text);
bool ReportOutputText(const std::string& Text);
// The box of a report whose output could not be created, written or put in
// place: "file <name> cannot be written: <the system's reason>", or "file
// write error <name>" when the output file itself did not fail (a start
// file that could not be copied in).
std::string ReportOutputFailureText(const std::string& Name);
