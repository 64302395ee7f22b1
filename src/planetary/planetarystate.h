#pragma once
// Restores the program-wide state of the planetary library to its start-up
// state: the bearing catalogue pick, the file name dialogs and the help
// services of the bearing form. The stage's own data is the project's and is
// set by whoever loads or defaults one.

void ResetPlanetaryState();
