#pragma once
// Program-wide identity, directories, flags and shared text buffers.
//
// Every command, calculation step, dialog and file routine reads and writes
// these for the whole run; they are grouped in one record so that a test can
// restore the start-up state with ResetTelmvar().

#include "foundation/types.h"

#include <cstdint>
#include <string>

struct TTelmvar {
    // Flags. Aborted is the failure/cancel flag of the current command: every
    // command clears it first and stops at the first step that sets it.
    bool Aborted = false;
    // A calculation step found invalid data and added a "Fatal  : " text;
    // later steps log their own fatal line and return without work.
    bool FatalCalcError = false;
    bool DataModified = false;
    bool MessagesEnabled = true;
    bool ArchiveMode = false; // ProjectName then holds the full path
    bool ArchiveFlag = false;

    int32_t TempFileCounter = 0;
    // Help entry that the Help buttons of the next dialog show.
    uint16_t HelpNumber = 0;
    // Configured number of decimals; shifts every fixed-point number text
    // (3 leaves the callers' decimals as they are).
    int32_t DecimalDigits = 3;
    int32_t LinesPerPage = 66;
    uint16_t HelpLevel = 1;
    uint16_t PrinterPort = 1;
    uint16_t HardcopyPort = 1;
    uint16_t PrinterType = 3;
    uint16_t PrintDensity = 1;
    uint16_t PrintDensityVertical = 1;
    char RotateHardcopy = 'J';
    uint16_t PrintSeparatorMode = 1;
    uint16_t PrintColorMode = 1; // 1 mono, 2 colour
    uint16_t DiagramKind = 1;
    int32_t SelectedRecordNo = 1;
    // Grid position of the row last picked in the table browser; the browser
    // restores the column when it is shown again to pick a record.
    int32_t BrowserGridRow = 0;
    int32_t BrowserGridColumn = 0;
    int32_t GraphDriver = 0;
    int32_t GraphMode = 0;
    uint16_t ScreenPixelsX = 0;
    uint16_t ScreenPixelsY = 0;
    uint16_t MaxColorIndex = 16;
    bool ColorGraphics = true;
    char LastKeyChar = '0';
    char LastKeyScan = '0';

    // Identity: neutral values until the application shell sets its own.
    std::string ProgramName = "TELMORA";
    std::string ProgramFileStem = "TELMORA";
    std::string ProgramTitle = "T E L M O R A    -    Software";
    std::string DataExt = "EXT";
    std::string ProgramVersion = "1.0";
    std::string ProjectName;

    std::string DataDir;
    std::string CadDir;
    std::string DbfDir;
    std::string EdiDir;
    std::string PltDir;
    std::string TempDir;
    std::string SharedDir;
    std::string StartDir; // current directory at program start

    // Item texts handed to the selection, radio and information dialogs;
    // preset to 65 blanks each so that an unused item still has its width.
    TArray<std::string, 1, 135> TextItems;
    // Output of the word-wrap routine, preset to 64 blanks each.
    TArray<std::string, 1, 5> WrappedTextLines;
    // The project's three remark lines, written under the file header block.
    TArray<std::string, 1, 3> RemarkLines;

    // The one shared text file of the line-oriented readers and writers and
    // of the report engine belongs here; it is declared with the text-file
    // unit, which keeps its own record beside this one.
};

extern TTelmvar telmvar;

// Presets TextItems, WrappedTextLines and RemarkLines and records the current
// directory as StartDir.
void InitGlobalTexts();

// Restores the start-up state: the defaults above, then InitGlobalTexts.
void ResetTelmvar();

// Where the project is kept: the name, directory and archive mode that Save
// writes to. The file dialogs set them for the file they choose; a command
// whose file turns out not to be the project's (one not written or not read,
// a report, a load spectrum) puts back what it noted before.
struct TProjectPlace {
    std::string ProjectName;
    std::string DataDir;
    bool ArchiveMode = false;
};
TProjectPlace CurrentProjectPlace();
void RestoreProjectPlace(const TProjectPlace& Place);
