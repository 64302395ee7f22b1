#pragma once
// Restores the program-wide state of the planetary library to its start-up
// state: the bearing catalogue pick, the file name dialogs, the help
// services of the bearing form and the stage calculation's record of its
// last run. The stage's own data is the project's and is set by whoever
// loads or defaults one.

void ResetPlanetaryState();
