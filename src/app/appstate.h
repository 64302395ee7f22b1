#pragma once
// Restores every unit of the application library to its start-up state:
// menu texts before the main menu built from them, the command hooks, the
// start-up and configuration records, the window placement, the system
// queries and the CAD batch drawings.

void ResetAppState();
