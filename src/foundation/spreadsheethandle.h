#pragma once
// The spreadsheet automation handle. This platform has no spreadsheet
// automation: the slot exists so that the commands that would start a
// spreadsheet can see that none is assigned and report it, and stays empty.

#include <memory>

// Stand-in for a late-bound automation object; never created here.
struct TAutomationObject {
};

struct TVarexcel {
    // Unassigned (null) for the whole run on this platform.
    std::shared_ptr<TAutomationObject> ExcelApp;
};

extern TVarexcel varexcel;

// Releases the handle (at program end, and before each test).
void ResetVarexcel();
