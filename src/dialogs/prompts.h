#pragma once
// The generic prompts: one choice out of telmvar.TextItems, a yes/no answer,
// one line of text, a number in a range, and the information screen.
//
// Every prompt follows the same contract, which callers all over the program
// rely on: the caller clears telmvar.Aborted before it asks; Cancel or
// Escape sets Aborted and leaves the caller's value exactly as it was; the
// help buttons show entry telmvar.HelpNumber (set it with
// SetInputHelpNumber before asking). Texts are stored texts in the DOS code
// page; they are shown through DisplayText and typed text comes back through
// AnsiTextToOem.
//
// The number prompts loop until the typed text parses and lies in the range,
// or the user cancels. A text the user left as it was shown is never parsed
// again: the caller gets its value back bit for bit, although the prompt
// showed only three significant digits of it.

#include "foundation/types.h"

#include <cstdint>
#include <string>

// Help entry of the next prompt's help buttons.
void SetInputHelpNumber(uint16_t N);

// One of TextItems[1..Count]; Choice is 1-based in and out. A Choice of 0 or
// beyond Count is set to 1 first, and stays 1 even after Cancel. Eight items
// or more are offered as a list, fewer as radio buttons.
void AskSelect(const std::string& Prompt, uint16_t Count, uint16_t& Choice);

// 'J' for yes, 'N' for no; "&No" is preselected for 'N' and 'n'.
void AskYesNoChar(const std::string& Prompt, char& Answer);
// The same on a flag: false unless the answer came back as "N".
void AskYesNoFlag(const std::string& Prompt, bool& Flag);

// One line of at most MaxLength characters.
void AskTextCore(const std::string& Prompt, int MaxLength, std::string& Text);
void AskText(const std::string& Prompt, int MaxLength, std::string& Text);
// A file or directory name (or a command line of them): shown and taken as
// the file system has it, without the stored texts' code page.
void AskFileName(const std::string& Prompt, int MaxLength, std::string& Name);

// A real in [Min, Max], both bounds included; Min is the lower bound (the
// bounds are not exchanged).
void AskValueInRange(const std::string& Prompt, Extended& Value, Extended Min, Extended Max);
void AskDoubleInRange(const std::string& Prompt, double& Value, double Min, double Max);
// A length held in mm, asked in the current length unit: inches (" [inch]")
// in unit system 1, mm (" [mm]") otherwise.
void AskLengthInRange(const std::string& Prompt, Extended& Value, Extended Min, Extended Max);

// An integer in [Min, Max]; the bounds are exchanged when Min > Max.
void AskIntegerInRange(const std::string& Prompt, int32_t& Value, int32_t Min, int32_t Max);
void AskIntInRange(const std::string& Prompt, int32_t& Value, int32_t Min, int32_t Max);
void AskWordInRange(const std::string& Prompt, uint16_t& Value, uint16_t Min, uint16_t Max);

// TextItems[1..22] in a fixed-pitch window captioned ProgramName, until OK.
void ShowSplashScreen();

// The message of a text that is not a number: "Invalid Input " + quoted text
// + " !".
std::string InvalidInputText(const std::string& Text);
