#pragma once
// The project table of the File menu: every project file of the data
// directory read, calculated and listed with its main data and safeties in
// the file-list preview, from which the user opens one; and the spreadsheet
// commands that hand the project file or the stage report to the desktop's
// program for tables.

#include <ctime>
#include <functional>
#include <string>
#include <vector>

class TForm_preview;

inline constexpr int ProjectTableColumns = 52;

// The header row in the current unit system.
std::vector<std::string> ProjectTableHeader();

// One row from the stage records as the last calculation left them. A
// project whose calculation failed fatally shows no results.
std::vector<std::string> ProjectTableRow(const std::string& FileName, std::time_t FileTime);

// The row of a file that could not be read: name, date and "not readable".
std::vector<std::string> UnreadableProjectRow(const std::string& FileName, std::time_t FileTime);

// The project files of Dir (extension DataExt, any case), sorted by name.
std::vector<std::string> ProjectFilesOf(const std::string& Dir);

// Header, widths and one row per project file of DataDir: each read and
// calculated in turn, its messages collected without a box. The program's
// records then hold the last project of the directory.
void FillProjectTable(TForm_preview& Form);

// The command: asks to save unsaved input, fills the table and shows it
// until the user cancels; each picked row's project is opened (read,
// calculated) and Refresh runs before the table comes back.
void ProjectTableCommand(const std::function<void()>& Refresh);

// The spreadsheet is the desktop's program for CSV tables. StartExcel
// checks that a project name exists and that such a program is there.
void StartExcel();
// Saves unsaved input first, then hands the project file's lines over.
void ExportToExcel();
// The stage report part written as a text file (text device 6) and handed
// over; the configured text device and its dialog switch stay as they were.
void PrintoutViaExcel(int Part);
