#pragma once
// The headless answers of the report side's hook table (reportservices.h).
// They show the result window as a text screen and print through the text
// printout, so they live above the engine and the text views, which only
// see the table.

#include "reports/engine/reportservices.h"

// The headless answers: the device list and the paper prompt keep their
// current choice, questions are answered No, save dialogs are cancelled,
// messages go to standard error, date and time are fixed texts, no window is
// shown and nothing is launched.
void ResetReportServices();
