#pragma once
// Restores the program-wide state of the gear pair library to its start-up
// state: the catalogue pick, the life material and no load spectrum
// routines registered. The gear pair's own data is the project's and is set
// by whoever loads or defaults one.

void ResetGearpairState();
