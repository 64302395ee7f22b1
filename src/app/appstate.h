#pragma once
// Restores every unit of the application library to its start-up state:
// menu texts before the main menu built from them, the start-up and
// configuration records, the window placement, the system queries, the CAD
// batch drawings and the run's private temporary directory.

void ResetAppState();
