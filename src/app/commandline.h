#pragma once
// The command line: "wqyr7 Filename [/I] [/CADi:j] [/NOGUI]", "?" or "/?".
//
// The name and one switch after it decide how the program runs ("/I" and
// "/CADi:j" wherever they stand after the name); "/NOGUI" may
// stand anywhere, is not counted among them and only says that nobody is
// there to answer a window.

#include <string>
#include <vector>

enum class TStartMode {
    Gui,              // no parameter: the template or the built-in data
    Usage,            // "?" or "/?": the usage text, exit code 0
    ExchangeGui,      // "/E" or "/G" after a name: interactive, the file is not read
    TextBatch,        // "/I": the stage report as a text file named after the project
    CadBatch,         // "/CADi:j": drawing j written to CAD device i
    MissingExtension, // a first parameter without "." and no batch switch
    InteractiveOpen,  // a project file named: opened in the main window
};

struct TCommandLine {
    TStartMode Mode = TStartMode::Gui;
    std::string P1; // the project name exactly as passed
    std::string P2;
    bool NoGui = false;
    // i and j of "/CADi:j" (1 DXF, 2 IGES, 5 text CAD code; which drawing);
    // both 0 when the switch is not of that form.
    int CadDevice = 0;
    int CadIndex = 0;
    // Switches ("/X", "-Q", a "/I" in third place ...) the start mode does
    // not use: the run goes on without them, and each is named on standard
    // error so that a mistyped switch does not pass unnoticed.
    std::vector<std::string> UnknownSwitches;
    // A batch switch after the one that decided, of the other batch mode or
    // another drawing ("/I /CAD1:1", "/CAD1:1 /CAD2:1"): one run writes one
    // file, so the run is refused rather than one of them ignored.
    std::string SecondBatchSwitch;
    // The batch switch that decided, given again ("/I /I", "/CAD1:1
    // /cad1:1"): it asks for the same file, which is written once.
    std::vector<std::string> RepeatedSwitches;
};

// Decides the start mode from the parameters (without the program name).
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

// Fills telmvar.TextItems 1..21 with the usage text (empty lines empty) and
// returns those 21 lines.
std::vector<std::string> SetUsageText();

// The message for a first parameter without ".": "extension .qy7 missing".
std::string MissingExtensionText();

// Whether the file name itself has an extension. Only the name after the last
// "/" or "\\" counts: "../examples/default" and "proj.v1/stage" have none.
bool NameHasExtension(const std::string& Path);

// The project file a command-line name stands for: the name as given when it
// has an extension, else the name with "." + DataExt added.
std::string CommandLineProjectPath(const std::string& Name);

// A parameter as the program's messages quote it: the terminal passes UTF-8
// (a name as the file system has it), the messages are the program's text
// (code page 437, converted back to UTF-8 on output). A byte that is no
// UTF-8 character is shown as "0xFF": as "?" it would read as the help switch.
std::string CommandLineShownText(const std::string& Arg);

// Whether P is "/I", "/i", "-I" or "-i"; whether P begins with "/CAD" or
// "-CAD" in any case.
bool IsTextBatchSwitch(const std::string& P);
bool IsCadSwitch(const std::string& P);
// Whether P is one of the program's switches in any case: /I, -I, /CADi:j,
// -CADi:j, /E, /G or /NOGUI.
bool IsProgramSwitch(const std::string& P);

// One text per unknown switch: "unknown switch /X ignored", and per
// repeated one: "switch /I repeated, done once".
std::vector<std::string> UnknownSwitchTexts(const TCommandLine& Cmd);
