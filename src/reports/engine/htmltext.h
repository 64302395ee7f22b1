#pragma once
// Texts placed into the HTML report.
//
// Report texts carry comparison signs of their own ("db > da", "SF<1"), and a
// bare "<" would start a tag in the browser and swallow the rest of the line.
// Every caller text is therefore escaped before the engine wraps it in its
// own markup; the engine's markup itself is never escaped.

#include <string>

// "&", "<" and ">" replaced by their character references; all other bytes
// (the display code page included) are kept.
std::string HtmlEscape(const std::string& Text);
