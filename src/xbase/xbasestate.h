#pragma once
// Restores every unit of the table library to its start-up state. The error
// channel goes first, so that closing what is still open reports to no
// handler of a finished caller; the access layer closes its table while the
// work areas still stand; then the units in the order the library starts
// them. The tests run it before every case.

void ResetXbaseState();
