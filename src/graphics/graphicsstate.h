#pragma once
// Restores every unit of the graphics library to its start-up state: an
// unfinished CAD output is abandoned while its settings still stand, then
// the CAD layer's screen, the device writers (registered as the program
// runs them), the CAD settings and state, hatching, diagrams, HP-GL, the
// screen settings and services and last the graphics window with its
// display list.

void ResetGraphicsState();
