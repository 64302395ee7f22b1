#pragma once
// Restores every unit of the graphics library to its start-up state: the CAD
// layer draws on the program's own screen again (a surface installed in its
// place may be gone), an unfinished CAD output is abandoned while its
// settings still stand, then the device writers (registered as the program
// runs them), the CAD settings and state, hatching, diagrams, HP-GL, the
// screen settings and services and last the graphics window with its
// display list.

void ResetGraphicsState();
