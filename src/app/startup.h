#pragma once
// The start of the program: the creation of the main window in its fixed
// order (identity, configuration, session, table object, the start-up
// routine with its command line, window size and caption) and the two batch
// modes that end the process from inside it.
//
// Exit codes: 0 a normal end (the usage text; a batch run whose report or
// CAD file was written), 1 the project named on the command line cannot be
// read, 2 a project name without extension, 3 the drawing a CAD switch names
// is not built into this program yet, 4 the report or CAD file could not be
// written, or the stage could not be calculated (a text report then holds
// the message list only; no CAD file is written), or the plot program of
// CAD device 4 did not start, 5 a CAD switch this program does not serve:
// not of the form "/CADi:j", device 0 (it would ask) or 3 (the screen) or
// one that does not exist, an index outside 1..28, or 27 (it writes no
// file), or a second batch switch of another kind ("/I /CAD1:1"), 6 the
// report or CAD file was written but the stage's message list holds a
// message that says "Fatal". Every failure also writes one line to standard error saying what
// failed; messages the text report's list had no room for follow, one line
// each.

#include "app/commandline.h"

#include <string>

inline constexpr int ExitOk = 0;
inline constexpr int ExitProjectUnreadable = 1;
inline constexpr int ExitMissingExtension = 2;
inline constexpr int ExitNotAvailable = 3;
inline constexpr int ExitReportNotWritten = 4;
inline constexpr int ExitSwitchNotServed = 5;
inline constexpr int ExitFatalMessage = 6;

struct TStartOutcome {
    bool EndProcess = false;
    int ExitCode = ExitOk;
};

struct TStartup {
    // The program runs with its window (set by the program entry before the
    // main window is created). Without it every message is one line on
    // standard error and nothing is asked.
    bool Interactive = false;
    // The table browser of the Database menu (dbf4) belongs to the main
    // window from its creation to its destruction.
    bool TableBrowserCreated = false;
    // The picture "start.plt" was found in the picture directory.
    bool StartPictureFound = false;
};

extern TStartup startup;

void ResetStartup();

// The defaults that stand before the main window exists: the stage of File
// New and the settings of every unit.
void InitProgramLoadDefaults();

// Hooks of the report engine, the file-name dialogs of the stage files and
// the message list filled from the current platform.
void InstallPlatformServices();

// The creation of the main window: ends the process (EndProcess) for the
// usage text, the batch modes and a bad command line.
TStartOutcome ThhFormCreate(const TCommandLine& Cmd);

// Called once from ThhFormCreate.
TStartOutcome StartupAndCommandLine(const TCommandLine& Cmd);

// "/I": read the project, calculate, write the whole report as text to
// ProjectName + ".txt" in the current directory.
TStartOutcome RunTextBatch(const TCommandLine& Cmd);

// "/CADi:j": read the project, calculate, write drawing j to CAD device i:
// ProjectName + the device's extension in the current directory (TempDir +
// "korvilt.dxf" and the plot program for device 4). Exit 0 only when that
// file was written.
TStartOutcome RunCadBatch(const TCommandLine& Cmd);

// The end of the main window: the session file.
void ThhFormDestroy();

// The end of a batch run, whose files are all written and checked by now:
// every table closed (a changed table's header is written on close), a text
// file or CAD output left open abandoned, standard output and error flushed,
// and the process ended with ExitCode. The destructors of the program's
// static state do not run: they would only give back memory the system takes
// back anyway, and paging in their code, spread over the whole program, was
// a tenth of the run's peak memory.
[[noreturn]] void EndBatchProcess(int ExitCode);

// One line on standard error: "wqyr7: " + Text, the program's text (code
// page 437, a name in it converted with FileNameToOem) shown as a message box
// shows it.
void ReportStartFailure(const std::string& Text);
