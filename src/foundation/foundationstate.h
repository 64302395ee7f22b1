#pragma once
// Restores every program-wide foundation unit to its start-up state, in the
// start-up order: varexcel, telmvar, wtelmvar, error0, then the text helpers
// and the shared text file. The tests run it before every case, so that the
// order in which they run does not matter.

void ResetFoundationState();
