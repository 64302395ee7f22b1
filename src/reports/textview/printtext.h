#pragma once
// Printing a report text file page by page. A line that begins with a form
// feed ends a page; the rest of that line is not printed.

#include <string>
#include <vector>

namespace platform
{
class Printer;
}

// The pages of a report text: each page its lines (form-feed lines left
// out). The text after the last form feed is a page of its own when it holds
// anything, so a report without a final break loses nothing.
std::vector<std::vector<std::string>> SplitTextPages(const std::string& Text);

// Prints the file on the printer of the current platform, LinesPerPage lines
// to a sheet: a page of the text that holds more goes on over further
// sheets. The print dialog offers the sheets 1..count; the chosen range is
// printed, each report line made displayable, in the print font.
void PrintTextFile(const std::string& FileName);

// Starts a document on the printer as the program's print commands do
// (platform::StartPrintout). A print to a file that would replace a file an
// earlier printout named, unasked by this printout's print dialog, asks the
// overwrite question first: No or Cancel prints nothing and keeps the file.
// False when nothing is printed.
bool BeginPrintout(platform::Printer& Printer, const std::string& Title);

// Ends the printer's document. A print to a file that could not be written
// says so ("file <name> cannot be written: <cause>") and sets Aborted; the
// old file is then as it was. False then.
bool EndPrintout(platform::Printer& Printer);
