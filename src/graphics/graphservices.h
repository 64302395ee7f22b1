#pragma once
// What the graphics side asks of the layers above it.
//
// The generic input dialogs (a line of text, a length within a range) and
// the plot program's configuration form live above the graphics. They reach
// the CAD layer through this table of hooks: the application fills it at
// start-up, tests fill it with scripted answers, and the defaults
// (graphservicedefaults.h) ask through the current platform's prompts, so a
// batch run gets the platform's headless answer (Cancel) and never waits.
//
// Every hook that stands for a dialog keeps the dialog's contract on the
// program-wide flag: a Cancel sets telmvar.Aborted and leaves the value.
// The device list, file-name check, messages, date and time and program
// start come from reportservices, which the graphics build on.

#include "foundation/types.h"

#include <cstdint>
#include <functional>
#include <string>

struct TGraphServices {
    // Edits Text (at most MaxLength characters); Cancel sets Aborted.
    std::function<void(const std::string& Prompt, int MaxLength, std::string& Text)> AskText;
    // The same for a file or directory name, kept as the file system has it.
    std::function<void(const std::string& Prompt, int MaxLength, std::string& Name)> AskFileName;
    // A length in mm within Low..High; Cancel sets Aborted.
    std::function<void(const std::string& Prompt, Extended& Value, Extended Low, Extended High)>
        AskLengthInRange;
    // A whole number within Low..High; Cancel sets Aborted.
    std::function<void(const std::string& Prompt, uint16_t& Value, uint16_t Low, uint16_t High)>
        AskWordInRange;
    // A real within Low..High; Cancel sets Aborted.
    std::function<void(const std::string& Prompt, Extended& Value, Extended Low, Extended High)>
        AskDoubleInRange;
    // One of telmvar.TextItems[1..Count], Choice 1-based in and out;
    // Cancel sets Aborted.
    std::function<void(const std::string& Prompt, int Count, uint16_t& Choice)> AskSelect;
    // An integer within Low..High; Cancel sets Aborted.
    std::function<void(const std::string& Prompt, int32_t& Value, int32_t Low, int32_t High)> AskIntInRange;
    // Yes or No; Cancel sets Aborted and leaves the flag.
    std::function<void(const std::string& Prompt, bool& Flag)> AskYesNoFlag;
    // The hint of a help entry (one line), empty when there is none.
    std::function<std::string(int HelpNo)> ReadHelpHint;
    // The plot program's configuration form, opened on one command line;
    // unless cancelled (Aborted) the line comes back changed.
    std::function<void(std::string& CommandLine)> ConfigurePlotCommandLine;
    // The question-and-answer editor of a plot command line (Mode 0 from
    // the device choice).
    std::function<void(std::string& CommandLine, int Mode)> EditPlotCommandLine;
    // The diagram limits dialog, offering the automatic limits of the
    // diagram being drawn (exponents on a logarithmic axis); unless
    // cancelled (Aborted) the limits entered are left in
    // diagramstate.DiagLimits.
    std::function<void(const std::string& XLabel, const std::string& YLabel, const std::string& Title,
                       Extended XLo, Extended YLo, Extended XHi, Extended YHi)>
        EnterDiagramLimits;
};

extern TGraphServices graphservices;
