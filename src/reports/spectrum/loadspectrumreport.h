#pragma once
// The load spectrum output of the View and CAD menus: the text report of the
// life material, the spectrum and its equivalent values, and the two load
// spectrum diagrams. Plain functions, called by the main window and the
// batch run.

#include <cstdint>

// Choice 0 asks which output (preselecting the one after the last choice),
// 1 the text report, 2 the tooth root diagram, 3 the pitting diagram; the
// diagrams go to CadDevice.
void LoadSpectrumOutputMenu(uint16_t Choice, int CadDevice);

// Opens the report output, writes the report and delivers it. True when it
// was delivered.
bool PrintLoadSpectrumReport();

// The report body, into the open output. False when the report was stopped
// (paper refused at the page header): the caller ends it without delivery.
bool WriteLoadSpectrumReport();
