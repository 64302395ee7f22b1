#pragma once
// Rule and frame lines of the text reports in the four display modes.
//
// Every rule and frame line is exactly 70 characters, so that a framed page
// header and the rules between table rows line up with the 70-character
// report lines. Box characters are bytes of DOS code page 437, as all report
// texts are: they are converted only where a report is shown.

#include <string>

// The marker of the compressed mode 4: the line writers drop it, so rules
// vanish and pages are filled more densely.
inline constexpr const char* ReportDropMarker = "$!$";

// Width of a report line, rules and frames included.
inline constexpr int ReportLineWidth = 70;

// The texts for a given display mode (1 "-"/"=" and "*", 2 box drawing,
// 3 blanks, 4 and any other value the drop marker).
std::string RuleLineForMode(int Mode);
std::string DoubleRuleLineForMode(int Mode);
std::string FrameTopLineForMode(int Mode);
std::string FrameBottomLineForMode(int Mode);
std::string FrameSeparatorLineForMode(int Mode);
char FrameSideCharForMode(int Mode);

// The same for the configured mode (telmvar.PrintSeparatorMode).
std::string GetRuleLine();
std::string GetDoubleRuleLine();
std::string GetFrameTopLine();
std::string GetFrameBottomLine();
std::string GetFrameSeparatorLine();
char GetFrameSideChar();
