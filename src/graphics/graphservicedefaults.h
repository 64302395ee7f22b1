#pragma once
// The headless answers of the graphics side's hook table (graphservices.h).
// The plot program's editor is one of them, and the plot program asks its
// questions through the table, so they live above the plot program, which
// only sees the table.

#include "graphics/graphservices.h"

// The questions through the current platform's prompts (the plot program's
// editor among them), no hints, and the plot program's form keeps the
// command line as it is, the diagram limits dialog is cancelled.
void ResetGraphServices();
