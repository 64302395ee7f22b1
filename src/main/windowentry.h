#pragma once
// The one entry point of the window module (wqyr7_qt.so), looked up by name
// when the program opens its window. The program itself never includes the
// toolkit; this header does not either.

struct TCommandLine;

// Runs the program with its window for the command line Cmd (the GUI start,
// or the usage text as a text screen) and returns the exit code. argv must
// outlive the call (the toolkit keeps it).
extern "C" int Qyr7RunWindow(int argc, char** argv, const TCommandLine* Cmd);

// The name the program looks the entry up by.
inline constexpr const char* WindowEntryName = "Qyr7RunWindow";
